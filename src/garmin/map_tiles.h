#pragma once
// Cutting a Polish map into tiles that mkgmap can each hold. One mkgmap tile takes about
// 16 MB of region data, some 200 000 polygons or 20 million vertices; a larger map stops
// mkgmap. The blocks are grouped by area (halving the busiest part along its longer side
// until every part fits), and each part becomes a map of its own with the header of the
// whole map.

#include "garmin/map_number.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orolith::garmin {

// What one tile may hold. A block counts once for every level it is shown at.
struct TileLimits {
    std::uint64_t blocks = 100000;
    std::uint64_t vertices = 10000000;
};

// One [POLYGON] or [POLYLINE] block of the map: where it lies in the file and in the world.
struct MapBlock {
    std::uint64_t offset = 0;
    std::uint32_t length = 0;
    std::uint32_t vertices = 0; // times the levels it is shown at
    std::uint8_t levels = 1;
    float lat = 0, lon = 0; // the middle of its vertices' bounds
};

struct MapSurvey {
    std::string header; // everything before the first block
    std::vector<MapBlock> blocks;
    GeoBounds bounds;
    std::uint64_t vertices = 0;
    std::uint64_t weightedBlocks = 0;
};

// Reads the map once. False with `error` when it cannot be read or holds no vertex.
bool surveyMap(const std::filesystem::path& map, MapSurvey& survey, std::string& error);

// The blocks of each tile (indices into survey.blocks, in file order); one group when the
// whole map fits.
std::vector<std::vector<std::uint32_t>> planTiles(const MapSurvey& survey, const TileLimits& limits);

// Writes tile i as `folder`/(firstNumber + i).mp; its header's ID line carries its number.
// False with `error` when a tile cannot be written.
bool writeTiles(const std::filesystem::path& map, const MapSurvey& survey,
                const std::vector<std::vector<std::uint32_t>>& tiles, const std::filesystem::path& folder,
                std::uint32_t firstNumber, std::vector<std::filesystem::path>& written, std::string& error);

} // namespace orolith::garmin
