// The windows the main window opens modally, driven through their own controls while they
// are up, and what the main window keeps of them.
#include "window_test_support.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// As soon as the modal window `name` is up, runs `act` on it and closes it with `button`.
void whenModalOpens(const QString& name, const std::function<void(QDialog&)>& act, const QString& button) {
    QTimer::singleShot(10, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog->objectName() != name)
            return whenModalOpens(name, act, button);
        act(*dialog);
        control<QPushButton>(*dialog, button)->click();
    });
}

} // namespace

class SecondaryWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void locateStylesmithKeepsAnAppliedPath() {
        FakeDesktop desktop;
        QTemporaryDir home;
        orolith::Settings earlier;
        earlier.toolPath = "/old/tool";
        writeSettingsFile(home.path(), earlier);
        auto window = openWindow(home.path());
        const auto typeNewTool = [](QDialog& settings) {
            QCOMPARE(control<QLineEdit>(settings, "Text1_1")->text(), "/old/tool");
            control<QLineEdit>(settings, "Text1_1")->setText("/new/tool");
        };

        whenModalOpens("settings", typeNewTool, "Command3_1"); // Cancel
        trigger(*window, "mset_0");
        QCOMPARE(window->keptSettings().typToolPath, QStringLiteral("/old/tool"));

        whenModalOpens("settings", typeNewTool, "Command3_0"); // Apply
        trigger(*window, "mset_0");
        QCOMPARE(window->keptSettings().typToolPath, QStringLiteral("/new/tool"));

        bool closedByOk = false; // OK applies and closes as Apply does; Cancel closes otherwise
        const auto typeAndOk = [&](QDialog& settings) {
            control<QLineEdit>(settings, "Text1_1")->setText("/ok/tool");
            control<QPushButton>(settings, "Command1")->click();
            closedByOk = settings.isHidden();
        };
        whenModalOpens("settings", typeAndOk, "Command3_1");
        trigger(*window, "mset_0");
        QVERIFY(closedByOk);
        QCOMPARE(window->keptSettings().typToolPath, QStringLiteral("/ok/tool"));
    }

    void aboutShowsTheVersionAndTheMemoryInUse() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        QStringList shown;
        whenModalOpens(
            "Info",
            [&](QDialog& info) {
                shown << control<QLabel>(info, "Label1")->text() << control<QLabel>(info, "Label4")->text();
            },
            "Command1");
        trigger(*window, "mf_8");
        QCOMPARE(shown.value(0), QStringLiteral("Version 0.6"));
        QVERIFY2(QRegularExpression("^System: \\d{1,3}%$").match(shown.value(1)).hasMatch(),
                 qPrintable(shown.value(1)));
    }

    void doubleClickOnASwatchEditsItsColour() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        auto* swatch = control<QWidget>(*window, "Label4_3");
        const auto typeOrange = [](QDialog& picker) {
            control<QLineEdit>(picker, "Text1")->setText("FF8000");
        };

        whenModalOpens("cmcolor", typeOrange, "Command1_1"); // Cancel
        QTest::mouseDClick(swatch, Qt::LeftButton);
        QCOMPARE(window->paletteState().colours[3], 0x808000);
        QVERIFY(!window->paletteState().unsaved);

        QString title;
        const auto typeOrangeOverSelection = [&](QDialog& picker) {
            title = picker.windowTitle();
            auto* hex = control<QLineEdit>(picker, "Text1");
            hex->selectAll(); // typed digits replace the selection
            QTest::keyClicks(hex, "FF8000");
        };
        whenModalOpens("cmcolor", typeOrangeOverSelection, "Command1_0"); // OK
        QVERIFY(swatch->focusPolicy() & Qt::TabFocus); // Enter on a focused swatch opens the picker
        QTest::keyClick(swatch, Qt::Key_Return);
        QCOMPARE(title, QStringLiteral("Elevation Colour"));
        QCOMPARE(window->paletteState().colours[3], 0x0080FF);
        QCOMPARE(swatchColour(*window, 3), QColor(255, 128, 0));
        QVERIFY(window->paletteState().unsaved);
    }

    void downloadWindowKeepsTheChosenRegion() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        whenModalOpens(
            "download",
            [](QDialog& download) { control<QRadioButton>(download, "Option1_4")->setChecked(true); },
            "Command1");
        QTest::mouseClick(control<QToolButton>(*window, "Picture2"), Qt::LeftButton);
        QCOMPARE(window->keptSettings().tileRegion, 4);
        QVERIFY(window->close());
        QCOMPARE(readFile(home.filePath("system/orolith.dat")).split('\n').at(18), QByteArray(" 4 \r"));
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
