#pragma once
// Reading a subcommand's words: one positional argument and options, each option either a
// flag ("--force") or taking a value ("--levels 0,3" or "--levels=0,3").

#include "cli/commands.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orolith::cli {

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values; // options with a value, by name ("--levels")
    std::set<std::string> flags;               // options without a value
    std::string error;                         // non-empty: a usage error

    bool has(const std::string& flag) const { return flags.count(flag) != 0; }
    std::optional<std::string> value(const std::string& name) const;
};

ParsedArgs readArgs(Args args, const std::set<std::string>& valueOptions,
                    const std::set<std::string>& flagOptions);

} // namespace orolith::cli
