#include "cli/commands.h"

namespace orolith::cli {

int runTyp(Args, Streams& io) {
    io.err << "orolith typ: not built yet\n";
    return 1;
}

} // namespace orolith::cli
