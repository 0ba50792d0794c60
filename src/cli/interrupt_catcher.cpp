#include "cli/interrupt_catcher.h"

#include <atomic>
#include <csignal>
#include <iterator>

namespace orolith::cli {

namespace {

std::atomic<int> interrupted{0}; // the signal that came, 0: none
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void noteInterrupt(int signal) {
    interrupted.store(signal);
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
    interrupted.store(0);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
#ifdef _WIN32
        saved[i] = std::signal(kSignals[i], noteInterrupt);
#else
        ::sigaction(kSignals[i], nullptr, &saved[i]);
        if (saved[i].sa_handler == SIG_IGN)
            continue; // e.g. SIGHUP under nohup stays ignored
        struct sigaction action {};
        action.sa_handler = noteInterrupt;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(kSignals[i], &action, nullptr);
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
    return interrupted.load() != 0;
}

int InterruptCatcher::cancelledStatus() {
    const int signal = interrupted.load();
    return 128 + (signal != 0 ? signal : SIGINT);
}

} // namespace orolith::cli
