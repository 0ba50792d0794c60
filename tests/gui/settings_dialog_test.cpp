// The settings window: choosing the TYP tool, "Apply", "Cancel" and the start folder.

#include "gui/desktop.h"
#include "gui/settings_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace orolith::gui;

namespace {

// Answers file dialogs with a prepared path and records what was asked and said.
class FakeDesktop : public Desktop {
  public:
    void message(QWidget*, const QString& text) override { messages << text; }
    bool ask(QWidget*, const QString&) override { return true; }
    QString fileDialog(bool save, QWidget*, const QString& folder, const QString& name,
                       const FileFilter& filter) override {
        dialogs << QStringList{save ? "save" : "open", folder, name, filter.label, filter.pattern};
        return answer;
    }
    void openUrl(const QString&) override {}
    void openFolder(const QString&) override {}
    void startProgram(const QString&, const QStringList&) override {}

    QString answer;
    QStringList messages;
    QList<QStringList> dialogs;
};

QString makeFile(const QTemporaryDir& dir, const QString& name, bool executable) {
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("#!/bin/sh\n");
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return QDir::toNativeSeparators(path);
}

template <typename T> T* child(QWidget* window, const char* name) {
    return window->findChild<T*>(QLatin1String(name));
}

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        Desktop::setInstance(&desktop);
        desktop = FakeDesktop();
    }
    void cleanup() { Desktop::setInstance(nullptr); }

    void startFolderFollowsTheToolPath() {
        const QString app = QStringLiteral("/home/me/orolith");
        QCOMPARE(startFolderFor(QString(), app), app);
        QCOMPARE(startFolderFor(QStringLiteral("C:\\tools\\"), app), app);
        QCOMPARE(startFolderFor(QStringLiteral("C:\\tools\\*.exe"), app), app);
        QCOMPARE(startFolderFor(QStringLiteral("stylesmith.exe"), app), app);
        QCOMPARE(startFolderFor(QStringLiteral("C:\\tools\\tool.exe"), QStringLiteral("x")),
                 QStringLiteral("C:\\tools\\"));
        QCOMPARE(startFolderFor(QStringLiteral("C:\\maps\\dem1\\dem1.exe"), app),
                 QStringLiteral("C:\\maps\\dem1\\"));
        QCOMPARE(startFolderFor(QStringLiteral("/opt/style/bin/stylesmith"), app),
                 QStringLiteral("/opt/style/bin/"));
        QCOMPARE(startFolderFor(QStringLiteral("C:/a\\b/tool"), app), QStringLiteral("C:/a\\b/"));
    }

    void windowHasItsControls() {
        SettingsDialog dialog(QStringLiteral("/usr/bin/stylesmith"), QStringLiteral("/app"));
        QCOMPARE(dialog.objectName(), QStringLiteral("settings"));
        QCOMPARE(child<QLineEdit>(&dialog, "Text1_1")->text(), QStringLiteral("/usr/bin/stylesmith"));
        for (const char* name : {"Command2_1", "Command3_0", "Command3_1", "Command1"})
            QVERIFY2(child<QPushButton>(&dialog, name) != nullptr, name);
        QVERIFY(child<QLabel>(&dialog, "Label1_2") != nullptr);
    }

    void choosingAProgramTakesItAtOnce() {
        QTemporaryDir dir;
        desktop.answer = makeFile(dir, QStringLiteral("stylesmith"), true);
        SettingsDialog dialog(QStringLiteral("/opt/old/tool"), QStringLiteral("/app"));
        child<QPushButton>(&dialog, "Command2_1")->click();

        QCOMPARE(desktop.dialogs.size(), 1);
        const QStringList asked = desktop.dialogs.first();
        QCOMPARE(asked.at(0), QStringLiteral("open"));
        QCOMPARE(asked.at(1), QStringLiteral("/opt/old/"));
        QVERIFY(asked.at(3).startsWith(QStringLiteral("Stylesmith  (")));
        QVERIFY(desktop.messages.isEmpty());
        QCOMPARE(dialog.toolPath(), desktop.answer);
        QCOMPARE(child<QLineEdit>(&dialog, "Text1_1")->text(), desktop.answer);
    }

    void aFileThatIsNoProgramIsRefused() {
        QTemporaryDir dir;
        desktop.answer = makeFile(dir, QStringLiteral("notes.txt"), false);
        SettingsDialog dialog(QStringLiteral("/opt/old/tool"), QStringLiteral("/app"));
        child<QPushButton>(&dialog, "Command2_1")->click();
        QCOMPARE(desktop.messages, QStringList{QStringLiteral("Stylesmith not found.")});
        QCOMPARE(dialog.toolPath(), QStringLiteral("/opt/old/tool"));
        QCOMPARE(child<QLineEdit>(&dialog, "Text1_1")->text(), QStringLiteral("/opt/old/tool"));
    }

    void aCancelledDialogOrMissingFileIsIgnored() {
        SettingsDialog dialog(QStringLiteral("/opt/old/tool"), QStringLiteral("/app"));
        for (const QString& answer : {QString(), QStringLiteral("/no/such/program")}) {
            desktop.answer = answer;
            child<QPushButton>(&dialog, "Command2_1")->click();
        }
        QVERIFY(desktop.messages.isEmpty());
        QCOMPARE(dialog.toolPath(), QStringLiteral("/opt/old/tool"));
        QCOMPARE(desktop.dialogs.at(0).at(1), QStringLiteral("/opt/old/"));
    }

    void applyTakesTheTypedTextUnchecked() {
        SettingsDialog dialog(QStringLiteral("/opt/old/tool"), QStringLiteral("/app"));
        dialog.show();
        child<QLineEdit>(&dialog, "Text1_1")->setText(QStringLiteral("/nowhere/tool"));
        child<QPushButton>(&dialog, "Command1")->click(); // OK does nothing
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.toolPath(), QStringLiteral("/opt/old/tool"));
        child<QPushButton>(&dialog, "Command3_0")->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.toolPath(), QStringLiteral("/nowhere/tool"));
    }

    // Through the modal run: typed text is dropped by "Cancel", a chosen program is not.
    void cancelKeepsOnlyAChosenProgram() {
        QTemporaryDir dir;
        const QString program = makeFile(dir, QStringLiteral("stylesmith"), true);
        const auto runAndThen = [](const std::function<void(QWidget*)>& act) {
            QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
            return runSettingsDialog(nullptr, QStringLiteral("/opt/old/tool"), QStringLiteral("/app"));
        };
        QCOMPARE(runAndThen([](QWidget* window) {
                     child<QLineEdit>(window, "Text1_1")->setText(QStringLiteral("typed"));
                     child<QPushButton>(window, "Command3_1")->click();
                 }),
                 QStringLiteral("/opt/old/tool"));
        desktop.answer = program;
        QCOMPARE(runAndThen([](QWidget* window) {
                     child<QPushButton>(window, "Command2_1")->click();
                     child<QPushButton>(window, "Command3_1")->click();
                 }),
                 program);
    }

  private:
    FakeDesktop desktop;
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
