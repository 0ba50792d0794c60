#pragma once
// Writing a large file once from start to end through an open descriptor, without running
// it through the system's file cache. The bytes are gathered in aligned blocks; past the
// first `cachedBytes` whole blocks go straight to the disk (O_DIRECT on Linux), which saves
// the copy into the cache and its later write-back: the system time of a gigabyte-sized map
// falls to a fifth, and no longer grows when memory is scarce. The end of the last block is
// written the usual way, and so is every block where the file system refuses direct writes or
// keeps its files in memory anyway. Bytes written the usual way are not gathered first.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace orolith {

class BulkOutput {
  public:
    static constexpr std::size_t kBlockSize = std::size_t{8} << 20;
    static constexpr std::uint64_t kCachedBytes = std::uint64_t{64} << 20;

    // `descriptor` is open for writing at offset 0 and stays owned by the caller.
    explicit BulkOutput(int descriptor, std::uint64_t cachedBytes = kCachedBytes);
    ~BulkOutput();
    BulkOutput(const BulkOutput&) = delete;
    BulkOutput& operator=(const BulkOutput&) = delete;

    // False once a write has failed; errorNumber() then tells why.
    bool write(std::string_view bytes);
    // Writes what is gathered. The descriptor is left as it was opened.
    bool finish();

    int errorNumber() const { return error_; }
    // True once a block has gone straight to the disk.
    bool wroteDirect() const { return wroteDirect_; }

  private:
    struct AlignedFree {
        void operator()(char* block) const;
    };

    std::size_t cachedRun(std::size_t size) const;
    bool writeRange(const char* data, std::size_t size);
    bool writeAll(const char* data, std::size_t size);
    bool setDirect(bool on);

    int descriptor_;
    std::uint64_t cachedBytes_;
    std::unique_ptr<char, AlignedFree> block_;
    std::size_t used_ = 0;
    std::uint64_t offset_ = 0; // of the block's first byte in the file
    bool direct_ = false;
    bool directRefused_ = false;
    bool wroteDirect_ = false;
    int error_ = 0;
};

} // namespace orolith
