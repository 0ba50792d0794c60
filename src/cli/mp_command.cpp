#include "cli/area_fetch.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/input_files.h"
#include "cli/job_arguments.h"
#include "cli/option_reader.h"
#include "core/conversion/conversion.h"

#include <string_view>

namespace orolith::cli {

namespace {

const std::string kMpUsage =
    inputUsageLines("mp") +
    "\n"
    "Writes the Polish map (.mp) of elevation models or of a Geo Vector file: every elevation\n"
    "band becomes polygons with its own Garmin polygon type, once for every selected detail level.\n"
    "Elevation models (.hgt, .hgt.zip, GeoTIFF, ESRI ASCII grid, VRT; several files form one\n"
    "mosaic) are cut into bands, each a polygon with its holes; their map goes beside the first\n"
    "one with its extensions replaced by .mp.\n"
    "A Geo Vector file's map goes beside it: a final .txt becomes .mp, any other name gets .mp\n"
    "appended.\n"
    "\n"
    "Options:\n" +
    optionLines({{"--levels LIST", "detail levels, comma-separated: digits 0..3 or the names\n"
                                   "highest, high, medium, low (default: 0)"},
                 kFirstTypeHelp,
                 kMaxDistanceHelp,
                 kContoursHelp,
                 {"--force", "replace an existing map"},
                 {"--output PATH", "write the map to PATH instead"},
                 {"--interval METRES", "elevation models: band height in whole metres (default: 25)"},
                 {"--base METRES", "elevation models: the elevation the bands start from (default: 0)"},
                 {"--fill-voids", "elevation models: fill voids by interpolation first"},
                 {"--smooth PIXELS", "elevation models: smooth the raster over PIXELS around each pixel"},
                 {"--simplify METRES", "elevation models: drop vertices while no boundary moves further;\n"
                                       "a boundary two bands share stays one line (default: a tenth\n"
                                       "of the pixel's shorter side; 0: none)"},
                 {"--holes keep|cut", "elevation models: keep holes as Data lines of their own, or cut\n"
                                      "each polygon open into one ring (default: keep)"},
                 {"--threads N", "elevation models: tracing threads (default: one per core)"},
                 {"--contour-lines N", "elevation models: labelled contour lines every N whole metres\n"
                                       "(types 0x20 minor, 0x21 intermediate, 0x22 major; default: none)"},
                 {"--contour-major N,M", "every N-th contour line is intermediate, every M-th major (default: 5,10)"},
                 {"--feet", "contour lines at foot intervals, labelled in feet"},
                 kBboxHelp,
                 kHelpHelp},
                24) +
    "\n"
    "Exit status: 0 the map was written, 1 it was not, 2 a usage error.\n";
const CommandInfo kMpCommand{"mp", kMpUsage};

} // namespace

int runMp(Args args, Streams& io) {
    const ParsedArgs parsed =
        readInputArgs(args, {"--levels", "--first-type", "--max-distance", "--output", "--threads", "--holes"},
                      {"--contours", "--force", "--help"});
    InputFiles inputs;
    if (const auto code = readInputFiles(parsed, kMpCommand, io, inputs))
        return *code;
    if (const auto code = readRunOptions(parsed, kMpCommand, io, HoleDefault::Keep, inputs.dem))
        return *code;

    ConversionOptions options;
    options.detailLevels = {true, false, false, false};
    std::string error;
    if (const auto levels = parsed.value("--levels");
        levels && !readLevels(*levels, options.detailLevels, error))
        return usageError(io, kMpCommand, error);
    if (const auto code = checkInputsReadable(inputs, kMpCommand, io))
        return *code;
    if (const auto text = parsed.value("--first-type"))
        options.firstType = FirstType::fromText(*text);
    if (const auto text = parsed.value("--max-distance"))
        options.maxDistance = MaxDistance::fromText(*text);
    options.addContours = parsed.has("--contours");
    options.replaceExisting = parsed.has("--force");
    options.outputPath = parsed.value("--output").value_or("");

    CliHost host(io);
    host.setDeclineHint("the map was not replaced (use --force to replace it).");
    host.setProgressLabel("Writing the map");
    const ConversionResult result = convertInputs(ConversionMode::Write, options, inputs, host);
    host.endProgress();
    return result.written ? 0 : 1;
}

} // namespace orolith::cli
