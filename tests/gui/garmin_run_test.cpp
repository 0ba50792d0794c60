// "Create Garmin map" through the window with a stand-in for mkgmap: the settings it takes
// from its INI file, the final message that offers the folder, Cancel in the middle of mkgmap.
#include "gui/garmin_settings.h"
#include "gui/settings_dialog.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// A shell script standing in for mkgmap; `body` runs with $out set to its output folder.
QString fakeMkgmap(const QString& folder, const QByteArray& body) {
    const QString path = writeFile(folder + QStringLiteral("/fake-mkgmap"),
                                   "#!/bin/sh\nfor a; do case $a in --output-dir=*) out=${a#--output-dir=};; "
                                   "esac; done\n" + body + "\n");
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    return path;
}

struct GarminWindow {
    QTemporaryDir home;
    FakeDesktop desktop;
    std::unique_ptr<MainWindow> window = openWindow(home.path());
    QString folder = home.filePath(QStringLiteral("maps/area"));

    void useMkgmap(const QByteArray& body, const QString& family = QStringLiteral("1733")) {
        GarminSettings settings;
        settings.mkgmapProgram = fakeMkgmap(home.path(), body);
        settings.familyId = family;
        QVERIFY(saveGarminSettings(garminSettingsFile(home.path() + "/system"), settings));
        control<QLineEdit>(*window, "Text4")->setText(writeFile(home.filePath("maps/area.txt"), kTwoBands));
    }
    bool run() {
        QTest::mouseClick(control<QPushButton>(*window, "createGarminMap"), Qt::LeftButton);
        return finishRun(*window);
    }
};

} // namespace

// What the stand-in writes as gmapsupp.img: 512 bytes with the marks of a Garmin IMG header.
const char* const kWriteImage = "printf '%016dDSKIMG%043dGARMIN%441d' 0 0 0 > \"$out/gmapsupp.img\"";
const QByteArray kImage =
    QByteArray(16, '0') + "DSKIMG" + QByteArray(43, '0') + "GARMIN" + QByteArray(440, ' ') + "0";

class GarminRunTest : public QObject {
    Q_OBJECT

  private slots:
    void makesTheImageAndOffersItsFolder() {
        GarminWindow w;
        w.useMkgmap(kWriteImage, QStringLiteral("4242"));
        w.desktop.answers = {true};
        QVERIFY(w.run());
        QVERIFY2(w.desktop.messages.isEmpty(), qPrintable(w.desktop.messages.join('\n')));
        const QString image = QDir::toNativeSeparators(w.folder + QStringLiteral("/gmapsupp.img"));
        QCOMPARE(w.desktop.questions.size(), 1);
        QVERIFY(w.desktop.questions[0].startsWith(QStringLiteral("Created ") + image + QStringLiteral("\r\n\r\n")));
        QVERIFY(w.desktop.questions[0].contains(QStringLiteral("\r\nFamily ID: 4242\r\n\r\nOpen its folder?")));
        QCOMPARE(w.desktop.folders, QStringList{QDir::toNativeSeparators(w.folder)});
        QCOMPARE(readFile(image), kImage);
        QVERIFY(readFile(w.folder + QStringLiteral("/area-typ.txt")).contains("\r\nFID = 4242\r\n"));
        QVERIFY(readFile(w.folder + QStringLiteral("/area.mp")).startsWith("[IMG ID]\r\n"));

        // A second run asks before it replaces the earlier image; No leaves it.
        w.desktop.answers = {false};
        QVERIFY(w.run());
        QVERIFY(w.desktop.questions.last().endsWith(QStringLiteral("holds a Garmin map made before.\r\n\r\nReplace?")));
        QCOMPARE(readFile(image), kImage);
    }

