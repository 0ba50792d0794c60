#pragma once
// What the window tests share: a desktop that answers questions, picks files and records
// what would have been shown, opened or started; a main window on a scratch home folder;
// and a small Geo Vector input.

#include "gui/desktop.h"
#include "gui/main_window.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>

namespace orolith::gui::testing {

class FakeDesktop : public Desktop {
  public:
    struct Dialog {
        bool save;
        QString folder;
        QString name;
        FileFilter filter;
    };

    FakeDesktop() { Desktop::setInstance(this); }
    ~FakeDesktop() override { Desktop::setInstance(nullptr); }

    void message(QWidget*, const QString& text) override {
        messages.append(text);
        if (onMessage)
            onMessage(text);
    }
    bool ask(QWidget*, const QString& text) override {
        questions.append(text);
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    QString fileDialog(bool save, QWidget*, const QString& folder, const QString& name,
                       const FileFilter& filter) override {
        dialogs.append({save, folder, name, filter});
        return picks.isEmpty() ? QString() : picks.takeFirst();
    }
    void openUrl(const QString& url) override { urls.append(url); }
    void openFolder(const QString& path) override { folders.append(path); }
    void startProgram(const QString& program, const QStringList& arguments) override {
        started.append({program, arguments});
        if (runPrograms)
            QProcess::startDetached(program, arguments);
    }

    QStringList messages;
    QStringList questions;
    QList<bool> answers;
    bool defaultAnswer = true;
    QList<Dialog> dialogs;
    QStringList picks;
    QStringList urls;
    QStringList folders;
    QList<QPair<QString, QStringList>> started;
    bool runPrograms = false;
    std::function<void(const QString&)> onMessage;
};

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

inline std::unique_ptr<MainWindow> openWindow(const QString& home) {
    MainWindow::Options options;
    options.home = home;
    options.checkForUpdate = false;
    auto window = std::make_unique<MainWindow>(options);
    window->show();
    return window;
}

template <typename T> T* control(QWidget& window, const QString& name) {
    return window.findChild<T*>(name);
}

inline void trigger(QWidget& window, const QString& action) {
    if (auto* found = window.findChild<QAction*>(action))
        found->trigger();
}

} // namespace orolith::gui::testing
