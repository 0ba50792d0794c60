#pragma once
// The desktop's per-user folders as the platform names them (QStandardPaths), for the core's
// choice of where the program keeps its files (core/settings/home_places.h).

#include "core/settings/home_places.h"

#include <QString>

namespace orolith::gui {

DesktopFolders desktopFolders();

// The window's places: all in `homeOption` (--home DIR, made absolute) when it is given,
// else a home beside the program or the desktop's folders, as the command line chooses.
HomePlaces windowPlaces(const QString& homeOption);

} // namespace orolith::gui
