#pragma once
// Files the program writes are replaced only by complete new ones: the content goes to a
// temporary file beside the target, which is renamed over the target once everything was
// written. A failed or abandoned write leaves the old file (or no file) and no temporary.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace orolith {

class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile(); // an uncommitted temporary is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. False (with error()) when the folder cannot take it.
    bool open();
    // Buffered; false once any write has failed (the error is kept).
    bool write(std::string_view bytes);
    // Hands what was written so far to the system to write out now, so that the flush
    // before the rename has less left to wait for. Worth calling every few megabytes of a
    // large file; does nothing where the system offers no way to do it.
    void startWriteback();
    // Flushes, closes and renames over the target. False (with error()) on any failure,
    // in which case the target is untouched and the temporary is gone.
    bool commit();
    // Drops the temporary without touching the target.
    void abandon();

    const std::filesystem::path& target() const { return target_; }
    // The system's description of the first failure, prefixed by nothing.
    const std::string& error() const { return error_; }

private:
    void fail(int errorNumber);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::FILE* file_ = nullptr;
    std::string error_;
};

// Replaces `target` with `bytes` atomically. On failure `error` holds the system's description.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string& error);

// The system's description of an errno value ("No space left on device").
std::string systemErrorText(int errorNumber);

} // namespace orolith
