// The main window's menus, the recent-file entries and the update notice.
#include "core/app/app_info.h"
#include "gui/about_dialog.h"
#include "gui/byte_text.h"
#include "gui/conversion_runner.h"
#include "gui/desktop.h"
#include "gui/help_page.h"
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
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mfil"));
    buildFileMenu(file);

    QMenu* map = menuBar()->addMenu(tr("&Map"));
    map->setObjectName(QStringLiteral("mmap"));
    buildMapMenu(map);

    QMenu* colours = menuBar()->addMenu(tr("&Colours"));
    colours->setObjectName(QStringLiteral("mcolor"));
    connect(namedAction(colours, QStringLiteral("mcol_0"), tr("Desaturate")), &QAction::triggered, this,
            &MainWindow::desaturateColours);
    separator(colours, QStringLiteral("mcol_1"));
    connect(namedAction(colours, QStringLiteral("mcol_2"), tr("Convert to Shades")), &QAction::triggered,
            this, &MainWindow::convertToShades);

    QMenu* options = menuBar()->addMenu(tr("&Options"));
    options->setObjectName(QStringLiteral("msett"));
    connect(namedAction(options, QStringLiteral("mset_0"), tr("Locate Stylesmith")), &QAction::triggered,
            this, &MainWindow::locateTypTool);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mhelp"));
    QAction* manual = namedAction(help, QStringLiteral("mhlp_0"), tr("Onlne Help"));
    manual->setShortcut(QKeySequence::HelpContents);
    connect(manual, &QAction::triggered, this, [this] { openHelp(this); });
}

// What is made from the input, and the view of it; every entry has a key of its own.
void MainWindow::buildMapMenu(QMenu* menu) {
    const auto entry = [this, menu](const char* name, const QString& text, const QKeySequence& keys,
                                    auto slot) {
        QAction* action = namedAction(menu, QString::fromLatin1(name), text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    runActions_ = {
        entry("mmap_0", tr("Create mp"), QKeySequence(Qt::CTRL | Qt::Key_M), &MainWindow::createMap),
        entry("mmap_1", tr("Create TYP"), QKeySequence(Qt::CTRL | Qt::Key_T), &MainWindow::createTyp),
        entry("mmap_2", tr("Create Garmin map"), QKeySequence(Qt::CTRL | Qt::Key_G),
              &MainWindow::createGarminImage)};
    menu->addSeparator();
    entry("mmap_3", tr("Download map data"), QKeySequence(Qt::CTRL | Qt::Key_D),
          &MainWindow::openDownloadWindow);
    menu->addSeparator();
    entry("mmap_4", tr("Fit"), QKeySequence(Qt::CTRL | Qt::Key_0), &MainWindow::fitPreview);
}

void MainWindow::buildFileMenu(QMenu* menu) {
    openAction_ = namedAction(menu, QStringLiteral("mf_0"), tr("Open File"));
    openAction_->setShortcut(QKeySequence::Open);
    connect(openAction_, &QAction::triggered, this, &MainWindow::openFile);
    separator(menu, QStringLiteral("mf_1"));
    connect(namedAction(menu, QStringLiteral("mf_2"), tr("Import Colour Palette")), &QAction::triggered, this,
            &MainWindow::importPalette);
    connect(namedAction(menu, QStringLiteral("mf_3"), tr("Import Pattern")), &QAction::triggered, this,
            &MainWindow::importPattern);
    connect(namedAction(menu, QStringLiteral("mf_5"), tr("Save Color Palette")), &QAction::triggered, this,
            &MainWindow::savePalette);
    connect(namedAction(menu, QStringLiteral("mf_6"), tr("Save Pattern")), &QAction::triggered, this,
            &MainWindow::savePattern);
    separator(menu, QStringLiteral("mf_7"));
    connect(namedAction(menu, QStringLiteral("mf_8"), tr("About")), &QAction::triggered, this,
            [this] { runAboutDialog(this); });
    separator(menu, QStringLiteral("mf_9"));
    QAction* exit = namedAction(menu, QStringLiteral("mf_10"), tr(" Exit"));
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    separator(menu, QStringLiteral("mf_11"));
    for (int i = 0; i < RecentFiles::kCount; ++i) {
        QAction* entry = namedAction(menu, QStringLiteral("mf_%1").arg(12 + i), QString());
        connect(entry, &QAction::triggered, this, [this, i] { openRecent(i); });
        recentActions_[static_cast<std::size_t>(i)] = entry;
    }
    showRecentFiles();
}

void MainWindow::rememberInput(const QString& path) {
    if (recentFiles_.add(path))
        showRecentFiles();
}

void MainWindow::showRecentFiles() {
    for (int i = 0; i < RecentFiles::kCount; ++i) {
        QAction* entry = recentActions_[static_cast<std::size_t>(i)];
        const QString path = recentFiles_.at(i);
        entry->setText(menuText(path));
        // A path on a network share keeps its state: looking it up may take long.
        if (!path.startsWith(QLatin1Char('\\')))
            entry->setEnabled(!runner_->active() && !path.trimmed().isEmpty() && QFileInfo(path).isFile());
        // An entry that holds no path yet is not shown.
        entry->setVisible(!path.trimmed().isEmpty());
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
