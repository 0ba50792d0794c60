#include "core/platform/atomic_file.h"

#include "core/platform/bulk_output.h"
#include "core/platform/file_open.h"
#include "core/platform/temporary_files.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orolith {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kBufferSize = 1 << 20;
constexpr int kNameAttempts = 16;

// The path with every symbolic link along the last component followed, so that the file a
// link names is replaced and the link itself stays. A link that points nowhere gives the
// path it points to (a new file is created there).
fs::path followLinks(fs::path path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(path, ec))
            break;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

fs::path folderOf(const fs::path& path) {
    const fs::path folder = path.parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

#ifdef __linux__
// The name under which the system's process file system shows an open descriptor.
std::string descriptorPath(int descriptor) {
    return "/proc/self/fd/" + std::to_string(descriptor);
}

// An unnamed file in `folder`, or -1 where the file system or the system has none.
int openUnnamed(const fs::path& folder) {
    if (::access("/proc/self/fd", X_OK) != 0)
        return -1;
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}
#endif

} // namespace

std::string systemErrorText(int errorNumber) {
    return std::error_code(errorNumber, std::generic_category()).message();
}

AtomicFile::AtomicFile(fs::path target, ExistingTarget existing)
    : target_(std::move(target)), existing_(existing) {}

AtomicFile::~AtomicFile() { abandon(); }

void AtomicFile::fail(int errorNumber) {
    if (error_.empty())
        error_ = systemErrorText(errorNumber != 0 ? errorNumber : EIO);
}

bool AtomicFile::open() {
    std::error_code ec;
    if (fs::is_directory(target_, ec)) {
        fail(EISDIR);
        return false;
    }
    destination_ = followLinks(target_);
    const fs::file_status status = fs::status(destination_, ec);
    if (!ec && fs::exists(status) && !fs::is_regular_file(status))
        return openDirect();

    removeAbandonedTemporaries(folderOf(destination_));
    int descriptor = -1;
    if (!openTemporary(descriptor))
        return false;
    if (fs::is_regular_file(status))
        keepPermissionsOfTarget(descriptor);
#ifdef _WIN32
    file_ = openFile(temporary_, "wb");
#else
    file_ = ::fdopen(descriptor, "wb");
#endif
    if (file_ == nullptr) {
        fail(errno);
#ifndef _WIN32
        ::close(descriptor);
#endif
        forgetTemporary();
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
    return true;
}

// A device or a pipe cannot be replaced by a file: what is written goes to it at once.
bool AtomicFile::openDirect() {
    errno = 0;
    file_ = openFile(destination_, "wb");
    if (file_ == nullptr) {
        fail(errno);
        return false;
    }
    kind_ = Kind::Direct;
    return true;
}

bool AtomicFile::openTemporary(int& descriptor) {
    const fs::path folder = folderOf(destination_);
#ifdef __linux__
    descriptor = openUnnamed(folder);
    if (descriptor >= 0) {
        kind_ = Kind::Unnamed;
        return true;
    }
#endif
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary_ = temporaryNameIn(folder);
        errno = 0;
#ifdef _WIN32
        std::FILE* probe = openFile(temporary_, "wbx");
        descriptor = probe != nullptr ? 0 : -1;
        if (probe != nullptr)
            std::fclose(probe);
#else
        descriptor = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
        if (descriptor >= 0) {
            holdTemporaryLock(descriptor);
            registration_ = registerTemporary(temporary_);
            kind_ = Kind::Named;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    fail(errno != 0 ? errno : EEXIST);
    temporary_.clear();
    return false;
}

// The replacement gets the old file's permissions (and, where allowed, its owner and group).
void AtomicFile::keepPermissionsOfTarget(int descriptor) {
#ifdef _WIN32
    (void)descriptor;
    std::error_code ec;
    fs::permissions(temporary_, fs::status(destination_, ec).permissions(), ec);
#else
    struct stat old {};
    if (::stat(destination_.c_str(), &old) != 0)
        return;
    [[maybe_unused]] const int ignored = ::fchown(descriptor, old.st_uid, old.st_gid);
    ::fchmod(descriptor, old.st_mode & 07777);
#endif
}

void AtomicFile::expectLarge() {
#ifndef _WIN32
    if (file_ != nullptr && kind_ != Kind::Direct && !bulk_ && std::ftell(file_) == 0)
        bulk_ = std::make_unique<BulkOutput>(fileno(file_));
#endif
}

bool AtomicFile::write(std::string_view bytes) {
    if (file_ == nullptr || !error_.empty())
        return false;
    if (bulk_) {
        if (!bulk_->write(bytes))
            fail(bulk_->errorNumber());
        return error_.empty();
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        fail(errno);
        return false;
    }
    return true;
}

// Everything written reaches the disk before the file gets its name.
bool AtomicFile::finishWriting() {
    if (bulk_ && error_.empty() && !bulk_->finish())
        fail(bulk_->errorNumber());
    bulk_.reset();
    errno = 0;
    bool ok = error_.empty() && std::fflush(file_) == 0;
#ifndef _WIN32
    if (ok && kind_ != Kind::Direct && ::fsync(fileno(file_)) != 0)
        ok = false;
#endif
    if (!ok)
        fail(errno);
    return ok;
}

bool AtomicFile::commit() {
    if (file_ == nullptr) {
        if (error_.empty())
            fail(EBADF);
        return false;
    }
    bool ok = finishWriting();
#ifdef _WIN32
    // An open file cannot be renamed here: close first.
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
#endif
    if (ok && kind_ != Kind::Direct)
        ok = putInPlace();
    if (file_ != nullptr) {
        errno = 0;
        if (std::fclose(file_) != 0 && ok) {
            fail(errno);
            ok = false;
        }
        file_ = nullptr;
    }
    if (ok)
        forgetTemporary();
    else
        abandon();
    return ok;
}

bool AtomicFile::putInPlace() {
#ifdef __linux__
    if (kind_ == Kind::Unnamed) {
        const std::string source = descriptorPath(fileno(file_));
        if (existing_ == ExistingTarget::Keep) {
            if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, destination_.c_str(), AT_SYMLINK_FOLLOW) == 0)
                return true;
            targetAppeared_ = errno == EEXIST;
            fail(errno);
            return false;
        }
        // Replacing needs a name to rename from; it exists only for this moment.
        const fs::path folder = folderOf(destination_);
        for (int attempt = 0; attempt < kNameAttempts && temporary_.empty(); ++attempt) {
            const fs::path name = temporaryNameIn(folder);
            if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
                temporary_ = name;
            else if (errno != EEXIST)
                break;
        }
        if (temporary_.empty()) {
            fail(errno);
            return false;
        }
        registration_ = registerTemporary(temporary_);
    }
#endif
    return moveNamedTemporary();
}

