#include "core/settings/home_folder.h"

#include "core/platform/atomic_file.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace orolith {

namespace {

// True when a file can be created in `folder` (tried, then removed).
bool canWriteIn(const std::filesystem::path& folder) {
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
        return false;
    AtomicFile probe(folder / ".orolith-write-probe");
    return probe.open(); // the destructor removes the temporary again
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

std::filesystem::path userDataHome() {
#ifdef _WIN32
    const std::string appData = environment("APPDATA");
    if (!appData.empty())
        return std::filesystem::path(appData) / "Orolith Creator";
    return std::filesystem::temp_directory_path() / "Orolith Creator";
#else
    const std::string dataHome = environment("XDG_DATA_HOME");
    if (!dataHome.empty() && std::filesystem::path(dataHome).is_absolute())
        return std::filesystem::path(dataHome) / "orolith-creator";
    const std::string home = environment("HOME");
    if (!home.empty())
        return std::filesystem::path(home) / ".local" / "share" / "orolith-creator";
    return std::filesystem::temp_directory_path() / "orolith-creator";
#endif
}

std::filesystem::path defaultHome(const std::filesystem::path& executableFolder) {
    if (canWriteIn(executableFolder))
        return executableFolder;
    return userDataHome();
}

void ensureHomeFolders(const std::filesystem::path& home, Host& host) {
    for (const char* name : {"typ", "col", "patterns", "system"}) {
        const std::filesystem::path folder = home / name;
        std::error_code ec;
        if (std::filesystem::is_directory(folder, ec))
            continue;
        std::filesystem::create_directories(folder, ec);
        if (ec)
            host.message(MessageKind::Failure, folder.string() + " " + ec.message());
    }
}

} // namespace orolith
