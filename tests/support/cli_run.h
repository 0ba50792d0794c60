#pragma once
// Runs the `orolith` tool in-process (or the built program through the shell) and keeps what it printed.
// Only for tests that link the CLI library.

#include "cli/commands.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace orolith::testing {

struct ToolRun {
    int code = -1;
    std::string out, err;
};

// The words after the program name, e.g. {"mp", "in.txt", "--force"}.
inline ToolRun runTool(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    cli::Streams io{out, err, false};
    const int code = cli::runMain(words, io);
    return {code, out.str(), err.str()};
}

// The built program with a shell command line's arguments; `out` holds stdout and stderr together.
inline ToolRun runBuiltTool(const std::string& arguments) {
    FILE* pipe = ::popen(("'" OROLITH_CLI_BINARY "' " + arguments + " 2>&1").c_str(), "r");
    ToolRun run;
    char buffer[256];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe))
        run.out += buffer;
    const int status = pipe != nullptr ? ::pclose(pipe) : -1;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

} // namespace orolith::testing
