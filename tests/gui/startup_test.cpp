// First start, the settings kept between runs, the pattern editor's keys and the questions
// before closing.
#include "gui/pattern_editor.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

using namespace orolith::gui;
using namespace orolith::gui::testing;

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void firstStartPreparesAnEmptyHome() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;

        for (const char* folder : {"typ", "col", "patterns", "system"})
            QVERIFY2(QDir(home.filePath(folder)).exists(), folder);
        QCOMPARE(window->windowTitle(), QStringLiteral("Orolith Creator 0.6"));
        QCOMPARE(control<PatternEditor>(*window, "Text1")->patternText(),
                 QStringLiteral("01010101\r\n10101010\r\n"));
        QCOMPARE(control<QLineEdit>(*window, "Text6")->text(),
                 QDir::toNativeSeparators(home.path() + QStringLiteral("/typ/untitled.txt")));
        QVERIFY(control<QCheckBox>(*window, "Check2_0")->isChecked());
        QVERIFY(control<QLabel>(*window, "Label8")->isHidden());
        QVERIFY(desktop.messages.isEmpty());
        QCOMPARE(control<QLabel>(*window, "Label4_0")->text(), QStringLiteral("0m"));
        QCOMPARE(control<QLabel>(*window, "Label4_25")->text(), QStringLiteral("2500m"));
        QCOMPARE(swatchColour(*window, 12), QColor(255, 0, 0));
        QCOMPARE(swatchColour(*window, 25), QColor(0, 255, 255));
    }

    void settingsPaletteAndPatternSurviveARestart() {
        FakeDesktop desktop;
        QTemporaryDir home;
        const QString settings = home.filePath("system/orolith.dat");
        orolith::Settings earlier;
        earlier.toolPath = "/opt/tool, with comma";
        earlier.region = 9;
        earlier.palettePath = writeFile(home.filePath("col/warm.col"), "FF\r\nFF00\r\n").toStdString();
        earlier.patternPath = writeFile(home.filePath("patterns/dots.ptn"), "1000\r\n0000\r\n\r\n").toStdString();
        const QString folder = QDir::toNativeSeparators(home.filePath("typ"));
        earlier.recentFiles[1] = folder.toStdString(); // a folder: listed, but not to be opened
        writeSettingsFile(home.path(), earlier);
        {
            auto window = openWindow(home.path());
            control<QLineEdit>(*window, "Text2")->setText("10400");
            control<QLineEdit>(*window, "Text5")->setText("9");
            control<QCheckBox>(*window, "Check2_0")->setChecked(false);
            control<QCheckBox>(*window, "Check2_2")->setChecked(true);
            control<QCheckBox>(*window, "Check1")->setChecked(true);
            control<QLineEdit>(*window, "Text3")->setText("1234.5");
            QVERIFY(!control<QAction>(*window, "mf_13")->isEnabled());
            QVERIFY(window->close());
        }
        const QByteArray first = readFile(settings);
        QCOMPARE(first.count("\r\n"), 20);
        const QList<QByteArray> lines = first.split('\n');
        QCOMPARE(lines.at(1), QByteArray("/opt/tool, with comma\r"));
        QCOMPARE(lines.at(5), QByteArray(" 0 \r"));
        QCOMPARE(lines.at(7), QByteArray(" 1 \r"));
        QCOMPARE(lines.at(10), folder.toUtf8() + "\r");
        QCOMPARE(lines.at(13), QByteArray("1234.5\r")); // Max Distance as typed
        QCOMPARE(lines.at(14), QByteArray(earlier.patternPath.c_str()) + "\r");
        QCOMPARE(lines.at(15), QByteArray(" 1 \r")); // Add Contours, not One Polygon Per Line
        QCOMPARE(lines.at(16), QByteArray(" 0 \r"));
        QCOMPARE(lines.at(18), QByteArray(" 3 \r"));

        auto window = openWindow(home.path());
        QCOMPARE(control<QLineEdit>(*window, "Text2")->text(), QStringLiteral("10400"));
        QCOMPARE(control<QLineEdit>(*window, "Text5")->text(), QStringLiteral("9"));
        QVERIFY(!control<QCheckBox>(*window, "Check2_0")->isChecked());
        QVERIFY(control<QCheckBox>(*window, "Check2_2")->isChecked());
        QVERIFY(control<QCheckBox>(*window, "Check1")->isChecked());
        QCOMPARE(control<QLineEdit>(*window, "Text3")->text(), QStringLiteral("1234.5"));
        QCOMPARE(window->keptSettings().typToolPath, QStringLiteral("/opt/tool, with comma"));
        QCOMPARE(swatchColour(*window, 0), QColor(255, 0, 0)); // the saved palette and pattern
        QCOMPARE(swatchColour(*window, 1), QColor(0, 255, 0));
        QCOMPARE(control<PatternEditor>(*window, "Text1")->patternText(),
                 QStringLiteral("1000\r\n0000\r\n\r\n"));
        QVERIFY(window->close());
        QCOMPARE(readFile(settings), first);
    }

    // Bytes that are no UTF-8 (a Latin-1 path, an old first line) survive a start and close;
    // palette and pattern files that have gone are reported at start and their names kept.
    void settingsBytesSurviveUnchanged() {
        FakeDesktop desktop;
        QTemporaryDir home;
        orolith::Settings settings;
        settings.reserved = "r\xe9serv\xe9";
        const std::string latin1 = home.filePath("caf").toStdString() + "\xe9.txt";
        settings.inputPath = latin1;
        settings.recentFiles = {latin1, "/maps/\xff\xfe.txt", "", ""};
        settings.mapPath = home.filePath("caf").toStdString() + "\xe9.mp";
        settings.palettePath = home.filePath("col/gone.col").toStdString();
        settings.patternPath = home.filePath("patterns/gone.ptn").toStdString();
        writeSettingsFile(home.path(), settings);
        const QByteArray before = readFile(home.filePath("system/orolith.dat"));
        auto window = openWindow(home.path());
        QCOMPARE(desktop.messages, QStringList({QStringLiteral("Cannot read file:") + home.filePath("col/gone.col"),
                                                QStringLiteral("Cannot read file:") +
                                                    home.filePath("patterns/gone.ptn")}));
        QVERIFY(window->close());
        QCOMPARE(readFile(home.filePath("system/orolith.dat")), before);
    }

    void unsavedWorkIsAskedAboutBeforeClosing() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        trigger(*window, "mcol_0"); // Desaturate
        QTest::keyClicks(control<PatternEditor>(*window, "Text1"), "1");

        desktop.answers = {false, true};
        QVERIFY(!window->close());
        QCOMPARE(desktop.questions,
                 QStringList({QStringLiteral("Colour Change has not been saved.\r\n\r\nExit without saving?"),
                              QStringLiteral("Pattern has not been saved.\r\n\r\nExit without saving?")}));
        QVERIFY(window->isVisible());
        QVERIFY(!QFile::exists(home.filePath("system/orolith.dat")));

        desktop.answers = {true, false};
        QVERIFY(!window->close());

        desktop.answers = {true, true};
        trigger(*window, "mf_10");
        QVERIFY(!window->isVisible());
        QVERIFY(QFile::exists(home.filePath("system/orolith.dat")));
    }

    void typedPatternKeysAreFiltered() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        auto* editor = control<PatternEditor>(*window, "Text1");
        editor->clear();
        QVERIFY(!window->patternState().unsaved);
        QTest::keyClicks(editor, "01a2 1");
        QCOMPARE(editor->toPlainText(), QStringLiteral("011"));
        QVERIFY(window->patternState().unsaved);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "10");
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(editor->patternText(), QStringLiteral("011\r\n1"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
