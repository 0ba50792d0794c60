// The windows the main window opens modally, driven through their own controls while they
// are up, and what the main window keeps of them.
#include "gui/legend_widget.h"
#include "window_test_support.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// Runs `act` on the modal window `windowName` as soon as it is up, then closes it with `button`.
void actOnModal(const QString& windowName, const std::function<void(QDialog&)>& act, const QString& button) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog->objectName() != windowName) {
        QTimer::singleShot(10, [=] { actOnModal(windowName, act, button); });
        return;
    }
    act(*dialog);
    if (auto* close = dialog->findChild<QPushButton*>(button))
        close->click();
    else
        dialog->reject();
}

void whenModalOpens(const QString& windowName, const std::function<void(QDialog&)>& act,
                    const QString& button) {
    QTimer::singleShot(0, [=] { actOnModal(windowName, act, button); });
}

} // namespace

class SecondaryWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void locateStylesmithKeepsAnAppliedPath() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        window->state().toolpath = QStringLiteral("/old/tool");

        whenModalOpens(
            "settings",
            [](QDialog& settings) {
                QCOMPARE(settings.findChild<QLineEdit*>("Text1_1")->text(), "/old/tool");
            },
            "Command3_1");
        trigger(*window, "mset_0");
        QCOMPARE(window->state().toolpath, QStringLiteral("/old/tool"));

        whenModalOpens(
            "settings",
            [](QDialog& settings) { settings.findChild<QLineEdit*>("Text1_1")->setText("/new/tool"); },
            "Command3_0");
        trigger(*window, "mset_0");
        QCOMPARE(window->state().toolpath, QStringLiteral("/new/tool"));
        QVERIFY(window->close());
        QVERIFY(readFile(home.filePath("system/orolith.dat")).split('\n').at(1).startsWith("/new/tool\r"));
    }

    void aboutOpensTheInformationWindow() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        bool opened = false;
        whenModalOpens(
            "Info", [&](QDialog&) { opened = true; }, "Command1");
        trigger(*window, "mf_8");
        QVERIFY(opened);
        window->close();
    }

    void doubleClickOnASwatchEditsItsColour() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        auto* swatch = control<SwatchLabel>(*window, "Label4_3");

        whenModalOpens(
            "cmcolor", [](QDialog& picker) { picker.findChild<QLineEdit*>("Text1")->setText("FF8000"); },
            "Command1_1");
        QTest::mouseDClick(swatch, Qt::LeftButton);
        QCOMPARE(window->state().cols[3], 0x808000);
        QVERIFY(!window->state().colchanged);

        whenModalOpens(
            "cmcolor", [](QDialog& picker) { picker.findChild<QLineEdit*>("Text1")->setText("FF8000"); },
            "Command1_0");
        QTest::mouseDClick(swatch, Qt::LeftButton);
        QCOMPARE(window->state().cols[3], 0x0080FF);
        QCOMPARE(swatch->palette().color(QPalette::Window), QColor(255, 128, 0));
        QVERIFY(window->state().colchanged);
        window->state().colchanged = false;
        window->close();
    }

    void downloadWindowKeepsTheChosenRegion() {
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        whenModalOpens(
            "download",
            [](QDialog& download) { download.findChild<QRadioButton*>("Option1_4")->setChecked(true); },
            "Command1");
        QTest::mouseClick(control<QToolButton>(*window, "Picture2"), Qt::LeftButton);
        QCOMPARE(window->state().region, 4);
        QVERIFY(window->close());
        QCOMPARE(readFile(home.filePath("system/orolith.dat")).split('\n').at(18), QByteArray(" 4 \r"));
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
