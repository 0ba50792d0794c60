#pragma once
// Files the program writes are replaced only by complete new ones: the content goes to a
// temporary file in the target's folder, which becomes the target once everything was
// written. A failed or abandoned write leaves the old file (or no file) and no temporary.
//
// Where the system allows, the temporary has no name until it is complete, so a killed
// process leaves nothing behind; otherwise it has a short name of fixed length (see
// temporary_files.h) that a signal or a later run removes. A replaced file keeps its
// permissions; a symbolic link keeps pointing where it did and its target is replaced. An
// existing target that is not a regular file (a device, a pipe) is written to directly.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace orolith {

class BulkOutput;

// Whether commit() may replace a file that exists at the target by then.
enum class ExistingTarget {
    Replace,
    Keep, // commit() fails and targetAppeared() is true; nothing is written
};

class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target, ExistingTarget existing = ExistingTarget::Replace);
    ~AtomicFile(); // an uncommitted temporary is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. False (with error()) when the folder cannot take it.
    bool open();
    // Right after open(), for a file that may grow large: past its first megabytes it is
    // written around the system's file cache where the system allows (see bulk_output.h).
    void expectLarge();
    // Buffered; false once any write has failed (the error is kept).
    bool write(std::string_view bytes);
    // Flushes, closes and puts the file in place. False (with error()) on any failure, in
    // which case the target is untouched and the temporary is gone.
    bool commit();
    // Drops the temporary without touching the target.
    void abandon();

    const std::filesystem::path& target() const { return target_; }
    // The system's description of the first failure, prefixed by nothing.
    const std::string& error() const { return error_; }
    // With ExistingTarget::Keep: commit() failed because a file had appeared at the target.
    bool targetAppeared() const { return targetAppeared_; }

private:
    enum class Kind { None, Named, Unnamed, Direct };

    void fail(int errorNumber);
    bool openDirect();
    bool openTemporary(int& descriptor);
    bool finishWriting();
    bool putInPlace();
    bool moveNamedTemporary();
    void keepPermissionsOfTarget(int descriptor);
    void forgetTemporary();

    std::filesystem::path target_;
    std::filesystem::path destination_; // the target with symbolic links followed
    std::filesystem::path temporary_;   // the temporary's name while it has one
    ExistingTarget existing_;
    Kind kind_ = Kind::None;
    int registration_ = -1;
    std::FILE* file_ = nullptr;
    std::unique_ptr<BulkOutput> bulk_; // with expectLarge(): takes every write
    std::string error_;
    bool targetAppeared_ = false;
};

// Replaces `target` with `bytes` atomically. On failure `error` holds the system's description.
bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string& error);

// The system's description of an errno value ("No space left on device").
std::string systemErrorText(int errorNumber);

} // namespace orolith
