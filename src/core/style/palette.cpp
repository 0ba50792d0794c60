#include "core/style/palette.h"

#include "core/platform/atomic_file.h"
#include "core/colour/colour_value.h"
#include "core/platform/paths.h"
#include "core/platform/text_number.h"

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

// Lines ended by CR LF; a file with bare LF line ends reads the same.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace

Palette defaultPalette() {
    static constexpr std::array<std::int32_t, 14> kColours = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
        0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF,
    };
    Palette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = kColours[i % kColours.size()];
    return palette;
}

std::string paletteFileText(const Palette& palette) {
    std::string text;
    for (std::int32_t colour : palette)
        text += hexUpper(static_cast<std::uint32_t>(colour)) + "\r\n";
    text += "\r\n";
    return text;
}

bool writePalette(const std::filesystem::path& path, const Palette& palette, Host& host) {
    std::string error;
    if (writeFileAtomically(path, paletteFileText(palette), error))
        return true;
    host.message(MessageKind::Failure, pathText(path) + " " + error);
    return false;
}

FileRead readPalette(const std::filesystem::path& path, Palette& palette) {
    if (path.empty() || pathText(path).find('*') != std::string::npos)
        return FileRead::Missing;
    const SmallFile file = readSmallFile(path, kPaletteFileLimit);
    const auto lines = splitLines(file.bytes);
    for (std::size_t i = 0; i < palette.size() && i < lines.size(); ++i)
        if (const auto value = paletteEntry(lines[i]))
            palette[i] = *value;
    return file.outcome;
}

void desaturate(Palette& palette) {
    for (std::int32_t& colour : palette) {
        const Rgb c = splitColour(colour);
        const int grey = static_cast<int>(roundHalfEven((c.red + c.green + c.blue) / 3.0));
        colour = packColour(grey, grey, grey);
    }
}

void shadePaletteFromFirst(Palette& palette) {
    const Rgb base = splitColour(palette[0]);
    for (int j = 1; j < static_cast<int>(palette.size()); ++j) {
        const int k = 3 * (j - 1);
        palette[static_cast<std::size_t>(j)] =
            packColour(base.red - base.red * k / 128, base.green - base.green * k / 128,
                       base.blue - base.blue * k / 128);
    }
}

} // namespace orolith
