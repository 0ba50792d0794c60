#include "cli/area_fetch.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/input_files.h"
#include "cli/job_arguments.h"
#include "dem/dem_conversion.h"
#include "cli/option_reader.h"
#include "core/conversion/conversion.h"
#include "cli/cli_places.h"
#include "core/style/palette.h"
#include "core/style/pattern.h"
#include "core/platform/text_number.h"
#include "core/style/typ_from_listing.h"

#include <filesystem>
#include <optional>
#include <string_view>


namespace orolith::cli {

namespace {

const std::string kTypUsage =
    inputUsageLines("typ") +
    "\n"
    "Lists the elevation bands of a Geo Vector file (or of elevation models) and writes the TYP style text file (one\n"
    "draw order, one two-colour 32 x 32 polygon style and one line style per band) and the\n"
    "companion polygon list.\n"
    "\n"
    "Options:\n" +
    optionLines({{"--output PATH", "the TYP text file (default: typ/untitled.txt in the data\nfolder, ~/.local/share/orolith-creator, or HOME)"},
                 {"--companion PATH", "the companion list (default: test.tpgn in the same folder)"}},
                25) +
    styleOptionLines(25) +
    optionLines({{"--home DIR", kHomeOptionText},
                 {"--interval, --base, --fill-voids, --smooth, --simplify", "elevation models, as for 'orolith mp'"},
                 {"--contour-lines N", "elevation models: the line styles of 'orolith mp --contour-lines' too"},
                 kBboxHelp,
                 kHelpHelp},
                25) +
    "\n"
    "Exit status: 0 the TYP file was written, 1 it was not, 2 a usage error.\n";
const CommandInfo kTypCommand{"typ", kTypUsage};


struct TypCommand {
    ParsedArgs parsed;
    std::filesystem::path home;
    InputFiles inputs;
};

int writeTyp(const TypCommand& command, Streams& io) {
    const ParsedArgs& parsed = command.parsed;
    TypJob job;
    if (!readStyleArguments(parsed, io, "typ", job) ||
        !readRampArgument(parsed, io, "typ", command.inputs.isDem, !command.inputs.dem.seaCells.empty(), job.tint))
        return 1;
    const auto output = parsed.value("--output");
    const auto companion = parsed.value("--companion");
    job.style.typPath = output ? std::filesystem::path(*output) : command.home / "typ" / "untitled.txt";
    job.companionPath = companion ? std::filesystem::path(*companion) : command.home / "test.tpgn";

    CliHost host(io);
    ConversionOptions options;
    options.detailLevels = {true, false, false, false}; // levels do not matter for the list
    options.firstType.value = job.style.firstType;      // a text that is no first type was a usage error
    const InputFiles& inputs = command.inputs;
    if (inputs.isDem) {
        job.protectedPaths.assign(inputs.dem.inputs.begin(), inputs.dem.inputs.end());
        job.protectedPaths.push_back(dem::demOutputPathFor(inputs.dem.inputs.front()));
        job.contourLines = inputs.dem.contours.interval > 0;
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
    command.parsed = readInputArgs(args,
                                   {"--output", "--companion", "--pattern", "--pattern-text", "--palette",
                                    "--ramp", "--first-type", "--max-draworder", "--home"},
                                   {"--one-colour", "--row-per-band", "--help"});
    const ParsedArgs& parsed = command.parsed;
    if (const auto code = readInputFiles(parsed, kTypCommand, io, command.inputs))
        return *code;
    if (const auto problem = styleUsageProblem(parsed))
        return usageError(io, kTypCommand, *problem);
    if (const auto code = checkInputsReadable(command.inputs, kTypCommand, io))
        return *code;

    const HomePlaces places = placesOf(parsed);
    command.home = places.data;
    CliHost folderHost(io);
    ensurePlaces(places, folderHost);
    return writeTyp(command, io);
}

} // namespace orolith::cli
