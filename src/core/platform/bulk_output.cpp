#include "core/platform/bulk_output.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/vfs.h>
#endif

namespace orolith {

namespace {

// Direct writes need the memory, the file offset and the length aligned to the device's
// block size; a page is a multiple of every block size in use.
constexpr std::size_t kAlignment = 4096;

// A file system whose files live in the file cache (tmpfs, ramfs) takes a "direct" write
// into that cache all the same: it costs the gathering copy and saves nothing, so such
// files are written the usual way.
bool inMemoryFileSystem(int descriptor) {
#ifdef __linux__
    constexpr long kTmpfs = 0x01021994;
    constexpr long kRamfs = static_cast<long>(0x858458f6);
    struct statfs about {};
    if (::fstatfs(descriptor, &about) != 0)
        return false;
    const long kind = static_cast<long>(about.f_type);
    return kind == kTmpfs || kind == kRamfs;
#else
    (void)descriptor;
    return false;
#endif
}

} // namespace

void BulkOutput::AlignedFree::operator()(char* block) const {
    ::operator delete (block, std::align_val_t{kAlignment});
}

BulkOutput::BulkOutput(int descriptor, std::uint64_t cachedBytes)
    : descriptor_(descriptor), cachedBytes_(cachedBytes),
      block_(static_cast<char*>(::operator new (kBlockSize, std::align_val_t{kAlignment}))) {
    directRefused_ = inMemoryFileSystem(descriptor);
}

BulkOutput::~BulkOutput() {
    setDirect(false);
}

bool BulkOutput::write(std::string_view bytes) {
    while (!bytes.empty() && error_ == 0) {
        // Bytes bound for the file cache go there as they are: gathering them in the block
        // would only add a copy.
        if (const std::size_t plain = cachedRun(bytes.size()); plain > 0) {
            writeRange(bytes.data(), plain);
            bytes.remove_prefix(plain);
            continue;
        }
        const std::size_t take = std::min(bytes.size(), kBlockSize - used_);
        std::memcpy(block_.get() + used_, bytes.data(), take);
        used_ += take;
        bytes.remove_prefix(take);
        if (used_ == kBlockSize) {
            writeRange(block_.get(), kBlockSize);
            used_ = 0;
        }
    }
    return error_ == 0;
}

bool BulkOutput::finish() {
    const std::size_t aligned = used_ - used_ % kAlignment;
    if (error_ == 0 && aligned > 0)
        writeRange(block_.get(), aligned);
    setDirect(false);
    if (error_ == 0 && used_ > aligned)
        writeRange(block_.get() + aligned, used_ - aligned);
    used_ = 0;
    return error_ == 0;
}

// How many of `size` bytes at hand can be written the usual way at once: none while the block
// holds bytes, up to the start of the direct part, and all once direct writes are refused.
std::size_t BulkOutput::cachedRun(std::size_t size) const {
    if (used_ > 0 || direct_)
        return 0;
    if (directRefused_)
        return size;
    // Direct writes start with the first whole block past the cached part.
    const std::uint64_t directFrom = (cachedBytes_ + kBlockSize - 1) / kBlockSize * kBlockSize;
    return offset_ < directFrom ? static_cast<std::size_t>(std::min<std::uint64_t>(size, directFrom - offset_)) : 0;
}

// Writes `size` bytes at offset_: straight to the disk once the cached part of the file is
// behind and the piece is whole blocks of the device.
bool BulkOutput::writeRange(const char* data, std::size_t size) {
    if (!direct_ && !directRefused_ && offset_ >= cachedBytes_ && size % kAlignment == 0)
        directRefused_ = !setDirect(true);
    const bool ok = writeAll(data, size);
    wroteDirect_ = wroteDirect_ || (ok && direct_);
    offset_ += size;
    return ok;
}

bool BulkOutput::writeAll(const char* data, std::size_t size) {
#ifdef _WIN32
    (void)data;
    (void)size;
    error_ = ENOSYS;
    return false;
#else
    while (size > 0) {
        const ssize_t count = ::write(descriptor_, data, size);
        if (count > 0) {
            data += count;
            size -= static_cast<std::size_t>(count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else if (count < 0 && errno == EINVAL && direct_) {
            // The file system takes no direct writes (or not of this piece): the usual way.
            directRefused_ = true;
            if (!setDirect(false)) {
                error_ = errno != 0 ? errno : EIO;
                return false;
            }
        } else {
            error_ = count < 0 && errno != 0 ? errno : EIO;
            return false;
        }
    }
    return true;
#endif
}

bool BulkOutput::setDirect(bool on) {
#if defined(__linux__) && defined(O_DIRECT)
    if (direct_ == on)
        return true;
    const int flags = ::fcntl(descriptor_, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor_, F_SETFL, on ? flags | O_DIRECT : flags & ~O_DIRECT) != 0)
        return false;
    direct_ = on;
    return true;
#else
    return !on;
#endif
}

} // namespace orolith
