#pragma once
// SRTM-3 elevation tiles: the name of the tile that holds a coordinate, and the address of
// that tile in the public archive (one folder per continent).

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orolith {

// The continent folders of the archive, in the order the download window lists them.
inline constexpr int kSrtmContinentCount = 6;
inline constexpr std::array<std::string_view, kSrtmContinentCount> kSrtmContinents = {
    "Africa", "Australia", "Eurasia", "Islands", "North_America", "South_America"};

// A stored continent index made usable: anything above the last continent selects it.
int clampSrtmContinent(int index);

// A continent by its folder name (any letter case) or its index "0".."5".
std::optional<int> srtmContinentByName(std::string_view text);

// What became of a coordinate text.
enum class TileProblem {
    None,
    NoSeparator,   // the text does not split into latitude and longitude
    NotACoordinate // a piece is not a number, or lies outside −90..90 / −180..180
};

// A 1° tile by the whole degrees of its south-west corner: lat −90..89, lon −180..179.
struct TileCorner {
    int lat = 0;
    int lon = 0;
    auto operator<=>(const TileCorner&) const = default;
};

// The tile that holds a point. The north pole and the 180° meridian lie on the edge of the
// last tile (N89, E179): there is no tile beyond them.
TileCorner tileOfPoint(double latitude, double longitude);

// "N50W004": hemisphere letters with two latitude and three longitude digits.
std::string tileName(TileCorner tile);

struct TileNameResult {
    TileProblem problem = TileProblem::None;
    std::string name; // e.g. "N50W004"; empty unless problem is None
    TileCorner tile;
};

// The tile of a coordinate "LAT/LON" ("LAT,LON" or "LAT\LON" also do; a slash wins over a
// comma). The tile is named after its south-west corner: N50W004 holds 50.75/-3.43.
TileNameResult srtmTileName(std::string_view coordinate);

// The message for a problem (empty for None).
std::string_view tileProblemMessage(TileProblem problem);

// A tile name typed by the user is only checked for its length.
enum class TileNameCheck {
    Ok,
    Empty,      // "Please check url", and then the length message as well
    WrongLength // "Needs to be 7 characters , ie N01E106"
};
TileNameCheck checkTileName(std::string_view name);

inline constexpr std::string_view kTileEmptyMessage = "Please check url";
inline constexpr std::string_view kTileLengthMessage = "Needs to be 7 characters , ie N01E106";

// Base address, continent folder, "/", name, ".hgt.zip". The continent index is clamped.
std::string srtmDownloadAddress(int continentIndex, std::string_view name);

} // namespace orolith