// Renames the temporary to the destination; with ExistingTarget::Keep never over a file.
bool AtomicFile::moveNamedTemporary() {
    errno = 0;
    if (existing_ == ExistingTarget::Replace) {
        std::error_code ec;
        fs::rename(temporary_, destination_, ec);
        if (ec) {
            fail(ec.value());
            return false;
        }
        return true;
    }
#if defined(_WIN32)
    if (std::rename(temporary_.string().c_str(), destination_.string().c_str()) == 0) // never replaces here
        return true;
    targetAppeared_ = fs::exists(destination_);
#else
    bool linked = false;
#ifdef __linux__
    linked = ::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, destination_.c_str(), RENAME_NOREPLACE) == 0;
    if (linked)
        return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        targetAppeared_ = errno == EEXIST;
        fail(errno);
        return false;
    }
#endif
    // No renaming without replacing here: a second name, then the temporary one goes.
    linked = ::link(temporary_.c_str(), destination_.c_str()) == 0;
    if (linked) {
        ::unlink(temporary_.c_str());
        return true;
    }
    targetAppeared_ = errno == EEXIST;
    if (!targetAppeared_ && errno != ENOENT && errno != EACCES && errno != ENOSPC) {
        // A file system without second names: look, then rename (a narrow window remains).
        std::error_code ec;
        targetAppeared_ = fs::exists(fs::symlink_status(destination_, ec));
        if (!targetAppeared_ && ::rename(temporary_.c_str(), destination_.c_str()) == 0)
            return true;
    }
#endif
    fail(targetAppeared_ ? EEXIST : errno);
    return false;
}

void AtomicFile::forgetTemporary() {
    unregisterTemporary(registration_);
    registration_ = -1;
    temporary_.clear();
}

void AtomicFile::abandon() {
    bulk_.reset();
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        std::error_code ec;
        fs::remove(temporary_, ec);
    }
    forgetTemporary();
}

bool writeFileAtomically(const fs::path& target, std::string_view bytes, std::string& error) {
    AtomicFile file(target);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    error = file.error();
    return false;
}

} // namespace orolith
