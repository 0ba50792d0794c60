// "Create mp" and "Create TYP" through the window: the run happens off the window's thread,
// its messages are shown by the window, and the output folder buttons find what it wrote.
#include "gui/pattern_editor.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

using namespace orolith::gui;
using namespace orolith::gui::testing;

class RunsTest : public QObject {
    Q_OBJECT

  private slots:
    void createMapRunsWithTheButtonsDisabled() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        const QString map = QDir::toNativeSeparators(home.filePath("maps/dem1.mp"));
        window->openInputFromCommandLine(writeFile(home.filePath("maps/dem0.txt"), kTwoBands));
        QVERIFY(finishRun(*window)); // a recent entry to disable
        control<QLineEdit>(*window, "Text4")->setText(writeFile(home.filePath("maps/dem1.txt"), kTwoBands));
        control<QCheckBox>(*window, "Check2_3")->setChecked(true);
        auto* createMap = control<QPushButton>(*window, "Command6");
        auto* createTyp = control<QPushButton>(*window, "Command1");
        auto* progress = control<QProgressBar>(*window, "backprog");
        QCOMPARE(progress->value(), -1); // empty until a map run reports
        // Nothing that starts a run or changes the input is enabled while one is going.
        const QList<QObject*> starters = {createMap, createTyp, control<QToolButton>(*window, "Command3_0"),
                                          control<QAction>(*window, "mf_0"), control<QAction>(*window, "mf_12")};
        const auto anyEnabled = [&] {
            return std::any_of(starters.begin(), starters.end(),
                               [](QObject* starter) { return starter->property("enabled").toBool(); });
        };
        bool busyAtMessage = false;
        desktop.onMessage = [&](const QString&) { busyAtMessage = !anyEnabled() && progress->value() > 0; };

        QTest::mouseClick(createMap, Qt::LeftButton);
        QVERIFY(window->runActive());
        QVERIFY(!anyEnabled());
        QVERIFY(finishRun(*window));

        for (QObject* starter : starters)
            QVERIFY(starter->property("enabled").toBool());
        QVERIFY(busyAtMessage);
        QCOMPARE(desktop.messages,
                 QStringList{QStringLiteral("Created ") + map + QStringLiteral(" (0 polygons not included)")});
        QVERIFY(readFile(map).startsWith("[IMG ID]\r\n"));
        QCOMPARE(control<QLabel>(*window, "Label2")->text(), map);
        QCOMPARE(control<QListWidget>(*window, "List1")->count(), 2);
        QCOMPARE(progress->value(), -1);

        click(*window, "Command3_1"); // " Find mp File" shows the folder that holds the map
        QCOMPARE(desktop.folders, QStringList{QDir::toNativeSeparators(home.filePath("maps"))});

