#include "cli/common_options.h"

namespace orolith::cli {

std::string optionLines(std::initializer_list<OptionHelp> options, std::size_t column) {
    std::string lines;
    for (const OptionHelp& option : options) {
        lines.append("  ").append(option.name);
        std::size_t width = 2 + option.name.size();
        std::string_view text = option.text;
        while (true) {
            if (width >= column) {
                lines += '\n';
                width = 0;
            }
            lines.append(column - width, ' ');
            const std::size_t end = text.find('\n');
            lines.append(text.substr(0, end)).append("\n");
            if (end == std::string_view::npos)
                break;
            text.remove_prefix(end + 1);
            width = 0;
        }
    }
    return lines;
}

std::string styleOptionLines(std::size_t column) {
    return optionLines({{"--pattern FILE.ptn", "the fill pattern from a pattern file"},
                        {"--pattern-text TEXT",
                         "the fill pattern's rows; \\n separates them\n(default: the checkerboard 01010101\\n10101010)"},
                        {"--palette FILE.col", "the elevation colours from a palette file (default: built in)"},
                        kRampHelp,
                        kFirstTypeHelp,
                        {"--max-draworder TEXT", "highest draw order written (default: 14)"},
                        {"--one-colour", "light grey shades instead of the palette's colours"},
                        {"--row-per-band", "each band repeats one row of the pattern"}},
                       column);
}

std::string inputUsageLines(std::string_view command) {
    const std::string usage = "orolith " + std::string(command);
    return "Usage: " + usage + " INPUT [OPTIONS]\n       " + usage + " DEM... [OPTIONS]\n       " + usage +
           " --bbox S,W,N,E [--source NAME[,NAME]] [--base-url URL] [--dir DIR] [OPTIONS]\n";
}

} // namespace orolith::cli
