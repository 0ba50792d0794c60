// The File and Colours menus: opening inputs and the recent-file entries, palettes and
// patterns with their replace questions.
#include "gui/pattern_editor.h"
#include "window_test_support.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// The caption of File menu entry `index`.
QString recent(QWidget& window, int index) {
    return control<QAction>(window, QStringLiteral("mf_%1").arg(index))->text();
}

// Triggers `action` and waits for the listing it may start.
void triggerAndWait(MainWindow& window, const QString& action) {
    trigger(window, action);
    finishRun(window);
}

} // namespace

class FileMenuTest : public QObject {
    Q_OBJECT

  private slots:
    void openFileListsTheBands() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        const QString input = writeFile(home.filePath("dem/two.txt"), kTwoBands);

        desktop.picks = {input};
        triggerAndWait(*window, "mf_0");
        QCOMPARE(desktop.dialogs.size(), 1);
        QCOMPARE(desktop.dialogs[0].save, false);
        QCOMPARE(desktop.dialogs[0].folder, QDir::homePath());
        QCOMPARE(
            desktop.dialogs[0].filter.label,
            QStringLiteral("All supported files (*.hgt *.hgt.gz *.hgt.zip *.zip *.tif *.tiff *.asc *.vrt "
                           "*.txt);;Elevation models (*.hgt *.hgt.gz *.hgt.zip *.zip *.tif *.tiff *.asc "
                           "*.vrt);;Geo Vector txt (*.txt)"));
        QCOMPARE(control<QLineEdit>(*window, "Text4")->text(), input);
        QCOMPARE(control<QLabel>(*window, "inputKind")->text(), QStringLiteral("Geo Vector"));
        auto* list = control<QListWidget>(*window, "List1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("100\t10304"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("150\t10305"));
        QCOMPARE(recent(*window, 12), input);
        QVERIFY(control<QAction>(*window, "mf_12")->isEnabled());

        triggerAndWait(*window, "mf_0"); // a cancelled dialog changes nothing
        QCOMPARE(list->count(), 2);
        QCOMPARE(control<QLineEdit>(*window, "Text4")->text(), input);

        // A missing file named on the command line is reported and not remembered.
        const QString missing = QDir::toNativeSeparators(home.filePath("missing.txt"));
        window->openInputFromCommandLine(missing);
        QCOMPARE(desktop.messages, QStringList{QStringLiteral("Cannot find file:") + missing});
        QCOMPARE(recent(*window, 12), input);
        for (int i = 13; i <= 15; ++i)
            QVERIFY(!recent(*window, i).contains(QStringLiteral("missing")));
        QCOMPARE(list->count(), 2);
    }

    void recentEntriesReopenAndSurviveARestart() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        const QString first = writeFile(home.filePath("dem/a.txt"), kTwoBands);
        const QString second = writeFile(home.filePath("dem/b&c.txt"), kTwoBands);
        const QString gone = QDir::toNativeSeparators(home.filePath("dem/gone.txt"));
        desktop.picks = {first, second, gone};
        for (int i = 0; i < 3; ++i)
            triggerAndWait(*window, "mf_0");
        const QStringList shown{recent(*window, 12), recent(*window, 13), recent(*window, 14)};
        QCOMPARE(shown, QStringList({gone, QString(second).replace("&", "&&"), first}));
        QVERIFY(!control<QAction>(*window, "mf_12")->isEnabled());
        QVERIFY(control<QAction>(*window, "mf_13")->isEnabled());
        QVERIFY(!control<QAction>(*window, "mf_15")->isVisible());
        QCOMPARE(control<QListWidget>(*window, "List1")->count(), 0);

        triggerAndWait(*window, "mf_14"); // a recent entry lists its file again
        QCOMPARE(control<QLineEdit>(*window, "Text4")->text(), first);
        QCOMPARE(control<QListWidget>(*window, "List1")->count(), 2);
        QCOMPARE(recent(*window, 12), gone);
        QVERIFY(window->close());

