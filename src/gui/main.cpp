// orolith-creator: the desktop program.
//   orolith-creator [--home DIR] [INPUT.txt]
// --home names the folder that holds col, patterns, system and typ; without it the program
// keeps its files where the desktop's conventions say (see core/settings/home_places.h).
#include "core/app/app_info.h"
#include "core/platform/temporary_files.h"
#include "gui/about_dialog.h"
#include "gui/desktop_places.h"
#include "gui/main_window.h"
#include "gui/translations.h"
#include "gui/update_check.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char* argv[]) {
    orolith::removeTemporariesOnSignals(); // an interrupted run leaves no half-written file
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orolith Creator"));
    QApplication::setApplicationVersion(QString::fromUtf8(
        orolith::app::kVersionText.data(), static_cast<qsizetype>(orolith::app::kVersionText.size())));

    QApplication::setWindowIcon(orolith::gui::applicationIcon());
    orolith::gui::installTranslations();

    QCommandLineParser arguments;
    arguments.setApplicationDescription(
        QCoreApplication::translate("main", "Elevation maps and TYP styles for Garmin receivers"));
    arguments.addHelpOption();
    arguments.addVersionOption();
    const QCommandLineOption home(QStringLiteral("home"),
                                  QCoreApplication::translate("main", "Folder holding col, patterns, system and typ."),
                                  QStringLiteral("DIR"));
    arguments.addOption(home);
    arguments.addPositionalArgument(QStringLiteral("input"),
                                    QCoreApplication::translate("main", "Geo Vector text file to open."),
                                    QStringLiteral("[input]"));
    arguments.process(app);

    orolith::gui::MainWindow::Options options;
    // Without --home: a home beside the program only when one is there already (a portable
    // copy), never just because its folder can be written (a build tree); else the desktop's.
    options.places = orolith::gui::windowPlaces(arguments.isSet(home) ? arguments.value(home) : QString());
    options.reopenLastInput = arguments.positionalArguments().isEmpty();
    auto window = std::make_unique<orolith::gui::MainWindow>(options);
    window->show();
    if (!arguments.positionalArguments().isEmpty())
        window->openInputFromCommandLine(QDir(arguments.positionalArguments().constFirst()).absolutePath());
    const int status = app.exec();
    window.reset(); // settings saved, runs stopped, nothing half-written left behind
    if (orolith::gui::UpdateCheck::networkLeftBusy()) {
        // Qt would wait for a server or a name lookup that never answers before the process
        // ends; the window is gone and everything is saved, so nothing is lost by ending now.
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
