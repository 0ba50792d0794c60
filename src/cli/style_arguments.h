#pragma once
// The style options that `typ` and `render` share: the fill pattern, the palette, the first
// type, the highest draw order and the two check boxes of the window.

#include "cli/option_reader.h"
#include "core/style/palette.h"
#include "core/style/typ_writer.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace orolith::cli {

inline const std::set<std::string> kStyleValueOptions{"--pattern", "--pattern-text", "--palette", "--first-type",
                                                      "--max-draworder"};
inline const std::set<std::string> kStyleFlagOptions{"--one-colour", "--row-per-band"};

// `own` options of a command together with the style options.
inline std::set<std::string> withStyleOptions(const std::set<std::string>& style, std::set<std::string> own) {
    own.insert(style.begin(), style.end());
    return own;
}

constexpr std::string_view kStyleOptionsUsage =
    "  --pattern FILE.ptn     the fill pattern from a pattern file\n"
    "  --pattern-text TEXT    the fill pattern's rows; \\n separates them\n"
    "                         (default: the checkerboard 01010101\\n10101010)\n"
    "  --palette FILE.col     the elevation colours from a palette file (default: built in)\n"
    "  --first-type HEX       first polygon type, hexadecimal (default: 10300)\n"
    "  --max-draworder TEXT   highest draw order written (default: 14)\n"
    "  --one-colour           light grey shades instead of the palette's colours\n"
    "  --row-per-band         each band repeats one row of the pattern\n";

// The usage errors of the style options; nullopt when there is none, else the exit code.
std::optional<int> checkStyleUsage(const ParsedArgs& parsed, const CommandInfo& command, Streams& io);

struct StyleArguments {
    StyleOptions style; // typPath is left empty
    Palette cols = defaultPalette();
};

// Reads the pattern and palette files the options name. A file that cannot be used is
// reported on standard error ("orolith COMMAND: cannot read ...") and nothing comes back.
std::optional<StyleArguments> readStyleArguments(const ParsedArgs& parsed, std::string_view command,
                                                 Streams& io);

// The pattern text of the command line: "\n" (backslash, n) and line feeds become CR LF.
std::string patternFromArgument(std::string_view text);

} // namespace orolith::cli
