#include "download/tile_area.h"

#include "core/platform/text_number.h"

#include <charconv>
#include <cmath>

namespace orolith::download {

namespace {

// A whole piece as a decimal number, or nothing.
std::optional<double> decimalPiece(std::string_view text) {
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The whole degrees from the first tile's to the last tile's along one axis, for edges
// `low` < `high`: an upper edge on a whole degree belongs to the tile below it.
std::pair<int, int> degreeSpan(double low, double high) {
    const int first = static_cast<int>(std::floor(low));
    int last = static_cast<int>(std::floor(high));
    if (last > first && std::floor(high) == high)
        --last;
    return {first, last};
}

// Degrees as text without trailing zeros: 1, 359, 0.5.
std::string degreesText(double degrees) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, degrees, std::chars_format::fixed, 6);
    std::string text(buffer, ec == std::errc() ? end : buffer);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.'))
        text.pop_back();
    return text;
}

// The two readings of a box whose west edge lies east of its east edge; `edges` are the four
// pieces of the text as given.
std::string swappedEdgesProblem(const BoundingBox& box, const std::string_view (&edges)[4]) {
    const BoundingBox swapped{box.south, box.east, box.north, box.west};
    const auto text = [](std::string_view piece) { return std::string(piece); };
    return "west " + text(edges[1]) + " lies east of east " + text(edges[3]) + ": either the edges are swapped (" +
           text(edges[0]) + "," + text(edges[3]) + "," + text(edges[2]) + "," + text(edges[1]) + ", " +
           degreesText(boxWidth(swapped)) + "° wide) or the box crosses the 180° meridian (" +
           degreesText(boxWidth(box)) + "° wide)";
}

} // namespace

double boxWidth(const BoundingBox& box) {
    return box.west < box.east ? box.east - box.west : 360 - (box.west - box.east);
}

std::optional<BoundingBox> parseBoundingBox(std::string_view text, std::string& problem, Crossing crossing) {
    double edges[4] = {};
    std::string_view pieces[4];
    std::size_t count = 0;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::optional<double> value = decimalPiece(text.substr(from, comma - from));
        if (!value || count == 4) {
            problem = "a bounding box is four numbers SOUTH,WEST,NORTH,EAST in degrees, ie 50,-4,51,-3";
            return std::nullopt;
        }
        pieces[count] = trimBlanks(text.substr(from, comma - from));
        edges[count++] = *value;
        from = comma + 1;
    }
    const BoundingBox box{edges[0], edges[1], edges[2], edges[3]};
    if (count != 4) {
        problem = "a bounding box is four numbers SOUTH,WEST,NORTH,EAST in degrees, ie 50,-4,51,-3";
        return std::nullopt;
    }
    if (box.south < -90 || box.north > 90 || box.south >= box.north) {
        problem = "the south edge must lie below the north edge, both within -90 to 90";
        return std::nullopt;
    }
    if (box.west < -180 || box.west > 180 || box.east < -180 || box.east > 180 || box.west == box.east) {
        problem = "the west and east edges must differ and lie within -180 to 180";
        return std::nullopt;
    }
    if (box.west > box.east && crossing == Crossing::Refused) {
        problem = swappedEdgesProblem(box, pieces);
        return std::nullopt;
    }
    return box;
}

BoundingBox boxOfTile(TileCorner tile) {
    return {double(tile.lat), double(tile.lon), double(tile.lat + 1), double(tile.lon + 1)};
}

std::vector<TileCorner> tilesCovering(const BoundingBox& box) {
    auto [south, north] = degreeSpan(box.south, box.north);
    south = std::max(south, -90);
    north = std::min(north, 89);
    // Longitudes as one run, or two when the box crosses the 180° meridian.
    std::vector<std::pair<int, int>> runs;
    if (box.west < box.east) {
        runs.push_back(degreeSpan(box.west, box.east));
    } else {
        runs.push_back({static_cast<int>(std::floor(box.west)), 179});
        if (box.east > -180)
            runs.push_back(degreeSpan(-180, box.east));
    }
    std::vector<TileCorner> tiles;
    for (int lat = south; lat <= north; ++lat) {
        for (const auto& [first, last] : runs) {
            for (int lon = std::max(first, -180); lon <= std::min(last, 179); ++lon)
                tiles.push_back({lat, lon});
        }
    }
    return tiles;
}

} // namespace orolith::download
