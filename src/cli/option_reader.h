#pragma once
// Reading a subcommand's words: one positional argument and options, each option either a
// flag ("--force") or taking a value ("--levels 0,3" or "--levels=0,3").

#include "cli/commands.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
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

// Words that begin with "-" and a digit or point ("-33.9,18.4") are positional, not options.
ParsedArgs readArgs(Args args, const std::set<std::string>& valueOptions,
                    const std::set<std::string>& flagOptions);

// A subcommand's name ("mp") and its usage text, for --help and usage errors.
struct CommandInfo {
    std::string_view name;
    std::string_view usage;
    bool boxBesideInput = false; // --bbox beside INPUT means the command's own area, not tiles to fetch
};

// Prints "orolith NAME: PROBLEM" and "Try 'orolith NAME --help'." on stderr, so that the
// problem stays in sight; returns 2.
int usageError(Streams& io, const CommandInfo& command, std::string_view problem);

// The checks every subcommand starts with: --help (exit 0), a usage error, and exactly one
// positional word (called `what` in messages). nullopt: go on; otherwise the exit code.
std::optional<int> checkCommonUsage(const ParsedArgs& parsed, const CommandInfo& command, Streams& io,
                                    std::string_view what = "INPUT");

} // namespace orolith::cli
