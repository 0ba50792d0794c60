#pragma once
// What the window tests share besides the fake desktop: finding controls, scratch files,
// a main window on a scratch home folder and a small Geo Vector input.

#include "core/settings/settings_file.h"
#include "fake_desktop.h"
#include "gui/main_window.h"
#include "gui/path_text.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>

namespace orolith::gui::testing {

inline const QByteArray kTwoBands = "header\r\n"
                                    "L 1 100.0\r\n -3.5 50.5\r\n -3.4 50.5\r\n -3.4 50.6\r\n -3.5 50.5\r\n"
                                    "L 2 150.0\r\n -3.45 50.52\r\n -3.44 50.53\r\n -3.45 50.52\r\n";

inline QString writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return QDir::toNativeSeparators(path);
}

inline QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The settings file an earlier run would have left in `home`.
inline void writeSettingsFile(const QString& home, const orolith::Settings& settings) {
    writeFile(home + QStringLiteral("/system/orolith.dat"),
              QByteArray::fromStdString(orolith::SettingsFile::text(settings)));
}

// Everything in `home`, as --home does; the maps of downloaded areas in home/Documents/Orolith.
inline orolith::HomePlaces scratchPlaces(const QString& home) {
    return orolith::placesInHome(toPath(home), toPath(home + QStringLiteral("/Documents")));
}

inline std::unique_ptr<MainWindow> openWindow(const QString& home) {
    MainWindow::Options options;
    options.places = scratchPlaces(home);
    options.checkForUpdate = false;
    auto window = std::make_unique<MainWindow>(options);
    window->show();
    return window;
}

// The fake desktop, a scratch home folder and a main window on it, for
// `auto& [desktop, home, window] = scratch;`.
struct ScratchWindow {
    FakeDesktop desktop;
    QTemporaryDir home;
    std::unique_ptr<MainWindow> window = openWindow(home.path());
};

// The control named `name`; a missing control ends the test run at once.
template <typename T> T* control(QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (found == nullptr)
        qFatal("no control %s", qPrintable(name));
    return found;
}

inline QColor swatchColour(QWidget& window, int index) {
    return control<QWidget>(window, QStringLiteral("Label4_%1").arg(index))
        ->palette()
        .color(QPalette::Window);
}

// Waits for the window's run, if one is going; false if it did not finish in time.
inline bool finishRun(MainWindow& window) {
    return !window.runActive() || QSignalSpy(&window, &MainWindow::runFinished).wait(20000);
}

inline void click(QWidget& window, const char* button) {
    QTest::mouseClick(control<QAbstractButton>(window, button), Qt::LeftButton);
}

inline void trigger(QWidget& window, const QString& action) {
    control<QAction>(window, action)->trigger();
}

} // namespace orolith::gui::testing
