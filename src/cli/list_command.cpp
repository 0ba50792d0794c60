#include "cli/commands.h"

namespace orolith::cli {

int runList(Args, Streams& io) {
    io.err << "orolith list: not built yet\n";
    return 1;
}

} // namespace orolith::cli
