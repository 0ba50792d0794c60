#pragma once
// From a finished Polish map and TYP text to the file that goes onto the receiver,
// gmapsupp.img: the map is cut into tiles when one would not hold it, numbered, compiled by
// mkgmap in a temporary folder inside the output folder, and the results are moved into the
// output folder only when mkgmap made a complete image. An existing gmapsupp.img is replaced
// only when asked, and then only by a complete new one.

#include "garmin/map_tiles.h"
#include "core/style/typ_writer.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orolith::garmin {

// A layer drawn over a base map's background (whose maps usually take 25 and below) but
// under maps given a higher priority.
inline constexpr int kDrawPriority = 30;

struct ImageJob {
    std::filesystem::path map;       // the whole map
    std::filesystem::path typText;   // its TYP text, with FID = familyId
    std::filesystem::path outputDir; // receives gmapsupp.img and mkgmap's other files
    std::string name;                // the map's description on the device
    std::optional<std::uint32_t> mapNumber; // none: derived from the map's area
    int familyId = kDefaultFamilyId;
    bool replaceImage = false;
    std::string mkgmap; // a program or .jar named by the user; empty: search
    // Hill shading from the .hgt files in these folders, one distance per map level.
    std::vector<std::filesystem::path> demFolders;
    std::vector<int> demDistances;
    TileLimits limits;
};

struct ImageResult {
    bool made = false;
    bool cancelled = false;
    std::string error; // why not made
    std::filesystem::path image;
    std::uintmax_t size = 0;
    std::uint32_t firstNumber = 0; // tile i has firstNumber + i
    std::size_t tiles = 0;
};

class ImageProgress {
  public:
    virtual ~ImageProgress() = default;
    // A step of the run ("Compiling map tile 2 of 3 with mkgmap") and how far it is, 0..100.
    virtual void stage(std::string_view text, double percent) {
        (void)text;
        (void)percent;
    }
    // Polled often; true stops the run (mkgmap included) and leaves the output folder as it was.
    virtual bool cancelled() { return false; }
};

// mkgmap's hill shading grid for each of the map's six levels, from the tiles' own spacing
// (`samplesPerDegree`: 3600 for 1", 1200 for 3" tiles) at the finest level to coarser grids
// for the levels further out.
std::vector<int> hillShadingDistances(int samplesPerDegree);

// The default output folder: beside the input, in a folder named after it ("area" for
// "area.txt"); when a file of that name is in the way, "area-garmin". An input that has a
// folder of its own name already (a downloaded area: N49E005/N49E005.vrt) gets it there.
std::filesystem::path imageFolderFor(const std::filesystem::path& inputFolder, const std::string& stem);

// The path of gmapsupp.img in `outputDir`.
std::filesystem::path imagePath(const std::filesystem::path& outputDir);

// Creates the output folder when missing and checks that it takes files and that an existing
// gmapsupp.img may be replaced. False with `error` otherwise.
bool prepareOutputFolder(const std::filesystem::path& outputDir, bool replaceImage, std::string& error);

ImageResult makeGarminImage(const ImageJob& job, ImageProgress& progress);

} // namespace orolith::garmin
