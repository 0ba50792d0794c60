#pragma once
// Running mkgmap and watching it: its output is kept (the last lines explain a failure),
// the tiles it has finished are counted from its output folder, and a cancel stops it.

#include "garmin/mkgmap_program.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orolith::garmin {

struct MkgmapRun {
    bool started = false;
    bool cancelled = false;
    int exitCode = -1;
    bool crashed = false;
    std::vector<std::string> lastLines; // mkgmap's own last lines, without Java's chatter
    int failedMaps = 0;                 // its count of tiles it could not compile
};

// Called about ten times a second with the number of `tileNames` (file names) that exist in
// `outputDir` so far; returning true stops mkgmap.
using MkgmapWatch = std::function<bool(std::size_t finishedTiles)>;

MkgmapRun runMkgmap(const MkgmapCommand& command, const std::vector<std::string>& arguments,
                    const std::filesystem::path& outputDir, const std::vector<std::string>& tileNames,
                    const MkgmapWatch& watch);

// "mkgmap stopped with exit code 1. Its last lines:" and the lines, one per line.
std::string describeFailure(const MkgmapRun& run);

} // namespace orolith::garmin
