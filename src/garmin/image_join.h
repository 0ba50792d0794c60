#pragma once
// One gmapsupp.img from the images of several map areas made apart (the tiles of a plan):
// mkgmap joins their map tiles, keeping each tile's map number, under one family ID with the
// compiled TYP file they share. It works in a temporary folder inside the output folder; an
// existing gmapsupp.img is replaced only when asked, and then only by a complete new one.

#include <filesystem>
#include <string>
#include <vector>

namespace orolith::garmin {

struct JoinJob {
    std::vector<std::filesystem::path> tileImages; // mkgmap's map tiles (NNNNNNNN.img)
    std::filesystem::path typ;                     // the compiled TYP file
    std::filesystem::path outputDir;
    std::string name;
    int familyId = 0;
    bool replaceImage = false;
    std::string mkgmap; // a program or .jar named by the user; empty: search
};

// The map tiles mkgmap left in `folder`: files named by an 8-digit map number, sorted.
std::vector<std::filesystem::path> mapTileImages(const std::filesystem::path& folder);

// False with `error` when the image was not made.
bool joinImages(const JoinJob& job, std::string& error);

} // namespace orolith::garmin
