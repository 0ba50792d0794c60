#include "core/platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <random>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif
#ifdef __linux__
#include <fcntl.h>
#endif

namespace orolith {

namespace {

constexpr std::size_t kBufferSize = 1 << 20;

std::string randomSuffix() {
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix += kAlphabet[generator() % (sizeof kAlphabet - 1)];
    return suffix;
}

} // namespace

std::string systemErrorText(int errorNumber) {
    return std::error_code(errorNumber, std::generic_category()).message();
}

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {}

AtomicFile::~AtomicFile() { abandon(); }

void AtomicFile::fail(int errorNumber) {
    if (error_.empty())
        error_ = systemErrorText(errorNumber != 0 ? errorNumber : EIO);
}

bool AtomicFile::open() {
    std::error_code ec;
    if (std::filesystem::is_directory(target_, ec)) {
        fail(EISDIR);
        return false;
    }
    const std::filesystem::path folder = target_.parent_path();
    for (int attempt = 0; attempt < 16 && file_ == nullptr; ++attempt) {
        temporary_ = folder / ("." + target_.filename().string() + "." + randomSuffix() + ".tmp");
        errno = 0;
        file_ = std::fopen(temporary_.string().c_str(), "wbx");
        if (file_ == nullptr && errno != EEXIST) {
            fail(errno);
            temporary_.clear();
            return false;
        }
    }
    if (file_ == nullptr) {
        fail(EEXIST);
        temporary_.clear();
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
    return true;
}

bool AtomicFile::write(std::string_view bytes) {
    if (file_ == nullptr || !error_.empty())
        return false;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        fail(errno);
        return false;
    }
    return true;
}

void AtomicFile::startWriteback() {
#ifdef __linux__
    if (file_ != nullptr && error_.empty() && std::fflush(file_) == 0)
        ::sync_file_range(fileno(file_), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
}

bool AtomicFile::commit() {
    if (file_ == nullptr) {
        if (error_.empty())
            fail(EBADF);
        return false;
    }
    errno = 0;
    bool ok = error_.empty() && std::fflush(file_) == 0;
#ifndef _WIN32
    if (ok && ::fsync(fileno(file_)) != 0)
        ok = false;
#endif
    if (!ok)
        fail(errno);
    errno = 0;
    if (std::fclose(file_) != 0 && ok) {
        fail(errno);
        ok = false;
    }
    file_ = nullptr;
    if (ok) {
        std::error_code ec;
        std::filesystem::rename(temporary_, target_, ec);
        if (ec) {
            if (error_.empty())
                error_ = ec.message();
            ok = false;
        }
    }
    if (ok)
        temporary_.clear();
    else
        abandon();
    return ok;
}

void AtomicFile::abandon() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temporary_, ec);
        temporary_.clear();
    }
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string& error) {
    AtomicFile file(target);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    error = file.error();
    return false;
}

} // namespace orolith
