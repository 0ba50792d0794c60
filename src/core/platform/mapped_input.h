#pragma once
// Reading a large input file through a memory map: the reader works on the pages of the
// file cache where they are, without the copy that every read() makes. On a gigabyte of
// Geo Vector text that copy was close to half of the reading thread's time, and that
// thread is the one a conversion waits for.
//
// A map has one hazard that a read() has not: when another program cuts the file short
// while it is mapped, touching a page past the new end raises SIGBUS. A handler catches
// that for the mapped ranges only: it removes the registered temporary files, says so on
// the standard error and ends the process with status 1, so no partial output is left.
// Pages already read are handed back as the reader moves on, so the resident memory stays
// small however large the file.

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace orolith {

class MappedInput {
  public:
    MappedInput() = default;
    ~MappedInput();
    MappedInput(const MappedInput&) = delete;
    MappedInput& operator=(const MappedInput&) = delete;

    // Maps the whole of `file` (open for reading) when it is a regular file of at least
    // `smallest` bytes and the system has maps; false otherwise, and the caller reads it.
    bool map(std::FILE* file, std::uint64_t smallest);
    void unmap();

    bool mapped() const { return data_ != nullptr; }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }

    // The bytes before `offset` are not needed again soon: their pages leave the process
    // (they stay in the file cache and come back if touched).
    void release(std::size_t offset);

  private:
    const char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t released_ = 0; // the pages before this were handed back
    int guardSlot_ = -1;
};

} // namespace orolith
