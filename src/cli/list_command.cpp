#include "cli/area_fetch.h"
#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/common_options.h"
#include "cli/input_files.h"
#include "cli/option_reader.h"
#include "core/conversion/conversion.h"

#include <string_view>

namespace orolith::cli {

namespace {

const std::string kListUsage =
    "Usage: orolith list INPUT [--first-type HEX]\n"
    "       orolith list DEM... [--first-type HEX] [--interval METRES] [--base METRES] [--fill-voids] [--smooth PIXELS]\n"
    "                    [--simplify METRES]\n"
    "       orolith list --bbox S,W,N,E [--source NAME[,NAME]] [--base-url URL] [--dir DIR] [OPTIONS]\n"
    "\n"
    "Lists the distinct elevations of a Geo Vector file in order of first appearance, one a\n"
    "line: the elevation, a tab, and its Garmin polygon type in hexadecimal. For elevation\n"
    "models it lists their bands from the lowest up, each by its lower limit.\n"
    "\n"
    "Options:\n" +
    optionLines({kFirstTypeHelp}, 21) +
    "  --interval, --base, --fill-voids, --smooth, --simplify   as for 'orolith mp'\n" +
    optionLines({kBboxHelp, kHelpHelp}, 21) +
    "\n"
    "Exit status: 0 listed, 1 the input could not be read, 2 a usage error.\n";
const CommandInfo kListCommand{"list", kListUsage};

} // namespace

int runList(Args args, Streams& io) {
    const ParsedArgs parsed = readInputArgs(args, {"--first-type"}, {"--help"});
    InputFiles inputs;
    if (const auto code = readInputFiles(parsed, kListCommand, io, inputs))
        return *code;
    if (const auto code = checkInputsReadable(inputs, kListCommand, io))
        return *code;

    ConversionOptions options;
    options.detailLevels = {true, false, false, false}; // levels do not matter for the list
    if (const auto text = parsed.value("--first-type"))
        options.firstType = FirstType::fromText(*text);

    CliHost host(io);
    host.setProgressLabel("Reading");
    const ConversionResult result = convertInputs(ConversionMode::ListOnly, options, inputs, host);
    host.endProgress();
    for (const TypeEntry& entry : result.types)
        io.out << typeListText(entry) << '\n';
    return result.ranPasses ? 0 : 1;
}

} // namespace orolith::cli
