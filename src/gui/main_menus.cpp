// The main window's menus, the recent-file entries and the update notice.
#include "core/app/app_info.h"
#include "gui/help_page.h"
#include "gui/conversion_runner.h"
#include "gui/main_window.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace orolith::gui {

namespace {

QAction* namedAction(QMenu* menu, const QString& name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

QAction* separator(QMenu* menu, const QString& name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

QString menuText(const QString& caption) {
    QString shown = caption;
    return shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mfil"));
    buildFileMenu(file);

    QMenu* colours = menuBar()->addMenu(QStringLiteral("&Colours"));
    colours->setObjectName(QStringLiteral("mcolor"));
    connect(namedAction(colours, QStringLiteral("mcol_0"), QStringLiteral("Desaturate")), &QAction::triggered,
            this, &MainWindow::desaturateColours);
    separator(colours, QStringLiteral("mcol_1"));
    connect(namedAction(colours, QStringLiteral("mcol_2"), QStringLiteral("Convert to Shades")),
            &QAction::triggered, this, &MainWindow::convertToShades);

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("msett"));
    connect(namedAction(options, QStringLiteral("mset_0"), QStringLiteral("Locate Stylesmith")),
            &QAction::triggered, this, &MainWindow::locateTypTool);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mhelp"));
    connect(namedAction(help, QStringLiteral("mhlp_0"), QStringLiteral("Onlne Help")), &QAction::triggered,
            this, [] { openHelp(); });
}

void MainWindow::buildFileMenu(QMenu* menu) {
    const QStringList captions{QStringLiteral("Open File"),
                               QString(),
                               QStringLiteral("Import Colour Palette"),
                               QStringLiteral("Import Pattern"),
                               QString(),
                               QStringLiteral("Save Color Palette"),
                               QStringLiteral("Save Pattern"),
                               QString(),
                               QStringLiteral("About"),
                               QString(),
                               QStringLiteral(" Exit"),
                               QString()};
    for (int i = 0; i < 16; ++i) {
        const QString name = QStringLiteral("mf_%1").arg(i);
        const bool isSeparator = i == 1 || i == 7 || i == 9 || i == 11;
        QAction* action = isSeparator ? separator(menu, name) : namedAction(menu, name, captions.value(i));
        fileActions_[static_cast<std::size_t>(i)] = action;
        if (!isSeparator)
            connect(action, &QAction::triggered, this, [this, i] { onFileMenu(i); });
    }
    // The entry without a caption has no action and is not shown.
    fileActions_[4]->setVisible(false);
    fileActions_[0]->setShortcut(QKeySequence::Open);
    fileActions_[10]->setShortcut(QKeySequence::Quit);
    fileActions_[12]->setText(QStringLiteral(" "));
    for (int j = 12; j <= 15; ++j)
        fileActions_[static_cast<std::size_t>(j)]->setData(j == 12 ? QStringLiteral(" ") : QString());
    refreshRecentEntries();
}

void MainWindow::updatmf(QString path) {
    path = QDir::toNativeSeparators(path);
    if (path.startsWith(QLatin1Char('\\')))
        return;
    auto captionOf = [this](int j) { return fileActions_[static_cast<std::size_t>(j)]->data().toString(); };
    auto setCaption = [this](int j, const QString& text) {
        fileActions_[static_cast<std::size_t>(j)]->setData(text);
    };
    int found = -1;
    for (int j = 12; j <= 15 && found < 0; ++j) {
        if (captionOf(j) == path)
            found = j;
    }
    if (found == 12)
        return;
    for (int j = found < 0 ? 15 : found; j >= 13; --j)
        setCaption(j, captionOf(j - 1));
    setCaption(12, path);
    refreshRecentEntries();
}

void MainWindow::refreshRecentEntries() {
    for (int j = 12; j <= 15; ++j) {
        QAction* entry = fileActions_[static_cast<std::size_t>(j)];
        const QString caption = QDir::toNativeSeparators(entry->data().toString());
        entry->setData(caption);
        entry->setText(menuText(caption));
        if (!caption.startsWith(QLatin1Char('\\'))) {
            const QFileInfo file(caption);
            entry->setEnabled(!runner_->active() && !caption.trimmed().isEmpty() && file.isFile());
        }
        // An entry that holds no path yet is not shown.
        entry->setVisible(!caption.trimmed().isEmpty());
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == updateLabel_ && event->type() == QEvent::MouseButtonPress) {
        Desktop::instance().openUrl(fromBytes(app::kDownloadPageUrl));
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace orolith::gui
