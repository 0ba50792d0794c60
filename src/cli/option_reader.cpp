#include "cli/option_reader.h"

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
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
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

} // namespace orolith::cli
