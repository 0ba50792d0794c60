#include "gui/desktop_places.h"

#include "gui/path_text.h"

#include <QStandardPaths>

namespace orolith::gui {

namespace {

std::filesystem::path folder(QStandardPaths::StandardLocation location) {
    return toPath(QStandardPaths::writableLocation(location));
}

} // namespace

DesktopFolders desktopFolders() {
    DesktopFolders folders;
    folders.config = folder(QStandardPaths::GenericConfigLocation);
    folders.data = folder(QStandardPaths::GenericDataLocation);
    folders.cache = folder(QStandardPaths::GenericCacheLocation);
    folders.documents = folder(QStandardPaths::DocumentsLocation);
    return folders;
}

} // namespace orolith::gui
