#include "cli/cli_host.h"
#include "cli/commands.h"
#include "cli/option_reader.h"
#include "cli/style_arguments.h"
#include "core/conversion/conversion.h"
#include "core/settings/home_folder.h"
#include "core/style/palette.h"
#include "core/style/pattern.h"
#include "core/platform/text_number.h"
#include "core/style/typ_writer.h"

#include <filesystem>
#include <optional>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

namespace orolith::cli {

namespace {

constexpr std::string_view kTypUsageHead =
    "Usage: orolith typ INPUT [OPTIONS]\n"
    "\n"
    "Lists the elevation bands of a Geo Vector file and writes the TYP style text file (one\n"
    "draw order, one two-colour 32 x 32 polygon style and one line style per band) and the\n"
    "companion polygon list.\n"
    "\n"
    "Options:\n"
    "  --output PATH          the TYP text file (default: HOME/typ/untitled.txt)\n"
    "  --companion PATH       the companion list (default: HOME/test.tpgn)\n";
constexpr std::string_view kTypUsageTail =
    "  --home DIR             the program's folder (default: the executable's folder when\n"
    "                         writable, else the per-user data folder)\n"
    "  --help                 show this text\n"
    "\n"
    "Exit status: 0 the TYP file was written, 1 it was not, 2 a usage error.\n";

const std::string kTypUsage =
    std::string(kTypUsageHead) + std::string(kStyleOptionsUsage) + std::string(kTypUsageTail);
const CommandInfo kTypCommand{"typ", kTypUsage};

std::filesystem::path executableFolder() {
#ifdef _WIN32
    wchar_t buffer[32768];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, 32768);
    if (length > 0 && length < 32768)
        return std::filesystem::path(std::wstring(buffer, length)).parent_path();
#else
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
#endif
    return std::filesystem::current_path();
}

struct TypCommand {
    ParsedArgs parsed;
    std::filesystem::path home;
    std::string input;
};

int writeTyp(const TypCommand& command, Streams& io) {
    const ParsedArgs& parsed = command.parsed;
    const auto arguments = readStyleArguments(parsed, kTypCommand.name, io);
    if (!arguments)
        return 1;
    TypJob job;
    job.style = arguments->style;
    job.cols = arguments->cols;
    job.style.typPath = parsed.value("--output").value_or((command.home / "typ" / "untitled.txt").string());
    job.companionPath = parsed.value("--companion").value_or((command.home / "test.tpgn").string());

    CliHost host(io);
    if (trimBlanks(job.style.patternText).empty()) {
        host.message(MessageKind::Failure, "Please add pattern.");
        return 1;
    }
    ConversionOptions options;
    options.inputPath = command.input;
    options.detailLevels = {true, false, false, false}; // levels do not matter for the list
    options.firstType = job.style.firstType;
    host.setProgressLabel("Reading");
    const ConversionResult listed = parse(ConversionMode::ListOnly, options, host);
    host.endProgress();
    if (listed.types.empty()) {
        if (listed.ranPasses)
            host.message(MessageKind::Failure, "No data");
        return 1;
    }
    job.types = listed.types;
    job.lowest = listed.lowest;
    job.protectedPaths = {command.input,
                          listed.mpfile.empty() ? outputPathFor(command.input) : listed.mpfile};
    return create_typ(job, host).written ? 0 : 1;
}

} // namespace

int runTyp(Args args, Streams& io) {
    TypCommand command;
    command.parsed = readArgs(args,
                              withStyleOptions(kStyleValueOptions, {"--output", "--companion", "--home"}),
                              withStyleOptions(kStyleFlagOptions, {"--help"}));
    const ParsedArgs& parsed = command.parsed;
    if (const auto code = checkCommonUsage(parsed, kTypCommand, io))
        return *code;
    if (const auto code = checkStyleUsage(parsed, kTypCommand, io))
        return *code;
    command.input = parsed.positional.front();

    if (const auto home = parsed.value("--home"))
        command.home = *home;
    else
        command.home = defaultHome(executableFolder());
    CliHost folderHost(io);
    ensureHomeFolders(command.home, folderHost);
    return writeTyp(command, io);
}

} // namespace orolith::cli
