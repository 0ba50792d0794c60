#pragma once
// The area a fetch covers: a bounding box in degrees and the 1° tiles that cover it.

#include "core/tiles/srtm_tile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith::download {

// South, west, north and east edges in degrees. West greater than east crosses the 180°
// meridian (170 to −170 is 20° wide), which a box does only when asked for.
struct BoundingBox {
    double south = 0;
    double west = 0;
    double north = 0;
    double east = 0;
};

// Whether a west edge greater than the east edge may mean a box across the 180° meridian.
// Mostly it means the two were swapped (50,-3,51,-4), so crossing must be asked for.
enum class Crossing { Refused, Allowed };

// "SOUTH,WEST,NORTH,EAST", four decimal numbers with a point (blanks allowed around them).
// Nothing when the text is not such a box or the box is empty or outside the globe, or when
// west is greater than east and crossing is refused; `problem` then says why, naming both
// readings of a box with west and east swapped.
std::optional<BoundingBox> parseBoundingBox(std::string_view text, std::string& problem,
                                            Crossing crossing = Crossing::Refused);

// The box's width in degrees of longitude (across the 180° meridian when west > east).
double boxWidth(const BoundingBox& box);

// The box of one tile.
BoundingBox boxOfTile(TileCorner tile);

// The tiles that cover the box, south to north, then west to east. An edge that falls on a
// whole degree takes no tile beyond it: 50,-4,51,-3 is the one tile N50W004.
std::vector<TileCorner> tilesCovering(const BoundingBox& box);

// The most tiles one fetch takes (about 20° by 20°); larger boxes are refused.
inline constexpr std::size_t kMaxTilesPerFetch = 400;

} // namespace orolith::download
