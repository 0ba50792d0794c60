#include "core/style/palette_file.h"

#include "core/platform/atomic_file.h"
#include "core/platform/paths.h"
#include "core/platform/small_file.h"
#include "core/platform/text_number.h"
#include "core/platform/text_split.h"

#include <optional>
#include <string_view>
#include <vector>

namespace orolith {

namespace {

// A palette line: 1 to 8 hexadecimal digits, either case, nothing else, at most FFFFFF.
std::optional<std::int32_t> paletteEntry(std::string_view line) {
    if (line.empty() || line.size() > 8 ||
        line.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
        return std::nullopt;
    const auto value = parseHex32(line);
    if (!value || static_cast<std::uint32_t>(*value) > 0xFFFFFFu)
        return std::nullopt;
    return value;
}

} // namespace

bool PaletteFile::read(const std::filesystem::path& path, Palette& palette) {
    const std::string name = pathText(path);
    const SmallFile file = name.empty() || name.find('*') != std::string::npos
                               ? SmallFile{}
                               : readSmallFile(path, kPaletteFileLimit);
    if (file.outcome == FileRead::Missing)
        return fail(FileError::Missing, "Cannot read file:" + name);
    if (file.outcome == FileRead::NotValid)
        return fail(FileError::NotValid, "Not a valid palette file.");
    const auto lines = splitLines(file.bytes);
    for (std::size_t i = 0; i < palette.size() && i < lines.size(); ++i)
        if (const auto value = paletteEntry(lines[i]))
            palette[i] = *value;
    return succeed();
}

bool PaletteFile::write(const std::filesystem::path& path, const Palette& palette) {
    std::string error;
    if (!writeFileAtomically(path, text(palette), error))
        return fail(FileError::NotWritten, pathText(path) + " " + error);
    return succeed();
}

std::string PaletteFile::text(const Palette& palette) {
    std::string text;
    for (std::int32_t colour : palette)
        text += hexUpper(static_cast<std::uint32_t>(colour)) + "\r\n";
    text += "\r\n";
    return text;
}

} // namespace orolith
