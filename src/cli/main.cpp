#include "cli/commands.h"
#include "core/platform/temporary_files.h"

#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define OROLITH_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define OROLITH_ISATTY(fd) isatty(fd)
#endif

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    orolith::removeTemporariesOnSignals(); // an interrupted run leaves no half-written file
    const std::vector<std::string> args(argv + 1, argv + argc);
    orolith::cli::Streams io{std::cout, std::cerr, OROLITH_ISATTY(2) != 0};
    const int code = orolith::cli::runMain(args, io);
    std::cout.flush();
    return code;
}
