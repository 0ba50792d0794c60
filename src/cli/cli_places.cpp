#include "cli/cli_places.h"

#include "cli/cli_host.h"

namespace orolith::cli {

HomePlaces placesOf(const ParsedArgs& parsed) {
    const DesktopFolders folders = environmentFolders();
    if (const auto home = parsed.value("--home"))
        return placesInHome(std::filesystem::path(*home), folders.documents);
    return choosePlaces(executableFolder(), folders);
}

} // namespace orolith::cli
