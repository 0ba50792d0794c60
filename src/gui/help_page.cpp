#include "gui/help_page.h"

#include "gui/desktop.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#ifndef OROLITH_MANUAL_INSTALLED
#define OROLITH_MANUAL_INSTALLED "../share/doc/orolith-creator/manual.html"
#endif

namespace orolith::gui {

QString manualPath() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    QStringList candidates{programFolder.absoluteFilePath(QStringLiteral(OROLITH_MANUAL_INSTALLED)),
                           programFolder.absoluteFilePath(QStringLiteral("manual.html"))};
#ifdef OROLITH_MANUAL_SOURCE
    candidates << QStringLiteral(OROLITH_MANUAL_SOURCE);
#endif
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.isFile())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return QString();
}

void openHelp() {
    const QString path = manualPath();
    if (!path.isEmpty())
        Desktop::instance().openUrl(QUrl::fromLocalFile(path).toString());
}

} // namespace orolith::gui