    void elevationModelInputBecomesABandMap() {
        GarminWindow w;
        w.useMkgmap(kWriteImage);
        const QString grid = writeFile(w.home.filePath("maps/hill.asc"),
                                       "ncols 4\nnrows 3\nxllcorner 7.0\nyllcorner 46.0\ncellsize 0.01\n"
                                       "NODATA_value -9999\n110 120 130 140\n110 160 170 140\n110 120 130 140\n");
        control<QLineEdit>(*w.window, "Text4")->setText(grid);
        w.desktop.answers = {false};
        QVERIFY(w.run());
        QVERIFY2(w.desktop.messages.isEmpty(), qPrintable(w.desktop.messages.join('\n')));
        const QString folder = w.home.filePath(QStringLiteral("maps/hill"));
        QCOMPARE(readFile(folder + QStringLiteral("/gmapsupp.img")), kImage);
        const QByteArray map = readFile(folder + QStringLiteral("/hill.mp"));
        QVERIFY2(map.contains("[POLYGON]\r\n"), map.left(2000).constData());
    }

    // Cancel takes back the map and TYP the run wrote; an image made before stays.
    void cancelStopsMkgmapAndKeepsTheOldImage() {
        GarminWindow w;
        w.useMkgmap("echo partial > \"$out/gmapsupp.img\"\nexec sleep 60");
        const QString image = writeFile(w.folder + QStringLiteral("/gmapsupp.img"), "old image");
        auto* bar = control<QProgressBar>(*w.window, "backprog");
        auto* cancel = control<QPushButton>(*w.window, "cancelRun");
        QVERIFY(!cancel->isVisible());
        QTest::mouseClick(control<QPushButton>(*w.window, "createGarminMap"), Qt::LeftButton);
        QVERIFY(cancel->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(bar->format().contains(QStringLiteral("mkgmap")), 20000);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(finishRun(*w.window));
        QVERIFY(!cancel->isVisible());
        QCOMPARE(readFile(image), QByteArray("old image"));
        QCOMPARE(QDir(w.folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"gmapsupp.img"});
        QCOMPARE(w.window->statusBar()->currentMessage(), QStringLiteral("Cancelled"));
        QVERIFY(w.desktop.messages.isEmpty());

        // Without an earlier map the folder the run made goes too.
        QDir(w.folder).removeRecursively();
        QTest::mouseClick(control<QPushButton>(*w.window, "createGarminMap"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(bar->format().contains(QStringLiteral("mkgmap")), 20000);
        QVERIFY(bar->format().contains(QStringLiteral(" … "))); // the time so far
        QTest::mouseClick(cancel, Qt::LeftButton);
        QVERIFY(finishRun(*w.window));
        QVERIFY(!QFileInfo::exists(w.folder));
    }

    void settingsWindowKeepsTheGarminFieldsInTheirOwnFile() {
        FakeDesktop desktop;
        QTemporaryDir home;
        const QString file = garminSettingsFile(home.path() + "/system");
        QCOMPARE(loadGarminSettings(file), GarminSettings{});
        SettingsDialog dialog(QString(), home.path(), nullptr, loadGarminSettings(file));
        control<QLineEdit>(dialog, "mapName")->setText(QStringLiteral("Alps tint"));
        control<QLineEdit>(dialog, "familyId")->setText(QStringLiteral("70000"));
        QTest::mouseClick(control<QPushButton>(dialog, "Command3_0"), Qt::LeftButton); // Apply
        QCOMPARE(desktop.messages, QStringList{"The family ID must be a number from 1 to 65535."});
        QCOMPARE(dialog.result(), 0);
        control<QLineEdit>(dialog, "familyId")->setText(QStringLiteral("4242"));
        control<QLineEdit>(dialog, "mapNumber")->setText(QStringLiteral("1234567"));
        QTest::mouseClick(control<QPushButton>(dialog, "Command3_0"), Qt::LeftButton);
        QCOMPARE(desktop.messages.size(), 2);
        control<QLineEdit>(dialog, "mapNumber")->setText(QStringLiteral("12345678"));
        QTest::mouseClick(control<QPushButton>(dialog, "Command3_0"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const GarminSettings expected{QString(), QStringLiteral("Alps tint"), QStringLiteral("12345678"),
                                      QStringLiteral("4242")};
        QCOMPARE(*dialog.garminSettings(), expected);
        QVERIFY(saveGarminSettings(file, expected));
        QCOMPARE(loadGarminSettings(file), expected);
    }
};

QTEST_MAIN(GarminRunTest)
#include "garmin_run_test.moc"
