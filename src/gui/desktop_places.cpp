#include "gui/desktop_places.h"

#include "gui/path_text.h"

#include <QCoreApplication>
#include <QDir>
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

HomePlaces windowPlaces(const QString& homeOption) {
    const QString home = homeOption.isEmpty() ? QString() : QDir(homeOption).absolutePath();
    return placesFor(toPath(home), toPath(QCoreApplication::applicationDirPath()), desktopFolders());
}

} // namespace orolith::gui
