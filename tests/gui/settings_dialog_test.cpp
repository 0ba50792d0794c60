// The settings window: choosing the TYP tool, "Apply", "Cancel" and the start folder.
#include "gui/settings_dialog.h"
#include "window_test_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {
const QString kOld = QStringLiteral("/opt/old/tool");
}

class SettingsDialogTest : public QObject {
    Q_OBJECT
  private slots:
    // The folder rules are the core's (see its path tests); a bare name starts in the program's.
    void startFolderFollowsTheToolPath() {
        const QString app = QStringLiteral("/home/me/orolith");
        QCOMPARE(startFolderFor(QStringLiteral("stylesmith.exe"), app), app);
        QCOMPARE(startFolderFor(QStringLiteral("C:/a\\b/tool"), app), QStringLiteral("C:/a\\b/"));
    }

    void onlyAnExecutableIsTaken() {
        FakeDesktop desktop;
        QTemporaryDir dir;
        const QString program = writeFile(dir.filePath("stylesmith"), "#!/bin/sh\n");
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
        SettingsDialog dialog(kOld, QStringLiteral("/app"));
        auto* choose = control<QPushButton>(dialog, "Command2_1");

        // Cancelled, missing and not executable: the old path stays.
        desktop.picks = {QString(), QStringLiteral("/no/such/program"),
                         writeFile(dir.filePath("notes.txt"), "")};
        for (int i = 0; i < 3; ++i)
            choose->click();
        QCOMPARE(desktop.messages, QStringList{QStringLiteral("Stylesmith not found.")});
        QCOMPARE(dialog.toolPath(), kOld);
        QCOMPARE(control<QLineEdit>(dialog, "Text1_1")->text(), kOld);
        QCOMPARE(desktop.dialogs[0].save, false);
        QCOMPARE(desktop.dialogs[0].folder, QStringLiteral("/opt/old/"));
        QVERIFY(desktop.dialogs[0].filter.label.startsWith(QStringLiteral("Stylesmith  (")));

        desktop.picks = {program};
        choose->click();
        QCOMPARE(dialog.toolPath(), program);
        QCOMPARE(control<QLineEdit>(dialog, "Text1_1")->text(), program);
        QCOMPARE(desktop.messages.size(), 1);
    }

    // A program chosen with "<<" stands even when the window is then closed with "Cancel".
    void cancelKeepsAChosenProgram() {
        FakeDesktop desktop;
        QTemporaryDir dir;
        desktop.picks = {writeFile(dir.filePath("stylesmith"), "#!/bin/sh\n")};
        QFile::setPermissions(desktop.picks[0], QFile::permissions(desktop.picks[0]) | QFile::ExeOwner);
        const QString program = desktop.picks[0];
        QTimer::singleShot(0, [] {
            QWidget& window = *QApplication::activeModalWidget();
            control<QPushButton>(window, "Command2_1")->click();
            control<QPushButton>(window, "Command3_1")->click();
        });
        QCOMPARE(runSettingsDialog(nullptr, kOld, QStringLiteral("/app")), program);
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "settings_dialog_test.moc"
