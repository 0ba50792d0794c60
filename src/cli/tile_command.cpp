#include "cli/commands.h"

namespace orolith::cli {

int runTile(Args, Streams& io) {
    io.err << "orolith tile: not built yet\n";
    return 1;
}

} // namespace orolith::cli
