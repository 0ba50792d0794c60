#pragma once
// The program's home folder, holding typ, col, patterns and system.

#include "core/host.h"

#include <filesystem>

namespace orolith {

// The executable's folder when it can be written to; otherwise the per-user data folder
// ($XDG_DATA_HOME/orolith-creator or ~/.local/share/orolith-creator; on Windows
// %APPDATA%\Orolith Creator).
std::filesystem::path defaultHome(const std::filesystem::path& executableFolder);

// The per-user data folder alone.
std::filesystem::path userDataHome();

// Creates typ, col, patterns and system under `home`, in that order, each when missing
// (and `home` itself). A folder that cannot be made is reported and the next one is tried.
void ensureHomeFolders(const std::filesystem::path& home, Host& host);

} // namespace orolith
