#include "cli/cli_places.h"

#include "cli/cli_host.h"

namespace orolith::cli {

HomePlaces placesOf(const ParsedArgs& parsed) {
    return placesFor(std::filesystem::path(parsed.value("--home").value_or("")), executableFolder(),
                     environmentFolders());
}

} // namespace orolith::cli
