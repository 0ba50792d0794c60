#include "cli/interrupt_catcher.h"

#include <atomic>
#include <csignal>

namespace orolith::cli {

namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void noteInterrupt(int) {
    interrupted.store(true);
}

#ifdef _WIN32
constexpr int kSignals[] = {SIGINT, SIGTERM};
using Saved = void (*)(int);
#else
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
using Saved = struct sigaction;
#endif
Saved saved[std::size(kSignals)];

} // namespace

InterruptCatcher::InterruptCatcher() {
    interrupted.store(false);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
#ifdef _WIN32
        saved[i] = std::signal(kSignals[i], noteInterrupt);
#else
        struct sigaction action {};
        action.sa_handler = noteInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(kSignals[i], &action, &saved[i]);
#endif
    }
}

InterruptCatcher::~InterruptCatcher() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
#ifdef _WIN32
        std::signal(kSignals[i], saved[i]);
#else
        ::sigaction(kSignals[i], &saved[i], nullptr);
#endif
    }
}

bool InterruptCatcher::raised() {
    return interrupted.load();
}

} // namespace orolith::cli
