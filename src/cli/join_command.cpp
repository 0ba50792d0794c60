#include "cli/area_plan.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/option_reader.h"
#include "garmin/image_join.h"

#include <filesystem>

namespace orolith::cli {

namespace {

namespace fs = std::filesystem;

const std::string kJoinUsage =
    "Usage: orolith join DIR [--mkgmap PATH] [--force]\n"
    "\n"
    "Makes DIR/gmapsupp.img of the tiles of a plan ('orolith img --bbox ... --plan DIR') once\n"
    "every tile's job has made its image: mkgmap joins their map tiles, each keeping its map\n"
    "number, under the plan's family ID and TYP file.\n"
    "\n"
    "Options:\n" +
    optionLines({{"--mkgmap PATH", "the mkgmap program or its .jar file (default: as for 'orolith img')"},
                 {"--force", "replace an existing gmapsupp.img"},
                 kHelpHelp},
                18) +
    "\n"
    "Exit status: 0 gmapsupp.img was made, 1 it was not (a tile missing, or mkgmap failed),\n"
    "2 a usage error.\n";
const CommandInfo kJoinCommand{"join", kJoinUsage};

// The compiled TYP file a tile's job left beside its image.
fs::path typOf(const fs::path& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (entry.path().extension() == ".typ")
            return entry.path();
    return {};
}

int fail(Streams& io, const std::string& why) {
    io.err << "orolith join: gmapsupp.img was not made: " << why << "\n";
    return 1;
}

} // namespace

int runJoin(Args args, Streams& io) {
    const ParsedArgs parsed = readArgs(args, {"--mkgmap"}, {"--force", "--help"});
    if (const auto code = checkCommonUsage(parsed, kJoinCommand, io, "DIR"))
        return *code;
    const fs::path dir = parsed.positional.front();
    std::string error;
    const auto plan = readPlan(dir, error);
    if (!plan)
        return fail(io, error);
    garmin::JoinJob job;
    std::string missing;
    for (const std::string& tile : plan->tiles) {
        const fs::path folder = dir / "tiles" / tile;
        const auto images = garmin::mapTileImages(folder);
        if (!fs::exists(folder / "gmapsupp.img") || images.empty() || typOf(folder).empty()) {
            missing += (missing.empty() ? "" : ", ") + tile;
            continue;
        }
        job.tileImages.insert(job.tileImages.end(), images.begin(), images.end());
        if (job.typ.empty())
            job.typ = typOf(folder);
    }
    if (!missing.empty())
        return fail(io, "not every tile is made yet (run its job first): " + missing);
    job.outputDir = dir;
    job.name = plan->name;
    job.familyId = plan->familyId;
    job.replaceImage = parsed.has("--force");
    job.mkgmap = parsed.value("--mkgmap").value_or("");
    if (!garmin::joinImages(job, error))
        return fail(io, CliHost::plainLines(error));
    io.out << "gmapsupp.img: " << (dir / "gmapsupp.img").string() << "\n"
           << "Tiles: " << job.tileImages.size() << " from " << plan->tiles.size() << " jobs\n"
           << "Family ID: " << plan->familyId << "\n";
    return 0;
}

} // namespace orolith::cli