        // Declining to replace the map leaves it as it is, and nothing runs.
        writeFile(map, "keep me");
        desktop.answers = {false};
        QTest::mouseClick(createMap, Qt::LeftButton);
        QVERIFY(!window->runActive());
        QCOMPARE(desktop.questions.last(), map + QStringLiteral("\r\n\r\nFile exists.\r\n\r\nReplace?"));
        QCOMPARE(readFile(map), QByteArray("keep me"));
    }

    void createTypWritesAndStartsTheTool() {
        FakeDesktop desktop;
        desktop.runPrograms = true;
        QTemporaryDir home;
        const QString record = home.filePath("tool-arguments.txt");
        const QString tool = writeFile(home.filePath("tool.sh"),
                                       "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + record.toUtf8() + "'\n");
        QFile::setPermissions(tool, QFile::permissions(tool) | QFileDevice::ExeOwner);
        orolith::Settings settings;
        settings.toolPath = tool.toStdString();
        writeSettingsFile(home.path(), settings);
        auto window = openWindow(home.path());
        control<QLineEdit>(*window, "Text4")->setText(writeFile(home.filePath("maps/dem1.txt"), kTwoBands));
        const QString typ = QDir::toNativeSeparators(home.filePath("typ/style.txt"));
        control<QLineEdit>(*window, "Text6")->setText(typ);

        click(*window, "Command1");
        QVERIFY(!control<QPushButton>(*window, "Command6")->isEnabled());
        QVERIFY(finishRun(*window));

        QCOMPARE(control<QListWidget>(*window, "List1")->count(), 2);
        QVERIFY(QFile::exists(typ));
        QCOMPARE(desktop.messages.last(), QStringLiteral("created:") + typ);
        QCOMPARE(desktop.started.size(), 1);
        QCOMPARE(desktop.started[0].first, tool);
        QCOMPARE(desktop.started[0].second, QStringList{typ});
        QTRY_VERIFY_WITH_TIMEOUT(readFile(record) == typ.toUtf8() + "\n", 10000);

        // Another input typed into the box is listed before its TYP file is made.
        control<QLineEdit>(*window, "Text4")
            ->setText(writeFile(home.filePath("maps/dem2.txt"),
                                "L 1 0.0\r\n 7 50\r\n 7 50\r\nL 2 25.0\r\n 7 50\r\n 7 50\r\n"));
        click(*window, "Command1");
        QVERIFY(finishRun(*window));
        QCOMPARE(control<QListWidget>(*window, "List1")->item(1)->text(), QStringLiteral("25\t10301"));
        QVERIFY(readFile(typ).contains("Type=0x10301\r\nString1=0x0,25 m"));

        // "Find typ( txt) File" names the file in the box, then browses its folder.
        const QString typed = QDir::toNativeSeparators(home.filePath("styles/next.txt"));
        control<QLineEdit>(*window, "Text6")->setText(typed);
        click(*window, "Command3_2");
        QCOMPARE(desktop.messages.last(), typed);
        QCOMPARE(desktop.dialogs.last().folder, QDir::toNativeSeparators(home.filePath("styles")));
        QCOMPARE(desktop.dialogs.last().filter.label, QStringLiteral("TYP txt files(*.txt)"));
    }

    void runsReportWhatIsMissing() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        click(*window, "Command6");
        QVERIFY(finishRun(*window));
        QCOMPARE(desktop.messages, QStringList{QStringLiteral("Cannot find file:*.txt")});
        QCOMPARE(control<QLabel>(*window, "Label2")->text(), QStringLiteral("mp file"));

        control<QLineEdit>(*window, "Text4")
            ->setText(writeFile(home.filePath("empty.txt"), "no records\r\n"));
        click(*window, "Command1");
        QVERIFY(finishRun(*window));
        QCOMPARE(desktop.messages.last(), QStringLiteral("No data"));
        QVERIFY(desktop.started.isEmpty());

        control<PatternEditor>(*window, "Text1")->setPatternText(QStringLiteral("  "));
        click(*window, "Command1");
        QVERIFY(!window->runActive());
        QCOMPARE(desktop.messages.last(), QStringLiteral("Please add pattern."));
    }

    void closingDuringARunStopsItWithoutAPartialMap() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        QByteArray big = "header\r\n";
        for (int i = 0; i < 60000; ++i)
            big +=
                "L 1 " + QByteArray::number(100 + i % 300) +
                ".0\r\n -3.5 50.5\r\n -3.4 50.5\r\n -3.4 50.6\r\n -3.3 50.6\r\n -3.2 50.7\r\n -3.5 50.5\r\n";
        control<QLineEdit>(*window, "Text4")->setText(writeFile(home.filePath("big.txt"), big));
        click(*window, "Command6");
        QVERIFY(window->runActive());
        QVERIFY(!window->close()); // the window waits for the run to stop
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), 20000);
        QVERIFY(!window->runActive());
        QVERIFY(!QFile::exists(home.filePath("big.mp")));
        QVERIFY(QFile::exists(home.filePath("system/orolith.dat")));
        QVERIFY(desktop.messages.isEmpty());
    }
};

QTEST_MAIN(RunsTest)
#include "runs_test.moc"
