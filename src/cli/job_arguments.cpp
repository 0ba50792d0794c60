#include "cli/job_arguments.h"

#include "cli/cli_host.h"
#include "core/conversion/typed_numbers.h"
#include "core/style/palette_file.h"
#include "core/style/pattern_file.h"
#include "core/style/ramp_file.h"

#include <optional>
#include <ostream>

namespace orolith::cli {

namespace {

// The pattern text of the command line: "\n" (backslash, n) and line feeds become CR LF.
std::string patternFromArgument(std::string_view text) {
    std::string pattern;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            pattern += "\r\n";
            ++i;
        } else if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            pattern += "\r\n";
        } else {
            pattern += text[i];
        }
    }
    return pattern;
}

// The pattern text from --pattern or --pattern-text; nothing (after saying why) when a
// pattern file cannot be used.
std::optional<std::string> patternText(const ParsedArgs& parsed, Streams& io, std::string_view command) {
    if (const auto text = parsed.value("--pattern-text"))
        return patternFromArgument(*text);
    const auto file = parsed.value("--pattern");
    if (!file)
        return std::string(kDefaultPatternText);
    PatternFile pattern;
    std::string text;
    if (pattern.read(*file, text))
        return text;
    if (pattern.error() == FileError::Missing)
        io.err << "orolith " << command << ": cannot read the pattern file " << *file << "\n";
    else
        io.err << pattern.errorString() << "\n";
    return std::nullopt;
}

} // namespace

std::optional<std::string> styleUsageProblem(const ParsedArgs& parsed) {
    if (parsed.value("--pattern") && parsed.value("--pattern-text"))
        return "give --pattern or --pattern-text, not both";
    if (const auto first = parsed.value("--first-type"); first && FirstType::fromText(*first).rejected)
        return "--first-type takes 1 to 8 hexadecimal digits, not '" + *first + "'";
    return std::nullopt;
}

bool readLevels(std::string_view text, std::array<bool, 4>& levels, std::string& error) {
    static constexpr std::string_view kNames[] = {"highest", "high", "medium", "low"};
    levels = {};
    for (const std::string& piece : splitList(text)) {
        std::size_t level = 4;
        if (piece.size() == 1 && piece[0] >= '0' && piece[0] <= '3')
            level = static_cast<std::size_t>(piece[0] - '0');
        for (std::size_t i = 0; i < 4; ++i)
            if (piece == kNames[i])
                level = i;
        if (level == 4) {
            error = "unknown level '" + piece + "' (use 0..3 or highest, high, medium, low)";
            return false;
        }
        levels[level] = true;
    }
    return true;
}

bool readStyleArguments(const ParsedArgs& parsed, Streams& io, std::string_view command, TypJob& job) {
    if (const auto pattern = patternText(parsed, io, command))
        job.style.patternText = *pattern;
    else
        return false;
    if (const auto palette = parsed.value("--palette")) {
        PaletteFile file;
        if (!file.read(*palette, job.palette)) {
            if (file.error() == FileError::Missing)
                io.err << "orolith " << command << ": cannot read the palette file " << *palette << "\n";
            else
                io.err << file.errorString() << "\n";
            return false;
        }
    }
    if (const auto first = parsed.value("--first-type"))
        job.style.firstType = FirstType::fromText(*first).value;
    if (const auto drawOrder = parsed.value("--max-draworder"))
        job.style.maxDrawOrder = readMaxDrawOrder(*drawOrder);
    job.style.oneColour = parsed.has("--one-colour");
    job.style.rowPerBand = parsed.has("--row-per-band");
    return true;
}

bool readRampArgument(const ParsedArgs& parsed, Streams& io, std::string_view command, bool elevationModel,
                      bool seaAtZero, TintChoice& tint) {
    std::optional<ColourRamp> chosen;
    if (const auto name = parsed.value("--ramp")) {
        chosen = builtInRamp(*name);
        if (!chosen) {
            RampFile file;
            ColourRamp read;
            if (!file.read(*name, read)) {
                if (file.error() == FileError::Missing)
                    io.err << "orolith " << command << ": '" << *name << "' is no built-in colour ramp ("
                           << rampNameList() << ") and no file\n";
                else
                    io.err << file.errorString() << "\n";
                return false;
            }
            chosen = std::move(read);
        }
    }
    tint.ramp = rampFor(chosen, elevationModel, parsed.value("--palette").has_value());
    tint.seaAtZero = seaAtZero;
    return true;
}

std::string rampNameList() {
    std::string list;
    for (const std::string& name : builtInRampNames())
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

} // namespace orolith::cli
