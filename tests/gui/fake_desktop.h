#pragma once
// A desktop that records what the windows would have shown or opened.

#include "gui/desktop.h"

#include <QStringList>

namespace orolith::testing {

class FakeDesktop : public gui::Desktop {
  public:
    FakeDesktop() { gui::Desktop::setInstance(this); }
    ~FakeDesktop() override { gui::Desktop::setInstance(nullptr); }
    FakeDesktop(const FakeDesktop&) = delete;
    FakeDesktop& operator=(const FakeDesktop&) = delete;

    void message(QWidget*, const QString& text) override { messages << text; }
    bool ask(QWidget*, const QString& text) override {
        questions << text;
        return true;
    }
    QString fileDialog(bool, QWidget*, const QString&, const QString&, const gui::FileFilter&) override {
        return {};
    }
    void openUrl(const QString& url) override { urls << url; }
    void openFolder(const QString& path) override { folders << path; }
    void startProgram(const QString& program, const QStringList&) override { programs << program; }

    QStringList messages;
    QStringList questions;
    QStringList urls;
    QStringList folders;
    QStringList programs;
};

} // namespace orolith::testing
