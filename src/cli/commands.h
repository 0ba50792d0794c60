#pragma once
// The subcommands of the `orolith` tool. Each takes the words after its name and returns
// the process exit code: 0 done, 1 the job failed, 2 a usage error.

#include <ostream>
#include <span>
#include <string>

namespace orolith::cli {

struct Streams {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false; // progress is drawn only on a terminal
};

using Args = std::span<const std::string>;

int runMp(Args args, Streams& io);
int runList(Args args, Streams& io);
int runTyp(Args args, Streams& io);
int runTile(Args args, Streams& io);
int runRender(Args args, Streams& io);
int runImg(Args args, Streams& io);
int runFetch(Args args, Streams& io);
int runJoin(Args args, Streams& io);

// The whole tool: argv without the program name.
int runMain(Args args, Streams& io);

} // namespace orolith::cli
