// The windows the main window opens modally, driven through their own controls while they
// are up, and what the main window keeps of them.
#include "window_test_support.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

void whenModalOpens(const QString& windowName, const std::function<void(QDialog&)>& act, const QString& button) {
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
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
