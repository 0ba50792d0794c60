#pragma once
// The option descriptions that several subcommands' usage texts share, and the layout of
// an option list: each option's name and arguments, its description in a column.

#include <initializer_list>
#include <string>
#include <string_view>

namespace orolith::cli {

// One option in a usage text. `text` may hold several lines, separated by "\n".
struct OptionHelp {
    std::string_view name; // "--first-type HEX"
    std::string_view text;
};

// The options' lines: two blanks, the name, the description from `column` on (on a line of
// its own when the name reaches the column). Every line ends with "\n".
std::string optionLines(std::initializer_list<OptionHelp> options, std::size_t column);

inline constexpr OptionHelp kFirstTypeHelp{"--first-type HEX", "first polygon type, hexadecimal (default: 10300)"};
inline constexpr OptionHelp kMaxDistanceHelp{
    "--max-distance METRES",
    "Geo Vector polygons whose first and last vertex lie further\napart are left out (default: 45000)"};
inline constexpr OptionHelp kContoursHelp{"--contours", "add every polygon once more as a contour line"};
inline constexpr OptionHelp kBboxHelp{
    "--bbox S,W,N,E",
    "in place of INPUT: the elevation tiles of a bounding box,\n"
    "fetched as 'orolith fetch' does (with its --source, --base-url,\n"
    "--region, --dir, --connections); tiles no source has are sea\n"
    "at 0 m; the output is named after the tiles (N50W004-N51W003)\n"
    "and goes to ~/Documents/Orolith/N50W004-N51W003/ unless named;\n"
    "a box across the 180° meridian needs --across-180"};
inline constexpr OptionHelp kRampHelp{
    "--ramp NAME|FILE",
    "the band colours: a built-in ramp (atlas, high-contrast, grey,\n"
    "classic: the palette's colours) or a gdaldem color-relief text,\n"
    "GMT .cpt or QGIS colour map file (default: atlas for elevation\n"
    "models without --palette, else classic)"};

inline constexpr OptionHelp kHelpHelp{"--help", "show this text"};

// The style options of `typ` and `img`, from --pattern to --row-per-band.
std::string styleOptionLines(std::size_t column);

// The usage lines that name the three kinds of input of `command`.
std::string inputUsageLines(std::string_view command);

} // namespace orolith::cli
