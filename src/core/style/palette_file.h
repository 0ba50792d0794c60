#pragma once
// The palette file (.col): 26 lines of upper-case hexadecimal digits without leading zeros,
// then one empty line; every line ends with CR LF.

#include "core/platform/file_format.h"
#include "core/style/palette.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace orolith {

// The largest palette file read; its 26 lines need a few hundred bytes.
inline constexpr std::size_t kPaletteFileLimit = 64 * 1024;

class PaletteFile : public FileFormat {
public:
    // Reads the file into `palette`. Line i (0..25) sets entry i only when it is 1 to 8
    // hexadecimal digits (either case) with a value up to FFFFFF; any other line, and every
    // line a short file does not have, keeps its entry. False, with `palette` unchanged, when
    // the file cannot be read (Missing; so is a name holding "*", the window's "no file") or
    // is not a regular file of at most kPaletteFileLimit bytes (NotValid).
    bool read(const std::filesystem::path& path, Palette& palette);

    // Replaces the file by a complete new one. False (NotWritten: the path, a blank and the
    // system's description) when that failed; the old file then stays as it was.
    bool write(const std::filesystem::path& path, const Palette& palette);

    static std::string text(const Palette& palette);
};

} // namespace orolith
