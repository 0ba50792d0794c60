#include "core/platform/temporary_files.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <string_view>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace orolith {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPrefix = ".orolith-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kRandomLength = 12;
constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
// A temporary changed this recently may belong to a writer that has not taken its lock yet.
constexpr auto kQuietTime = std::chrono::minutes(1);

// Names a signal handler removes. A slot is free (0), being filled (1) or in use (2); the
// handler reads only slots in use, and only lock-free atomics and unlink run in it.
constexpr std::size_t kSlotCount = 16;
constexpr std::size_t kLongestPath = 4096;
struct Slot {
    std::atomic<int> state{0};
    char path[kLongestPath]{};
};
std::array<Slot, kSlotCount> slots;
static_assert(std::atomic<int>::is_always_lock_free);

// The process group signals are passed on to (0: none), and the signal held back meanwhile.
std::atomic<long> passTo{0};
std::atomic<int> held{0};
static_assert(std::atomic<long>::is_always_lock_free);

void catchSignal(int signalNumber);

extern "C" void removeRegisteredAndStop(int signalNumber) {
#ifndef _WIN32
    if (const long group = passTo.load(); group > 0) {
        ::kill(static_cast<pid_t>(-group), signalNumber);
        held.store(signalNumber);
        catchSignal(signalNumber); // the handler was reset on entry: a second signal is caught too
        return;
    }
#endif
    removeRegisteredTemporaries();
    // The handler was reset to the default on entry: the signal now ends the process.
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void catchSignal(int signalNumber) {
#ifdef _WIN32
    std::signal(signalNumber, removeRegisteredAndStop);
#else
    struct sigaction current {};
    if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
        return; // e.g. SIGHUP under nohup stays ignored
    struct sigaction action {};
    action.sa_handler = removeRegisteredAndStop;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    ::sigaction(signalNumber, &action, nullptr);
#endif
}

// Runs `remove` when no process holds the file's lock, while that is still known to be so.
// Where there are no such locks, removing fails by itself for a file open elsewhere.
template <typename Remove>
void removeIfFree(const fs::path& path, Remove remove) {
#ifdef _WIN32
    remove(); // a file open in another process cannot be removed
#else
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        remove();
    ::close(descriptor);
#endif
}

} // namespace

fs::path temporaryNameIn(const fs::path& folder) {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    std::string name(kPrefix);
    for (std::size_t i = 0; i < kRandomLength; ++i)
        name += kAlphabet[generator() % kAlphabet.size()];
    name += kSuffix;
    return folder / name;
}

bool isTemporaryName(const std::string& fileName) {
    const std::string_view name = fileName;
    if (name.size() != kPrefix.size() + kRandomLength + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix))
        return false;
    const std::string_view random = name.substr(kPrefix.size(), kRandomLength);
    return random.find_first_not_of(kAlphabet) == std::string_view::npos;
}

void removeAbandonedTemporaries(const fs::path& folder) {
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator entry(folder.empty() ? fs::path(".") : folder, ec), end; !ec && entry != end;
         entry.increment(ec)) {
        const fs::path& path = entry->path();
        std::error_code fileError;
        if (!isTemporaryName(path.filename().string()) || !entry->is_regular_file(fileError) ||
            entry->is_symlink(fileError))
            continue;
        const auto changed = fs::last_write_time(path, fileError);
        if (fileError || now - changed < kQuietTime)
            continue;
        removeIfFree(path, [&path] {
            std::error_code removeError;
            fs::remove(path, removeError);
        });
    }
}

void holdTemporaryLock(int descriptor) {
#ifdef _WIN32
    (void)descriptor;
#else
    ::flock(descriptor, LOCK_EX | LOCK_NB);
#endif
}

void removeRegisteredTemporaries() {
    for (Slot& slot : slots)
        if (slot.state.load() == 2) {
#ifdef _WIN32
            std::remove(slot.path);
#else
            ::unlink(slot.path);
#endif
        }
}

void removeTemporariesOnSignals() {
    static std::atomic<bool> installed{false};
    if (installed.exchange(true))
        return;
    catchSignal(SIGINT);
    catchSignal(SIGTERM);
#ifdef SIGHUP
    catchSignal(SIGHUP);
#endif
}

int registerTemporary(const fs::path& path) {
    std::error_code ec;
    const std::string text = fs::absolute(path, ec).string();
    if (ec || text.size() >= kLongestPath)
        return -1;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = 0;
        if (!slots[i].state.compare_exchange_strong(expected, 1))
            continue;
        std::memcpy(slots[i].path, text.c_str(), text.size() + 1);
        slots[i].state.store(2);
        return static_cast<int>(i);
    }
    return -1;
}

void unregisterTemporary(int slot) {
    if (slot >= 0 && static_cast<std::size_t>(slot) < slots.size())
        slots[static_cast<std::size_t>(slot)].state.store(0);
}

void passSignalsTo(long processGroup) {
    if (processGroup > 0)
        held.store(0);
    passTo.store(processGroup);
}

int heldSignal() {
    return held.load();
}

void stopBySignal(int signalNumber) {
    passTo.store(0);
    removeRegisteredAndStop(signalNumber);
}

} // namespace orolith
