#pragma once
// A desktop for the window tests: it answers questions, picks files and records what would
// have been shown, opened or started. Installed while it lives.

#include "gui/desktop.h"

#include <QList>
#include <QPair>
#include <QProcess>
#include <QStringList>
#include <functional>

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
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

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
    QStringList openFiles(QWidget* owner, const QString& folder, const FileFilter& filter) override {
        if (manyPicks.isEmpty())
            return Desktop::openFiles(owner, folder, filter);
        dialogs.append({false, folder, QString(), filter});
        return manyPicks.takeFirst();
    }
    QString chooseFolder(QWidget*, const QString& folder) override {
        dialogs.append({false, folder, QString(), {}});
        return picks.isEmpty() ? QString() : picks.takeFirst();
    }
    bool openUrl(const QString& url) override {
        urls.append(url);
        return browserFound;
    }
    void openFolder(const QString& path) override { folders.append(path); }
    void startProgram(const QString& program, const QStringList& arguments) override {
        started.append({program, arguments});
        if (runPrograms)
            QProcess::startDetached(program, arguments);
    }

    QStringList messages;
    QStringList questions;
    QList<bool> answers; // taken one per question; defaultAnswer once used up
    bool defaultAnswer = true;
    QList<Dialog> dialogs;
    QStringList picks; // taken one per file dialog; empty means cancelled
    QList<QStringList> manyPicks; // taken first by dialogs that allow several files
    QStringList urls;
    bool browserFound = true;
    QStringList folders;
    QList<QPair<QString, QStringList>> started;
    bool runPrograms = false;
    std::function<void(const QString&)> onMessage;
};

} // namespace orolith::gui::testing
