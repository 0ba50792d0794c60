#include "cli/area_fetch.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/input_files.h"
#include "cli/job_arguments.h"
#include "dem/dem_conversion.h"
#include "cli/option_reader.h"
#include "core/conversion/conversion.h"
#include "core/settings/home_folder.h"
#include "core/style/palette.h"
#include "core/style/pattern.h"
#include "core/platform/text_number.h"
#include "core/style/typ_from_listing.h"

#include <filesystem>
#include <optional>
#include <string_view>


namespace orolith::cli {

namespace {

constexpr std::string_view kTypUsage =
    "Usage: orolith typ INPUT [OPTIONS]\n"
    "       orolith typ DEM... [OPTIONS]\n"
    "       orolith typ --bbox S,W,N,E [--source NAME[,NAME]] [--base-url URL] [--dir DIR] [OPTIONS]\n"
    "\n"
    "Lists the elevation bands of a Geo Vector file (or of elevation models) and writes the TYP style text file (one\n"
    "draw order, one two-colour 32 x 32 polygon style and one line style per band) and the\n"
    "companion polygon list.\n"
    "\n"
    "Options:\n"
    "  --output PATH          the TYP text file (default: HOME/typ/untitled.txt)\n"
    "  --companion PATH       the companion list (default: HOME/test.tpgn)\n"
    "  --pattern FILE.ptn     the fill pattern from a pattern file\n"
    "  --pattern-text TEXT    the fill pattern's rows; \\n separates them\n"
    "                         (default: the checkerboard 01010101\\n10101010)\n"
    "  --palette FILE.col     the elevation colours from a palette file (default: built in)\n"
    "  --first-type HEX       first polygon type, hexadecimal (default: 10300)\n"
    "  --max-draworder TEXT   highest draw order written (default: 14)\n"
    "  --one-colour           light grey shades instead of the palette's colours\n"
    "  --row-per-band         each band repeats one row of the pattern\n"
    "  --home DIR             the program's folder (default: the executable's folder when\n"
    "                         writable, else the per-user data folder)\n"
    "  --interval, --base, --fill-voids, --smooth, --simplify\n"
    "                         elevation models, as for 'orolith mp'\n"
    "  --bbox S,W,N,E         in place of INPUT: the elevation tiles of a bounding box,\n"
    "                         fetched as 'orolith fetch' does (with its --source, --base-url,\n"
    "                         --region, --dir, --connections); tiles no source has are sea\n"
    "                         at 0 m; the output is named after the tiles (N50W004-N51W003)\n"
    "  --help                 show this text\n"
    "\n"
    "Exit status: 0 the TYP file was written, 1 it was not, 2 a usage error.\n";

constexpr CommandInfo kTypCommand{"typ", kTypUsage};


struct TypCommand {
    ParsedArgs parsed;
    std::filesystem::path home;
    InputFiles inputs;
};

int writeTyp(const TypCommand& command, Streams& io) {
    const ParsedArgs& parsed = command.parsed;
    TypJob job;
    if (!readStyleArguments(parsed, io, "typ", job))
        return 1;
    job.style.typPath = parsed.value("--output").value_or((command.home / "typ" / "untitled.txt").string());
    job.companionPath = parsed.value("--companion").value_or((command.home / "test.tpgn").string());

    CliHost host(io);
    ConversionOptions options;
    options.detailLevels = {true, false, false, false}; // levels do not matter for the list
    options.firstType = job.style.firstType;
    const InputFiles& inputs = command.inputs;
    if (inputs.isDem) {
        job.protectedPaths.assign(inputs.dem.inputs.begin(), inputs.dem.inputs.end());
        job.protectedPaths.push_back(dem::demOutputPathFor(inputs.dem.inputs.front()));
    } else {
        job.protectedPaths = {inputs.geoVector, outputPathFor(inputs.geoVector)};
    }
    const ListStep list = [&options, &inputs, &host](Host&) {
        host.setProgressLabel("Reading");
        ConversionResult listed = convertInputs(ConversionMode::ListOnly, options, inputs, host);
        host.endProgress();
        return listed;
    };
    return writeTypFromListing(std::move(job), list, host).typ.written ? 0 : 1;
}

} // namespace

int runTyp(Args args, Streams& io) {
    TypCommand command;
    command.parsed = readArgs(args,
                              withAreaOptions({"--output", "--companion", "--pattern", "--pattern-text", "--palette",
                                               "--first-type", "--max-draworder", "--home", "--interval", "--base",
                                               "--smooth", "--simplify"}),
                              {"--one-colour", "--row-per-band", "--help", "--fill-voids"});
    const ParsedArgs& parsed = command.parsed;
    if (const auto code = readInputFiles(parsed, kTypCommand, io, command.inputs))
        return *code;
    if (parsed.value("--pattern") && parsed.value("--pattern-text"))
        return usageError(io, kTypCommand, "give --pattern or --pattern-text, not both");
    if (const auto first = parsed.value("--first-type"); first && !parseHex32(*first))
        return usageError(io, kTypCommand,
                          "--first-type takes 1 to 8 hexadecimal digits, not '" + *first + "'");

    if (const auto home = parsed.value("--home"))
        command.home = *home;
    else
        command.home = defaultHome(executableFolder());
    CliHost folderHost(io);
    ensureHomeFolders(command.home, folderHost);
    return writeTyp(command, io);
}

} // namespace orolith::cli