        auto again = openWindow(home.path());
        QCOMPARE(recent(*again, 12), gone);
        QCOMPARE(recent(*again, 14), first);
        QVERIFY(control<QAction>(*again, "mf_14")->isEnabled());
    }

    void palettesSaveAskBeforeReplacingAndOpen() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        const QString mine = QDir::toNativeSeparators(home.filePath("col/mine"));

        desktop.picks = {mine};
        trigger(*window, "mf_5");
        QCOMPARE(desktop.dialogs.last().save, true);
        QCOMPARE(desktop.dialogs.last().name, QStringLiteral("*.col"));
        const QByteArray saved = readFile(mine + ".col");
        QVERIFY(saved.startsWith("0\r\n800000\r\n8000\r\n808000\r\n80\r\n"));
        QVERIFY(saved.endsWith("FFFF00\r\n\r\n"));
        QCOMPARE(saved.count("\r\n"), 27);
        QCOMPARE(window->paletteState().file, mine + ".col");
        QVERIFY(desktop.questions.isEmpty());

        trigger(*window, "mcol_0"); // Desaturate
        QVERIFY(window->paletteState().unsaved);
        QCOMPARE(swatchColour(*window, 12), QColor(85, 85, 85));

        desktop.picks = {mine + ".col"};
        desktop.answers = {false};
        trigger(*window, "mf_5");
        QCOMPARE(desktop.questions.last(), mine + ".col\r\n\r\nFile exists.\r\n\r\nReplace file?");
        QCOMPARE(readFile(mine + ".col"), saved);
        QVERIFY(window->paletteState().unsaved);

        desktop.picks = {mine + ".col"};
        trigger(*window, "mf_2");
        QCOMPARE(swatchColour(*window, 12), QColor(255, 0, 0));
        QVERIFY(!window->paletteState().unsaved);

        // "Convert to Shades" spreads the first swatch's colour; saving it clears the change.
        desktop.picks = {writeFile(home.filePath("col/red.col"), "FF\r\n")};
        trigger(*window, "mf_2");
        trigger(*window, "mcol_2");
        QVERIFY(window->paletteState().unsaved);
        QCOMPARE(swatchColour(*window, 2), QColor(250, 0, 0)); // the shades themselves: the palette's test
        desktop.picks = {home.filePath("col/shades")};
        trigger(*window, "mf_5");
        QVERIFY(!window->paletteState().unsaved);
    }

    void patternsImportAndSave() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        auto* editor = control<PatternEditor>(*window, "Text1");
        const QString before = editor->patternText();

        desktop.picks = {writeFile(home.filePath("patterns/bad.ptn"), "0101\r\n01x0\r\n"),
                         writeFile(home.filePath("patterns/empty.ptn"), "")};
        trigger(*window, "mf_3");
        trigger(*window, "mf_3");
        QCOMPARE(desktop.messages, QStringList{QStringLiteral("Not a valid pattern file.")});
        QCOMPARE(editor->patternText(), before);
        QCOMPARE(desktop.dialogs.last().filter.label, QStringLiteral("Bitmap Pattern (*.ptn)"));

        desktop.picks = {writeFile(home.filePath("patterns/unix.ptn"), "0011\n1100")};
        trigger(*window, "mf_3");
        QCOMPARE(editor->patternText(), QStringLiteral("0011\r\n1100"));
        QCOMPARE(desktop.messages.size(), 1);

        const QByteArray stripes = "1111\r\n0000\r\n0000\r\n0000\r\n";
        QTest::keyClicks(editor, "1");
        QVERIFY(window->patternState().unsaved);
        desktop.picks = {writeFile(home.filePath("patterns/stripes.ptn"), stripes)};
        trigger(*window, "mf_3");
        QCOMPARE(editor->patternText(), QString::fromLatin1(stripes));
        QCOMPARE(window->patternState().file,
                 QDir::toNativeSeparators(home.filePath("patterns/stripes.ptn")));
        QVERIFY(!window->patternState().unsaved);

        // Saving adds one line break; declining the replace question keeps the old file.
        const QString copy = QDir::toNativeSeparators(home.filePath("patterns/copy"));
        desktop.picks = {copy};
        trigger(*window, "mf_6");
        QCOMPARE(readFile(copy + ".ptn"), stripes + "\r\n");
        QTest::keyClicks(editor, "1");
        desktop.picks = {copy + ".ptn"};
        desktop.answers = {false};
        trigger(*window, "mf_6");
        QCOMPARE(desktop.questions.last(), copy + ".ptn\r\n\r\nFile exists.\r\n\r\nReplace File?");
        QCOMPARE(readFile(copy + ".ptn"), stripes + "\r\n");
        QVERIFY(window->patternState().unsaved);
    }

    // A palette or pattern that cannot be read or saved is reported and changes nothing.
    void unreadableAndUnsavedFilesAreReported() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        const QColor swatch = swatchColour(*window, 12);
        auto* editor = control<PatternEditor>(*window, "Text1");
        const QString pattern = editor->patternText();
        const QString missing = QDir::toNativeSeparators(home.filePath("col/gone.col"));
        const QString gone = QDir::toNativeSeparators(home.filePath("gone/x"));

        desktop.picks = {missing, missing};
        trigger(*window, "mf_2");
        trigger(*window, "mf_3");
        QCOMPARE(desktop.messages, QStringList(2, QStringLiteral("Cannot read file:") + missing));
        QCOMPARE(swatchColour(*window, 12), swatch);
        QCOMPARE(editor->patternText(), pattern);
        QVERIFY(window->paletteState().file != missing && window->patternState().file != missing);

        trigger(*window, "mcol_0"); // Desaturate
        QTest::keyClicks(editor, "1");
        desktop.picks = {gone, gone};
        trigger(*window, "mf_5");
        trigger(*window, "mf_6");
        QCOMPARE(desktop.messages.size(), 4);
        QVERIFY(desktop.messages[2].startsWith(gone + ".col "));
        QVERIFY(desktop.messages[3].startsWith(gone + ".ptn "));
        QVERIFY(window->paletteState().unsaved && window->patternState().unsaved);
        QVERIFY(window->paletteState().file != gone + ".col");
    }
};

QTEST_MAIN(FileMenuTest)
#include "file_menu_test.moc"
