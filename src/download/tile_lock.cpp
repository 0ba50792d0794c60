#include "download/tile_lock.h"

#include <QString>
#include <system_error>

namespace orolith::download {

namespace {

namespace fs = std::filesystem;

// A writer fills its lock file at once; one still empty or garbled after this long never will be.
constexpr auto kUnreadableAfter = std::chrono::seconds(5);

QString qtPath(const fs::path& path) {
    return QString::fromStdU16String(path.u16string());
}

void removeIfUnreadable(const fs::path& lockPath) {
    std::error_code error;
    const auto changed = fs::last_write_time(lockPath, error);
    if (error || fs::file_time_type::clock::now() - changed < kUnreadableAfter)
        return;
    qint64 pid = 0;
    QString host, application;
    if (!QLockFile(qtPath(lockPath)).getLockInfo(&pid, &host, &application))
        fs::remove(lockPath, error);
}

} // namespace

std::unique_ptr<QLockFile> takeTileLock(const fs::path& lockPath, std::chrono::seconds staleAfter,
                                        LockState& state) {
    removeIfUnreadable(lockPath);
    auto lock = std::make_unique<QLockFile>(qtPath(lockPath));
    lock->setStaleLockTime(std::chrono::duration_cast<std::chrono::milliseconds>(staleAfter));
    if (lock->tryLock(0)) {
        state = LockState::Taken;
        return lock;
    }
    state = lock->error() == QLockFile::LockFailedError ? LockState::Busy : LockState::Failed;
    return nullptr;
}

} // namespace orolith::download
