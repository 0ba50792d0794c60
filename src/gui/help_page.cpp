#include "gui/help_page.h"

#include "gui/desktop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

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

void openHelp(QWidget* parent) {
    const QString path = manualPath();
    if (path.isEmpty()) {
        Desktop::instance().message(
            parent, QCoreApplication::translate("orolith::gui::Help", "The user's guide is not installed."));
        return;
    }
    const QUrl page = QUrl::fromLocalFile(path);
    if (Desktop::instance().openUrl(page.toString()))
        return;
    // One viewer for the whole run, raised again when asked for again.
    static QPointer<QDialog> viewer;
    if (viewer == nullptr) {
        viewer = new QDialog(parent);
        viewer->setObjectName(QStringLiteral("manualViewer"));
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->setWindowTitle(QCoreApplication::translate("orolith::gui::Help", "User's guide"));
        auto* browser = new QTextBrowser;
        browser->setObjectName(QStringLiteral("manualText"));
        browser->setOpenExternalLinks(true);
        browser->setSource(page);
        auto* layout = new QVBoxLayout(viewer);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        const QSize room =
            parent && parent->screen() ? parent->screen()->availableGeometry().size() * 0.9 : QSize(900, 700);
        viewer->resize(QSize(900, 700).boundedTo(room));
    }
    viewer->show();
    viewer->raise();
}

} // namespace orolith::gui
