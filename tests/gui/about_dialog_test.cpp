// The About window and the memory figure it shows.

#include "gui/about_dialog.h"
#include "gui/system_memory.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using namespace orolith::gui;

class AboutDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void memoryLabelHasABlankBeforeTheNumber() {
        QCOMPARE(memoryLabelText(5), QStringLiteral("System: 5%"));
        QCOMPARE(memoryLabelText(0), QStringLiteral("System: 0%"));
        QCOMPARE(memoryLabelText(100), QStringLiteral("System: 100%"));
        QCOMPARE(memoryLabelText(-3), QStringLiteral("System:-3%"));
    }

    void memoryLoadFromProcMeminfo() {
        const QByteArray meminfo = "MemTotal:       16000000 kB\n"
                                   "MemFree:         1000000 kB\n"
                                   "MemAvailable:   10080000 kB\n"
                                   "Buffers:          200000 kB\n";
        QCOMPARE(memoryLoadFromMeminfo(meminfo), 37); // 5920000 / 16000000 = 37.0 %
        QCOMPARE(memoryLoadFromMeminfo("MemTotal: 1000 kB\nMemAvailable: 995 kB\n"), 1); // 0.5 % rounds up
        QCOMPARE(memoryLoadFromMeminfo("MemTotal: 1000 kB\nMemAvailable: 1200 kB\n"), 0);
        QCOMPARE(memoryLoadFromMeminfo("MemTotal: 1000 kB\nMemFree: 10 kB\n"), -1);
        QCOMPARE(memoryLoadFromMeminfo("MemTotal: 0 kB\nMemAvailable: 0 kB\n"), -1);
        QCOMPARE(memoryLoadFromMeminfo("garbage"), -1);
    }

    void windowShowsNameVersionAndMemory() {
        AboutDialog dialog;
        QCOMPARE(dialog.objectName(), QStringLiteral("Info"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Information"));
        QCOMPARE(dialog.findChild<QLabel*>("Label9")->text(), QStringLiteral("Orolith Creator"));
        QCOMPARE(dialog.findChild<QLabel*>("Label10")->text(), QStringLiteral("Beta "));
        QCOMPARE(dialog.findChild<QLabel*>("Label1")->text(), QStringLiteral("Version 0.6"));
        QCOMPARE(dialog.findChild<QLabel*>("Label8")->text(), QString());
        QVERIFY(!dialog.findChild<QLabel*>("Picture1")->pixmap().isNull());
        QVERIFY(dialog.findChild<QFrame*>("Shape1") != nullptr);
        QVERIFY(dialog.findChild<QFrame*>("Shape2") != nullptr);
        QVERIFY(QRegularExpression(QStringLiteral("^System: \\d{1,3}%$"))
                    .match(dialog.findChild<QLabel*>("Label4")->text())
                    .hasMatch());
    }

    void activationRefreshesTheLabels() {
        AboutDialog dialog;
        auto* memory = dialog.findChild<QLabel*>("Label4");
        memory->setText(QStringLiteral("stale"));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&dialog, &activate);
        QVERIFY(memory->text().startsWith(QStringLiteral("System: ")));
    }

    void okClosesTheModalWindow() {
        bool sawWindow = false;
        QTimer::singleShot(0, [&sawWindow] {
            QWidget* window = QApplication::activeModalWidget();
            sawWindow = window != nullptr && window->objectName() == QStringLiteral("Info");
            if (window != nullptr)
                window->findChild<QPushButton*>("Command1")->click();
        });
        runAboutDialog(nullptr);
        QVERIFY(sawWindow);
    }
};

QTEST_MAIN(AboutDialogTest)
#include "about_dialog_test.moc"
