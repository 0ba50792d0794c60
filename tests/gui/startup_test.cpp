// First start, the settings kept between runs, and the questions before closing.
#include "gui/legend_widget.h"
#include "gui/pattern_editor.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace orolith::gui;
using namespace orolith::gui::testing;

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void firstStartPreparesAnEmptyHome() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());

        for (const char* folder : {"typ", "col", "patterns", "system"})
            QVERIFY2(QDir(home.filePath(folder)).exists(), folder);
        QCOMPARE(window->windowTitle(), QStringLiteral("Orolith Creator 0.6"));
        QCOMPARE(control<PatternEditor>(*window, "Text1")->patternText(),
                 QStringLiteral("01010101\r\n10101010\r\n"));
        QCOMPARE(window->state().patcount, 2);
        QCOMPARE(window->state().patrows.first(), QStringLiteral("01").repeated(16));
        QCOMPARE(control<QLineEdit>(*window, "Text6")->text(),
                 QDir::toNativeSeparators(home.path() + QStringLiteral("/typ/untitled.txt")));
        QVERIFY(control<QCheckBox>(*window, "Check2_0")->isChecked());
        QVERIFY(!control<QCheckBox>(*window, "Check2_1")->isChecked());
        QVERIFY(control<QLabel>(*window, "Label8")->isHidden());
        QVERIFY(control<QFrame>(*window, "progimage")->isHidden());
        QVERIFY(desktop.messages.isEmpty());

        auto* first = control<SwatchLabel>(*window, "Label4_0");
        auto* last = control<SwatchLabel>(*window, "Label4_25");
        QCOMPARE(first->text(), QStringLiteral("0m"));
        QCOMPARE(control<SwatchLabel>(*window, "Label4_13")->text(), QStringLiteral("1300m"));
        QCOMPARE(last->text(), QStringLiteral("2500m"));
        QCOMPARE(control<SwatchLabel>(*window, "Label4_1")->palette().color(QPalette::Window),
                 QColor(0, 0, 128));
        QCOMPARE(control<SwatchLabel>(*window, "Label4_12")->palette().color(QPalette::Window),
                 QColor(255, 0, 0));
        QCOMPARE(last->palette().color(QPalette::Window), QColor(0, 255, 255));
    }

    void everyNamedControlExists() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        const QStringList widgets{
            "Text4",    "Command3_0", "Command3_1", "Command3_2", "Text6",    "Label3",   "Label2",
            "Label1_0", "Text2",      "Label5_0",   "Text3",      "Label5_1", "Text5",    "Label1_1",
            "Check2_0", "Check2_1",   "Check2_2",   "Check2_3",   "Check1",   "Check3",   "Check4",
            "Label1_2", "Text1",      "Label7",     "List1",      "Label6",   "Command1", "Command6",
            "Picture2", "Label8",     "progimage",  "backprog"};
        for (const QString& name : widgets)
            QVERIFY2(window->findChild<QWidget*>(name) != nullptr, qPrintable(name));
        for (int i = 0; i < 26; ++i)
            QVERIFY(window->findChild<QWidget*>(QStringLiteral("Label4_%1").arg(i)) != nullptr);
        QStringList actions{"mcol_0", "mcol_1", "mcol_2", "mset_0", "mhlp_0"};
        for (int i = 0; i < 16; ++i)
            actions << QStringLiteral("mf_%1").arg(i);
        for (const QString& name : actions)
            QVERIFY2(window->findChild<QAction*>(name) != nullptr, qPrintable(name));
        QCOMPARE(control<QAction>(*window, "mf_10")->text(), QStringLiteral(" Exit"));
        QCOMPARE(control<QAction>(*window, "mhlp_0")->text(), QStringLiteral("Onlne Help"));
        QCOMPARE(control<QToolButton>(*window, "Command3_1")->toolTip(), QStringLiteral(" Find mp File"));
        QCOMPARE(control<QToolButton>(*window, "Command3_2")->toolTip(),
                 QStringLiteral("Find typ( txt) File"));
        QCOMPARE(control<QToolButton>(*window, "Picture2")->toolTip(), QStringLiteral("Download map data"));
    }

    void settingsSurviveARestartUnchanged() {
        FakeDesktop desktop;
        QTemporaryDir home;
        const QString settings = home.filePath("system/orolith.dat");
        {
            auto window = openWindow(home.path());
            control<QLineEdit>(*window, "Text2")->setText("10400");
            control<QLineEdit>(*window, "Text3")->setText("1234");
            control<QLineEdit>(*window, "Text5")->setText("9");
            control<QCheckBox>(*window, "Check2_0")->setChecked(false);
            control<QCheckBox>(*window, "Check2_2")->setChecked(true);
            control<QCheckBox>(*window, "Check1")->setChecked(true);
            control<QCheckBox>(*window, "Check3")->setChecked(true);
            window->state().toolpath = "/opt/tool, with comma";
            window->state().region = 9;
            QVERIFY(window->close());
        }
        const QByteArray first = readFile(settings);
        QCOMPARE(first.count("\r\n"), 20);
        const QList<QByteArray> lines = first.split('\n');
        QCOMPARE(lines.at(1), QByteArray("/opt/tool, with comma\r"));
        QCOMPARE(lines.at(5), QByteArray(" 0 \r"));
        QCOMPARE(lines.at(7), QByteArray(" 1 \r"));
        QCOMPARE(lines.at(18), QByteArray(" 3 \r"));

        auto window = openWindow(home.path());
        QCOMPARE(control<QLineEdit>(*window, "Text2")->text(), QStringLiteral("10400"));
        QCOMPARE(control<QLineEdit>(*window, "Text3")->text(), QStringLiteral("1234"));
        QCOMPARE(control<QLineEdit>(*window, "Text5")->text(), QStringLiteral("9"));
        QVERIFY(!control<QCheckBox>(*window, "Check2_0")->isChecked());
        QVERIFY(control<QCheckBox>(*window, "Check2_2")->isChecked());
        QVERIFY(control<QCheckBox>(*window, "Check1")->isChecked());
        QCOMPARE(window->state().region, 3);
        QCOMPARE(window->state().toolpath, QStringLiteral("/opt/tool, with comma"));
        // No pattern file was ever saved: the editor keeps its checkerboard.
        QCOMPARE(control<PatternEditor>(*window, "Text1")->patternText(),
                 QStringLiteral("01010101\r\n10101010\r\n"));
        QCOMPARE(window->state().patcount, 2);
        QVERIFY(window->close());
        QCOMPARE(readFile(settings), first);
    }

    void savedPaletteAndPatternComeBackAtStartUp() {
        FakeDesktop desktop;
        QTemporaryDir home;
        const QString palette = writeFile(home.filePath("col/warm.col"), "FF\r\nFF00\r\n");
        const QString pattern = writeFile(home.filePath("patterns/dots.ptn"), "1000\r\n0000\r\n\r\n");
        {
            auto window = openWindow(home.path());
            window->state().colfile = palette;
            window->state().patfile = pattern;
            QVERIFY(window->close());
        }
        auto window = openWindow(home.path());
        QCOMPARE(control<SwatchLabel>(*window, "Label4_0")->palette().color(QPalette::Window),
                 QColor(255, 0, 0));
        QCOMPARE(control<SwatchLabel>(*window, "Label4_1")->palette().color(QPalette::Window),
                 QColor(0, 255, 0));
        QCOMPARE(control<PatternEditor>(*window, "Text1")->patternText(),
                 QStringLiteral("1000\r\n0000\r\n\r\n"));
        QCOMPARE(window->state().patrows.first(), QStringLiteral("1000").repeated(8));
        window->close();
    }

    void unsavedWorkIsAskedAboutBeforeClosing() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        window->state().colchanged = true;
        window->state().patchanged = true;

        desktop.answers = {false, true};
        QVERIFY(!window->close());
        QCOMPARE(desktop.questions.size(), 2);
        QCOMPARE(desktop.questions.at(0),
                 QStringLiteral("Colour Change has not been saved.\r\n\r\nExit without saving?"));
        QCOMPARE(desktop.questions.at(1),
                 QStringLiteral("Pattern has not been saved.\r\n\r\nExit without saving?"));
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
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        auto* editor = control<PatternEditor>(*window, "Text1");
        editor->clear();
        window->state().patchanged = false;
        QTest::keyClicks(editor, "01a2 1");
        QCOMPARE(editor->toPlainText(), QStringLiteral("011"));
        QVERIFY(window->state().patchanged);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, "10");
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(editor->patternText(), QStringLiteral("011\r\n1"));
        window->state().patchanged = false;
        window->close();
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
