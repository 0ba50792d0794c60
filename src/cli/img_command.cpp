#include "cli/area_fetch.h"
#include "cli/area_plan.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/input_files.h"
#include "cli/interrupt_catcher.h"
#include "cli/job_arguments.h"
#include "cli/option_reader.h"
#include "cli/run_trail.h"
#include "core/conversion/conversion.h"
#include "core/platform/paths.h"
#include "core/platform/size_text.h"
#include "core/platform/text_number.h"
#include "dem/dem_conversion.h"
#include "dem/dem_raster.h"
#include "garmin/garmin_image.h"
#include "garmin/mkgmap_program.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string_view>

namespace orolith::cli {

namespace {

namespace fs = std::filesystem;

const std::string kImgUsage =
    inputUsageLines("img") +
    "\n"
    "Makes gmapsupp.img, the file that goes onto the receiver, in one step: writes the Polish\n"
    "map and the TYP text of a Geo Vector file (or of elevation models, as 'orolith mp' reads\n"
    "them) into the output folder, then compiles both with\n"
    "mkgmap. mkgmap's own map, TYP and index files stay beside it for desktop map viewers.\n"
    "A map too large for one map tile is cut by area into several, numbered consecutively.\n"
    "\n"
    "Options:\n" +
    optionLines({{"--output-dir DIR", "the output folder (default: beside INPUT, named after it; for\n"
                                       "--bbox ~/Documents/Orolith/AREA)"},
                 {"--name NAME", "the map's name on the receiver (default: INPUT's name)"},
                 {"--map-id NUMBER", "the 8-digit number of the first map tile (default: derived from\n"
                                     "the area the map covers)"},
                 {"--family-id N", "family ID of the map and its TYP, 1..65535 (default: 1733)"},
                 {"--mkgmap PATH", "the mkgmap program or its .jar file (default: mkgmap on the PATH,\n"
                                   "or its .jar file where the package installs it, run with java)"},
                 {"--force", "replace an existing gmapsupp.img, map and TYP text"},
                 {"--levels LIST", "detail levels, comma-separated: digits 0..3 or the names\n"
                                   "highest, high, medium, low (default: 0,3)"},
                 kMaxDistanceHelp,
                 kContoursHelp},
                25) +
    styleOptionLines(25) +
    optionLines({{"--companion PATH", "the companion polygon list (default: DIR/INPUT's name.tpgn)"},
                 {"--interval, --base, --fill-voids, --smooth, --simplify", "elevation models, as for 'orolith mp'"},
                 {"--contour-lines, --contour-major, --feet", "labelled contour lines, as for 'orolith mp'"},
                 {"--holes keep|cut", "elevation models: hand mkgmap each polygon as one ring with its\n"
                                      "holes cut open, or with its holes (default: cut)"},
                 {"--threads N", "elevation models: tracing threads (default: one per core)"},
                 {"--bands LOW,HIGH", "elevation models: list the bands of LOW to HIGH metres even where\n"
                                      "the area has no such heights (same types in every area)"},
                 {"--plan DIR", "with --bbox: write one job per 1-degree tile into DIR/jobs.txt\n"
                                "(and DIR/slurm.sh) instead, for GNU parallel or Slurm; then\n"
                                "'orolith join DIR' makes gmapsupp.img of the tiles"},
                 {"--job", "a tile of a plan: wait for another job on the same folder, and\n"
                           "do nothing when its gmapsupp.img is made already"},
                 {"--hill-shading", ".hgt tiles: mkgmap adds its relief shading from the same tiles"},
                 kBboxHelp,
                 kHelpHelp},
                25) +
    "\n"
    "Exit status: 0 gmapsupp.img was made, 1 it was not (the reason on standard error),\n"
    "2 a usage error.\n";
const CommandInfo kImgCommand{"img", kImgUsage};

// The map's name without folder and extension: "area" for "area.txt" or "N50W004.hgt.zip".
std::string stemOf(const InputFiles& inputs) {
    if (!inputs.areaName.empty())
        return inputs.areaName;
    const fs::path map = inputs.isDem ? fs::path(dem::demOutputPathFor(inputs.dem.inputs.front()))
                                      : outputPathFor(inputs.geoVector);
    return map.stem().string();
}

bool isHgtTile(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name.ends_with(".hgt") || name.ends_with(".hgt.zip");
}

// mkgmap's shading from the folders of the tiles, its grid as fine as the tiles' own.
bool addHillShading(const InputFiles& inputs, garmin::ImageJob& image, std::string& error) {
    dem::DemRaster tile;
    if (!tile.open({{inputs.dem.inputs.front()}, {}, false})) {
        error = tile.error();
        return false;
    }
    for (const std::string& path : inputs.dem.inputs) {
        const fs::path folder = fs::absolute(fs::path(path)).parent_path();
        if (std::find(image.demFolders.begin(), image.demFolders.end(), folder) == image.demFolders.end())
            image.demFolders.push_back(folder);
    }
    image.demDistances = garmin::hillShadingDistances(static_cast<int>(tile.width()) - 1);
    return true;
}

struct ImgSettings {
    InputFiles inputs;
    std::string stem;
    fs::path outputDir;
    garmin::ImageJob image;
    ConversionOptions conversion;
};

// The checks that make a usage error; nullopt when the words are good.
std::optional<int> readSettings(const ParsedArgs& parsed, Streams& io, ImgSettings& settings) {
    if (const auto code = readInputFiles(parsed, kImgCommand, io, settings.inputs))
        return code;
    if (const auto code = readRunOptions(parsed, kImgCommand, io, HoleDefault::Cut, settings.inputs.dem))
        return code;
    if (const auto problem = styleUsageProblem(parsed))
        return usageError(io, kImgCommand, *problem);
    if (const auto id = parsed.value("--map-id")) {
        settings.image.mapNumber = garmin::parseMapNumber(*id);
        if (!settings.image.mapNumber)
            return usageError(io, kImgCommand, "--map-id takes an 8-digit number, 10000000 to 99999999, not '" + *id + "'");
    }
    if (const auto family = parsed.value("--family-id")) {
        const auto value = garmin::parseFamilyId(*family);
        if (!value)
            return usageError(io, kImgCommand, "--family-id takes a number from 1 to 65535, not '" + *family + "'");
        settings.image.familyId = *value;
    }
    settings.conversion.detailLevels = {true, false, false, true};
    std::string error;
    if (const auto levels = parsed.value("--levels");
        levels && !readLevels(*levels, settings.conversion.detailLevels, error))
        return usageError(io, kImgCommand, error);
    const InputFiles& inputs = settings.inputs;
    if (parsed.has("--hill-shading") &&
        (!inputs.isDem || !std::all_of(inputs.dem.inputs.begin(), inputs.dem.inputs.end(), isHgtTile)))
        return usageError(io, kImgCommand, "--hill-shading needs .hgt elevation tiles as input");
    if (const auto code = checkInputsReadable(inputs, kImgCommand, io))
        return code;
    settings.stem = stemOf(inputs);
    const fs::path first = inputs.isDem ? inputs.dem.inputs.front() : inputs.geoVector;
    const fs::path defaultDir = inputs.areaName.empty() ? garmin::imageFolderFor(first.parent_path(), settings.stem)
                                                        : inputs.areaFolder; // not the cache
    settings.outputDir = parsed.value("--output-dir").value_or(defaultDir.string());
    settings.image.outputDir = settings.outputDir;
    settings.image.name = parsed.value("--name").value_or(settings.stem);
    settings.image.mkgmap = parsed.value("--mkgmap").value_or("");
    settings.image.replaceImage = parsed.has("--force") || parsed.has("--job");
    return std::nullopt;
}

// The image's stages on a terminal, on one line drawn over and over (mkgmap's with the time
// it has taken and the time left); Ctrl+C stops them.
class StageLines : public garmin::ImageProgress {
  public:
    explicit StageLines(Streams& io) : io_(io) {}
    ~StageLines() override { finish(); }
    // Clears the line, before the result is printed.
    void finish() {
        if (drawn_)
            io_.err << "\r\033[K" << std::flush;
        drawn_ = false;
    }
    void stage(std::string_view text, double) override {
        if (!io_.errIsTerminal)
            return;
        io_.err << '\r' << text << "\033[K" << std::flush;
        drawn_ = true;
    }
    bool cancelled() override { return InterruptCatcher::raised(); }

