#include "core/settings/home_places.h"

#include "core/platform/small_file.h"
#include "core/platform/text_split.h"

#include <cstdlib>
#include <string>
#include <string_view>

namespace orolith {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kFolderName = "orolith-creator";

fs::path environmentPath(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return {};
    const fs::path path(value);
    return path.is_absolute() ? path : fs::path(); // relative values are ignored, as the desktop does
}

fs::path orDefault(const fs::path& path, const fs::path& fallback) {
    return path.empty() ? fallback : path;
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" from the user-dirs.dirs file, or nothing.
fs::path documentsFromUserDirs(const fs::path& file, const fs::path& home) {
    const SmallFile small = readSmallFile(file, 64 * 1024);
    if (small.outcome != FileRead::Done)
        return {};
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string_view line : splitLines(small.bytes)) {
        if (!line.starts_with(key))
            continue;
        line.remove_prefix(key.size());
        const std::size_t quote = line.find('"');
        if (quote == std::string_view::npos)
            return {};
        std::string value(line.substr(0, quote));
        if (value.starts_with("$HOME"))
            return home / fs::path(value.substr(5)).relative_path();
        return fs::path(value).is_absolute() ? fs::path(value) : fs::path();
    }
    return {};
}

} // namespace

DesktopFolders environmentFolders() {
#ifdef _WIN32
    const fs::path profile = environmentPath("USERPROFILE");
    const fs::path roaming = orDefault(environmentPath("APPDATA"), fs::temp_directory_path());
    const fs::path local = orDefault(environmentPath("LOCALAPPDATA"), roaming);
    return {roaming, roaming, local, orDefault(profile, roaming) / "Documents"};
#else
    const fs::path home = orDefault(environmentPath("HOME"), fs::temp_directory_path());
    DesktopFolders folders;
    folders.config = orDefault(environmentPath("XDG_CONFIG_HOME"), home / ".config");
    folders.data = orDefault(environmentPath("XDG_DATA_HOME"), home / ".local" / "share");
    folders.cache = orDefault(environmentPath("XDG_CACHE_HOME"), home / ".cache");
    folders.documents = orDefault(environmentPath("XDG_DOCUMENTS_DIR"),
                                  orDefault(documentsFromUserDirs(folders.config / "user-dirs.dirs", home),
                                            home / "Documents"));
    return folders;
#endif
}

HomePlaces placesInHome(const fs::path& home, const fs::path& documents) {
    return {home, home / "system", home / "dem", documents / "Orolith"};
}

HomePlaces desktopPlaces(const DesktopFolders& folders) {
    return {folders.data / kFolderName, folders.config / kFolderName, folders.cache / kFolderName / "dem",
            folders.documents / "Orolith"};
}

HomePlaces choosePlaces(const fs::path& executableFolder, const DesktopFolders& folders) {
    const fs::path perUser = folders.data / kFolderName;
    for (const fs::path& home : {executableFolder, perUser}) {
        std::error_code ec;
        if (!home.empty() && fs::is_directory(home / "system", ec))
            return placesInHome(home, folders.documents);
    }
    return desktopPlaces(folders);
}

HomePlaces placesFor(const fs::path& homeOption, const fs::path& executableFolder, const DesktopFolders& folders) {
    if (!homeOption.empty())
        return placesInHome(homeOption, folders.documents);
    return choosePlaces(executableFolder, folders);
}

fs::path settingsFileIn(const HomePlaces& places) {
    return places.settings / "orolith.dat";
}

void ensurePlaces(const HomePlaces& places, Host& host) {
    for (const fs::path& folder : {places.data / "typ", places.data / "col", places.data / "patterns", places.settings}) {
        std::error_code ec;
        if (fs::is_directory(folder, ec))
            continue;
        fs::create_directories(folder, ec);
        if (ec)
            host.message(MessageKind::Failure, folder.string() + " " + ec.message());
    }
}

} // namespace orolith
