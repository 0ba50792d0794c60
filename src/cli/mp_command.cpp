#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/job_arguments.h"
#include "cli/option_reader.h"
#include "core/conversion/conversion.h"

#include <string_view>

namespace orolith::cli {

namespace {

constexpr std::string_view kMpUsage =
    "Usage: orolith mp INPUT [OPTIONS]\n"
    "\n"
    "Writes the Polish map (.mp) of a Geo Vector file: every elevation band becomes a polygon\n"
    "with its own Garmin polygon type, once for every selected detail level.\n"
    "The map goes beside the input: a final .txt becomes .mp, any other name gets .mp appended.\n"
    "\n"
    "Options:\n"
    "  --levels LIST         detail levels, comma-separated: digits 0..3 or the names\n"
    "                        highest, high, medium, low (default: 0)\n"
    "  --first-type HEX      first polygon type, hexadecimal (default: 10300)\n"
    "  --max-distance TEXT   polygons whose first and last vertex lie further apart (metres)\n"
    "                        are left out (default: 45000)\n"
    "  --contours            add every polygon once more as a contour line\n"
    "  --force               replace an existing map\n"
    "  --output PATH         write the map to PATH instead\n"
    "  --help                show this text\n"
    "\n"
    "Exit status: 0 the map was written, 1 it was not, 2 a usage error.\n";

constexpr CommandInfo kMpCommand{"mp", kMpUsage};

} // namespace

int runMp(Args args, Streams& io) {
    const ParsedArgs parsed = readArgs(args, {"--levels", "--first-type", "--max-distance", "--output"},
                                       {"--contours", "--force", "--help"});
    if (const auto code = checkCommonUsage(parsed, kMpCommand, io))
        return *code;

    ConversionOptions options;
    options.inputPath = parsed.positional.front();
    options.detailLevels = {true, false, false, false};
    std::string error;
    if (const auto levels = parsed.value("--levels");
        levels && !readLevels(*levels, options.detailLevels, error))
        return usageError(io, kMpCommand, error);
    options.firstType = parsed.value("--first-type").value_or(options.firstType);
    options.maxDistance = parsed.value("--max-distance").value_or(options.maxDistance);
    options.addContours = parsed.has("--contours");
    options.replaceExisting = parsed.has("--force");
    options.outputPath = parsed.value("--output").value_or("");

    CliHost host(io);
    host.setDeclineHint("the map was not replaced (use --force to replace it).");
    host.setProgressLabel("Writing the map");
    const ConversionResult result = parse(ConversionMode::Write, options, host);
    host.endProgress();
    return result.written ? 0 : 1;
}

} // namespace orolith::cli
