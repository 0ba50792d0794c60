#pragma once
// Where the programs keep their files. Two layouts:
// - One home folder (--home DIR, or a home that already exists beside the program, which is
//   how a portable copy carries its files): DIR holds typ/, col/, patterns/ and mosaics/,
//   DIR/system the settings, DIR/dem the tile cache.
// - Otherwise the desktop's per-user folders, which the front end learns from the platform
//   and passes in: settings in ~/.config/orolith-creator, palettes, patterns and TYP files in
//   ~/.local/share/orolith-creator, the tile cache in ~/.cache/orolith-creator/dem.
// Either way a downloaded area's map goes to Documents/Orolith/<area> unless the user names
// another folder.

#include "core/host.h"

#include <filesystem>

namespace orolith {

struct HomePlaces {
    std::filesystem::path data;     // typ/, col/, patterns/, mosaics/, the companion list
    std::filesystem::path settings; // orolith.dat, garmin.ini, dem-sources.txt
    std::filesystem::path tiles;    // the tile cache: <source>/<tile file>
    std::filesystem::path maps;     // the maps of downloaded areas: <area>/
};

// The desktop's per-user folders (not yet the program's own below them).
struct DesktopFolders {
    std::filesystem::path config;    // ~/.config
    std::filesystem::path data;      // ~/.local/share
    std::filesystem::path cache;     // ~/.cache
    std::filesystem::path documents; // ~/Documents
};

// The desktop's folders from the environment (XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME,
// XDG_DOCUMENTS_DIR or the user-dirs.dirs file, HOME; on Windows APPDATA, LOCALAPPDATA,
// USERPROFILE), for a front end without a platform library.
DesktopFolders environmentFolders();

// Everything under one home folder; maps still go to the documents folder.
HomePlaces placesInHome(const std::filesystem::path& home, const std::filesystem::path& documents);

// The program's folders below the desktop's.
HomePlaces desktopPlaces(const DesktopFolders& folders);

// A home that exists already (it has a "system" folder) is kept as one folder: beside the
// program (a portable copy), else the per-user one that earlier versions made
// (~/.local/share/orolith-creator with its system folder). Otherwise the desktop's folders.
HomePlaces choosePlaces(const std::filesystem::path& executableFolder, const DesktopFolders& folders);

// The places both front ends use: all in `homeOption` (--home DIR) when it is given, else
// choosePlaces.
HomePlaces placesFor(const std::filesystem::path& homeOption, const std::filesystem::path& executableFolder,
                     const DesktopFolders& folders);

// The settings file in the settings folder.
std::filesystem::path settingsFileIn(const HomePlaces& places);

// Creates the settings folder and typ, col and patterns in the data folder, each when
// missing. A folder that cannot be made is reported and the next one is tried.
void ensurePlaces(const HomePlaces& places, Host& host);

} // namespace orolith
