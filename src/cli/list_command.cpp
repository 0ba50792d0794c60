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

// The usage text, made once.
const CommandInfo& listCommand() {
    static const std::string usage =
        "Usage: orolith list INPUT [--first-type HEX]\n"
        "       orolith list DEM... [--first-type HEX] [--interval M] [--base B] [--fill-voids] [--smooth PIXELS]\n"
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
    static const CommandInfo command{"list", usage};
    return command;
}

} // namespace

int runList(Args args, Streams& io) {
    std::set<std::string> values = {"--first-type"};
    std::set<std::string> flags = {"--help"};
    values.insert(kDemValueOptions.begin(), kDemValueOptions.end());
    flags.insert(kDemFlagOptions.begin(), kDemFlagOptions.end());
    const ParsedArgs parsed = readArgs(args, withAreaOptions(values), flags);
    InputFiles inputs;
    if (const auto code = readInputFiles(parsed, listCommand(), io, inputs))
        return *code;

    ConversionOptions options;
    options.detailLevels = {true, false, false, false}; // levels do not matter for the list
    options.firstType = parsed.value("--first-type").value_or(options.firstType);

    CliHost host(io);
    host.setProgressLabel("Reading");
    const ConversionResult result = convertInputs(ConversionMode::ListOnly, options, inputs, host);
    host.endProgress();
    for (const TypeEntry& entry : result.types)
        io.out << typeListText(entry) << '\n';
    return result.ranPasses ? 0 : 1;
}

} // namespace orolith::cli
