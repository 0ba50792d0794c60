#pragma once
// The desktop's per-user folders as the platform names them (QStandardPaths), for the core's
// choice of where the program keeps its files (core/settings/home_places.h).

#include "core/settings/home_places.h"

namespace orolith::gui {

DesktopFolders desktopFolders();

} // namespace orolith::gui
