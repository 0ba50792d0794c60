#include "core/platform/mapped_input.h"

#include "core/platform/temporary_files.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>

#ifndef _WIN32
#include <csignal>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orolith {

namespace {

#ifndef _WIN32

// The mapped ranges the SIGBUS handler answers for. A slot is free (0), being filled (1) or
// in use (2); the handler reads only slots in use, and only lock-free atomics run in it.
struct GuardSlot {
    std::atomic<int> state{0};
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
};
std::array<GuardSlot, 8> guardSlots;
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);

constexpr char kCutShort[] = "orolith: the input file was cut short while it was read; nothing was written\n";

extern "C" void inputCutShort(int signalNumber, siginfo_t* info, void*) {
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (const GuardSlot& slot : guardSlots) {
        if (slot.state.load() == 2 && address >= slot.begin.load() && address < slot.end.load()) {
            [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kCutShort, sizeof kCutShort - 1);
            removeRegisteredTemporaries();
            ::_exit(1);
        }
    }
    // Not a mapped input: the fault is what it is. The default action ends the process when
    // the faulting access runs again.
    std::signal(signalNumber, SIG_DFL);
}

void guardOnce() {
    static std::atomic<bool> installed{false};
    if (installed.exchange(true))
        return;
    struct sigaction action {};
    action.sa_sigaction = inputCutShort;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO;
    ::sigaction(SIGBUS, &action, nullptr);
}

int guard(const char* data, std::size_t size) {
    guardOnce();
    for (std::size_t i = 0; i < guardSlots.size(); ++i) {
        int expected = 0;
        if (!guardSlots[i].state.compare_exchange_strong(expected, 1))
            continue;
        guardSlots[i].begin.store(reinterpret_cast<std::uintptr_t>(data));
        guardSlots[i].end.store(reinterpret_cast<std::uintptr_t>(data) + size);
        guardSlots[i].state.store(2);
        return static_cast<int>(i);
    }
    return -1;
}

std::size_t pageSize() {
    static const std::size_t size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return size;
}

#endif

} // namespace

MappedInput::~MappedInput() {
    unmap();
}

bool MappedInput::map(std::FILE* file, std::uint64_t smallest) {
    unmap();
#ifdef _WIN32
    (void)file;
    (void)smallest;
    return false;
#else
    struct stat about {};
    const int descriptor = ::fileno(file);
    if (descriptor < 0 || ::fstat(descriptor, &about) != 0 || !S_ISREG(about.st_mode) || about.st_size <= 0 ||
        static_cast<std::uint64_t>(about.st_size) < smallest ||
        static_cast<std::uint64_t>(about.st_size) > static_cast<std::uint64_t>(SIZE_MAX / 2))
        return false;
    const auto size = static_cast<std::size_t>(about.st_size);
    void* pages = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, descriptor, 0);
    if (pages == MAP_FAILED)
        return false;
    // Without a guard a file cut short would end the process with no word: read it instead.
    const int slot = guard(static_cast<const char*>(pages), size);
    if (slot < 0) {
        ::munmap(pages, size);
        return false;
    }
    ::madvise(pages, size, MADV_SEQUENTIAL);
    data_ = static_cast<const char*>(pages);
    size_ = size;
    released_ = 0;
    guardSlot_ = slot;
    return true;
#endif
}

void MappedInput::unmap() {
#ifndef _WIN32
    if (data_ == nullptr)
        return;
    ::munmap(const_cast<char*>(data_), size_);
    guardSlots[static_cast<std::size_t>(guardSlot_)].state.store(0);
#endif
    data_ = nullptr;
    size_ = 0;
    released_ = 0;
    guardSlot_ = -1;
}

void MappedInput::release(std::size_t offset) {
#ifndef _WIN32
    const std::size_t until = std::min(offset, size_) / pageSize() * pageSize();
    if (until < released_)
        released_ = 0; // a pass from the start again
    if (data_ == nullptr || until == released_)
        return;
    ::madvise(const_cast<char*>(data_) + released_, until - released_, MADV_DONTNEED);
    released_ = until;
#else
    (void)offset;
#endif
}

} // namespace orolith
