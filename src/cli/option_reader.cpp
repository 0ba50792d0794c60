#include "cli/option_reader.h"

#include <cctype>
#include <ostream>

namespace orolith::cli {

std::optional<std::string> ParsedArgs::value(const std::string& name) const {
    const auto found = values.find(name);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}

ParsedArgs readArgs(Args args, const std::set<std::string>& valueOptions,
                    const std::set<std::string>& flagOptions) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
        const std::string& word = args[i];
        const bool negativeNumber = word.size() >= 2 && word[0] == '-' &&
                                    (std::isdigit(static_cast<unsigned char>(word[1])) || word[1] == '.');
        if (optionsEnded || word.size() < 2 || word[0] != '-' || negativeNumber) {
            parsed.positional.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (valueOptions.count(name) != 0) {
            if (equals != std::string::npos)
                parsed.values[name] = word.substr(equals + 1);
            else if (i + 1 < args.size())
                parsed.values[name] = args[++i];
            else
                parsed.error = "option " + name + " needs a value";
        } else if (flagOptions.count(word) != 0) {
            parsed.flags.insert(word);
        } else {
            parsed.error = "unknown option '" + word + "'";
        }
    }
    return parsed;
}

int usageError(Streams& io, const CommandInfo& command, std::string_view problem) {
    io.err << "orolith " << command.name << ": " << problem << "\n"
           << "Try 'orolith " << command.name << " --help'.\n";
    return 2;
}

std::optional<int> checkCommonUsage(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                    std::string_view what) {
    if (parsed.has("--help") && parsed.error.empty()) {
        io.out << command.usage;
        return 0;
    }
    if (!parsed.error.empty())
        return usageError(io, command, parsed.error);
    if (parsed.positional.empty())
        return usageError(io, command, "no " + std::string(what) + " given");
    if (parsed.positional.size() > 1)
        return usageError(io, command, "more than one " + std::string(what) + " given");
    return std::nullopt;
}

} // namespace orolith::cli
