#pragma once
// The pattern file (.ptn): the pattern editor's text as it is, rows of "0" and "1" separated
// by line breaks, and a final CR LF.

#include "core/platform/file_format.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace orolith {

// The largest pattern file read; a tile of 32 rows of 32 needs about a kilobyte.
inline constexpr std::size_t kPatternFileLimit = 64 * 1024;

class PatternFile : public FileFormat {
public:
    // Reads the file's text into `text` (an empty file gives an empty text, nothing to
    // import). False, with `text` unchanged, when the file cannot be read (Missing; so is a
    // name holding "*") or is no pattern file (NotValid, "Not a valid pattern file."): not a
    // regular file of at most kPatternFileLimit bytes, or holding a character other than
    // "0", "1", CR and LF (the error line is the first such line).
    bool read(const std::filesystem::path& path, std::string& text);

    // Replaces the file by `editorText` and a CR LF. False (NotWritten: the path, a blank and
    // the system's description) when that failed; the old file then stays as it was.
    bool write(const std::filesystem::path& path, std::string_view editorText);
};

} // namespace orolith
