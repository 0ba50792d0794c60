#include "cli/style_arguments.h"

#include "core/platform/text_number.h"
#include "core/style/pattern.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

namespace orolith::cli {

namespace {

std::optional<std::string> readWhole(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The pattern text from --pattern or --pattern-text; nothing (after saying why) when a
// pattern file cannot be used.
std::optional<std::string> patternText(const ParsedArgs& parsed, std::string_view command, Streams& io) {
    if (const auto text = parsed.value("--pattern-text"))
        return patternFromArgument(*text);
    const auto file = parsed.value("--pattern");
    if (!file)
        return std::string(kDefaultPatternText);
    const auto content = readWhole(*file);
    if (!content) {
        io.err << "orolith " << command << ": cannot read the pattern file " << *file << "\n";
        return std::nullopt;
    }
    if (!isValidPatternFileText(*content)) {
        io.err << "Not a valid pattern file.\n";
        return std::nullopt;
    }
    return content;
}

} // namespace

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

std::optional<int> checkStyleUsage(const ParsedArgs& parsed, const CommandInfo& command, Streams& io) {
    if (parsed.value("--pattern") && parsed.value("--pattern-text"))
        return usageError(io, command, "give --pattern or --pattern-text, not both");
    if (const auto first = parsed.value("--first-type"); first && !parseHex32(*first))
        return usageError(io, command, "--first-type takes 1 to 8 hexadecimal digits, not '" + *first + "'");
    return std::nullopt;
}

std::optional<StyleArguments> readStyleArguments(const ParsedArgs& parsed, std::string_view command,
                                                 Streams& io) {
    StyleArguments arguments;
    if (const auto pattern = patternText(parsed, command, io))
        arguments.style.patternText = *pattern;
    else
        return std::nullopt;
    if (const auto palette = parsed.value("--palette")) {
        if (!readWhole(*palette)) {
            io.err << "orolith " << command << ": cannot read the palette file " << *palette << "\n";
            return std::nullopt;
        }
        loadcols(*palette, arguments.cols);
    }
    StyleOptions& style = arguments.style;
    style.firstType = parsed.value("--first-type").value_or(style.firstType);
    style.maxDrawOrder = parsed.value("--max-draworder").value_or(style.maxDrawOrder);
    style.oneColour = parsed.has("--one-colour");
    style.rowPerBand = parsed.has("--row-per-band");
    return arguments;
}

} // namespace orolith::cli
