#include "gui/recent_files.h"

#include <QDir>

namespace orolith::gui {

RecentFiles::RecentFiles() : paths_{QStringLiteral(" "), QString(), QString(), QString()} {}

bool RecentFiles::add(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    if (native.startsWith(QLatin1Char('\\')))
        return false;
    const qsizetype found = paths_.indexOf(native);
    if (found == 0)
        return false;
    paths_.removeAt(found < 0 ? kCount - 1 : found);
    paths_.prepend(native);
    return true;
}

void RecentFiles::assign(const QStringList& paths) {
    for (int i = 0; i < kCount; ++i)
        paths_[i] = QDir::toNativeSeparators(paths.value(i));
    if (paths_[0].isEmpty())
        paths_[0] = QStringLiteral(" ");
}

} // namespace orolith::gui
