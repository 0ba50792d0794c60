#include "cli/commands.h"

namespace orolith::cli {

int runMp(Args, Streams& io) {
    io.err << "orolith mp: not built yet\n";
    return 1;
}

} // namespace orolith::cli