  private:
    Streams& io_;
    bool drawn_ = false;
};

int fail(Streams& io, std::string_view why) {
    io.err << "orolith img: gmapsupp.img was not made: " << CliHost::plainLines(why) << "\n";
    return 1;
}

// Writes the map and the TYP text into the output folder, noting them in `trail`. False when
// either failed (the host has said why).
bool writeSources(const ImgSettings& settings, const ParsedArgs& parsed, Streams& io, garmin::ImageJob& image,
                  RunTrail& trail) {
    const std::string& stem = settings.stem;
    ConversionOptions options = settings.conversion;
    if (const auto text = parsed.value("--first-type"))
        options.firstType = FirstType::fromText(*text);
    if (const auto text = parsed.value("--max-distance"))
        options.maxDistance = MaxDistance::fromText(*text);
    options.addContours = parsed.has("--contours");
    options.outputPath = settings.outputDir / (stem + ".mp");
    options.replaceExisting = settings.image.replaceImage;
    trail.noteFile(options.outputPath);
    CliHost host(io);
    host.setDeclineHint("the map was not replaced (use --force to replace it).");
    host.setProgressLabel("Writing the map");
    const ConversionResult map = convertInputs(ConversionMode::Write, options, settings.inputs, host);
    host.endProgress();
    if (!map.written)
        return false;

    TypJob typ;
    if (!readStyleArguments(parsed, io, "img", typ) ||
        !readRampArgument(parsed, io, "img", settings.inputs.isDem, !settings.inputs.dem.seaCells.empty(), typ.tint))
        return false;
    typ.style.typPath = settings.outputDir / (stem + "-typ.txt");
    const auto companion = parsed.value("--companion");
    typ.companionPath = companion ? fs::path(*companion) : settings.outputDir / (stem + ".tpgn");
    typ.types = map.types;
    typ.lowest = map.lowest;
    typ.familyId = image.familyId;
    typ.contourLines = settings.inputs.isDem && settings.inputs.dem.contours.interval > 0;
    const std::vector<std::string>& inputs =
        settings.inputs.isDem ? settings.inputs.dem.inputs : std::vector<std::string>{settings.inputs.geoVector};
    typ.protectedPaths.assign(inputs.begin(), inputs.end());
    typ.protectedPaths.push_back(options.outputPath);
    trail.noteFile(typ.style.typPath);
    trail.noteFile(typ.companionPath);
    if (!writeTypFile(typ, host).written)
        return false;
    image.map = options.outputPath;
    image.typText = typ.style.typPath;
    return true;
}

// A tile of a plan (--job) waits for another job on its folder and does nothing when its
// image was made before. nullopt: go on; otherwise the exit code.
std::optional<int> startJob(const ParsedArgs& parsed, Streams& io, JobLock& lock) {
    const auto folder = parsed.value("--output-dir");
    if (!parsed.has("--job") || !folder)
        return std::nullopt;
    std::string error;
    if (!lock.take(*folder, error))
        return fail(io, error);
    if (!std::filesystem::exists(garmin::imagePath(*folder)))
        return std::nullopt;
    io.out << "gmapsupp.img: " << garmin::imagePath(*folder).string() << " was made before; nothing to do\n";
    return 0;
}

} // namespace

int runImg(Args args, Streams& io) {
    std::set<std::string> values = {"--output-dir", "--name", "--map-id", "--family-id", "--mkgmap", "--levels",
                                    "--first-type", "--max-distance", "--pattern", "--pattern-text", "--palette",
                                    "--ramp", "--max-draworder", "--companion", "--threads", "--holes", "--plan"};
    values.insert(kDemValueOptions.begin(), kDemValueOptions.end());
    values = withAreaOptions(std::move(values));
    const ParsedArgs parsed = readInputArgs(args, values,
                                            {"--contours", "--one-colour", "--row-per-band", "--hill-shading",
                                             "--force", "--help", "--job"});
    if (parsed.value("--plan") && parsed.error.empty() && !parsed.has("--help"))
        return writePlan(args, parsed, values, kImgCommand, io);
    JobLock job;
    if (const auto code = startJob(parsed, io, job))
        return *code;
    const InterruptCatcher interrupts; // Ctrl+C stops the run and takes away what it made
    StageLines stages(io);
    ImgSettings settings;
    if (const auto code = readSettings(parsed, io, settings))
        return *code;
    garmin::MkgmapCommand mkgmap;
    std::string error;
    RunTrail trail;
    trail.noteFolder(settings.outputDir);
    if (!garmin::findMkgmap(settings.image.mkgmap, mkgmap, error) ||
        !garmin::prepareOutputFolder(settings.outputDir, settings.image.replaceImage, error))
        return fail(io, error + (error.find("already exists") != std::string::npos ? " Use --force to replace it." : ""));
    garmin::ImageJob image = settings.image;
    if (parsed.has("--hill-shading") && !addHillShading(settings.inputs, image, error))
        return fail(io, error);
    const bool written = writeSources(settings, parsed, io, image, trail);
    const garmin::ImageResult result =
        written && !InterruptCatcher::raised() ? makeGarminImage(image, stages) : garmin::ImageResult{};
    stages.finish();
    if (InterruptCatcher::raised()) {
        trail.undo();
        io.err << "Cancelled\n";
        return InterruptCatcher::cancelledStatus();
    }
    if (!written)
        return 1;
    if (!result.made)
        return fail(io, result.error);
    io.out << "Created " << pathText(result.image) << " (" << sizeText(result.size) << ")\n"
           << "Map number: " << result.firstNumber;
    if (result.tiles > 1)
        io.out << " to " << result.firstNumber + result.tiles - 1;
    io.out << "\nFamily ID: " << image.familyId << "\n"
           << "Tiles: " << result.tiles << "\n";
    return 0;
}

} // namespace orolith::cli
