#pragma once
// What every reader and writer of the program's own files reports besides success: what
// went wrong, in words, and the line it concerns where one does.

#include <string>
#include <utility>

namespace orolith {

enum class FileError {
    None,
    Missing,    // no such file, or it cannot be opened
    NotValid,   // not a file of this kind: not a regular file, too large, or bad content
    NotWritten, // the new file could not be put in place; the old one stays as it was
};

class FileFormat {
public:
    FileError error() const { return error_; }
    // Empty after a success.
    const std::string& errorString() const { return errorString_; }
    // The line (from 1) the error concerns; 0 when it concerns no one line.
    int errorLine() const { return errorLine_; }

protected:
    bool fail(FileError error, std::string text, int line = 0) {
        error_ = error;
        errorString_ = std::move(text);
        errorLine_ = line;
        return false;
    }
    bool succeed() {
        error_ = FileError::None;
        errorString_.clear();
        errorLine_ = 0;
        return true;
    }

private:
    FileError error_ = FileError::None;
    std::string errorString_;
    int errorLine_ = 0;
};

} // namespace orolith
