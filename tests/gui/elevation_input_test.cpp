// Elevation models in the window: several tiles open as one mosaic entry, the band boxes
// follow the input, and "Create mp" writes the band map off the window's thread.
#include "dem/dem_test_support.h"
#include "gui/preview_pane.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

QString writeTile(const QTemporaryDir& dir, const QString& name, double west) {
    auto raster = orolith::dem::testing::rasterFromRows({{10, 30, 60}, {10, 80, 60}, {10, 30, 60}});
    raster.geo[0] = west;
    const QString path = QDir::toNativeSeparators(dir.filePath(name));
    orolith::dem::testing::writeRaster(raster, path.toStdString(), "GTiff");
    return path;
}

// A 60 m plateau with a void in its middle on 10 m ground, 0.01° pixels.
QString writePlateau(const QTemporaryDir& dir) {
    auto raster = orolith::dem::testing::rasterFromRows({{10, 10, 10, 10, 10},
                                                         {10, 60, 60, 60, 10},
                                                         {10, 60, -9999, 60, 10},
                                                         {10, 60, 60, 60, 10},
                                                         {10, 10, 10, 10, 10}});
    const QString path = QDir::toNativeSeparators(dir.filePath("plateau.tif"));
    orolith::dem::testing::writeRaster(raster, path.toStdString(), "GTiff");
    return path;
}

// The bands the preview shows, as "elevation type", once its reading is over.
QStringList shownBands(PreviewPane& dock) {
    const auto& bands = dock.engine().bands();
    if (!bands || dock.engine().reading())
        return {QStringLiteral("reading")};
    QStringList shown;
    for (const auto& entry : bands->types)
        shown << QString::fromStdString(entry.elevation + " " + entry.type);
    return shown;
}

QStringList listed(QWidget& window) {
    QStringList entries;
    auto* list = control<QListWidget>(window, "List1");
    for (int i = 0; i < list->count(); ++i)
        entries << list->item(i)->text().replace(QLatin1Char('\t'), QLatin1Char(' '));
    return entries;
}

std::size_t holesShown(PreviewPane& dock) {
    std::size_t holes = 0;
    for (const auto& polygon : dock.engine().bands()->polygons)
        holes += polygon.rings.size() - 1;
    return holes;
}

} // namespace

class ElevationInputTest : public QObject {
    Q_OBJECT

  private slots:
    void tilesOpenAsOneMosaicAndConvert() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        auto* interval = control<QLineEdit>(*window, "Interval");
        QVERIFY(!interval->isEnabled());
        const QString a = writeTile(home, "a.tif", 7.0), b = writeTile(home, "b.tif", 7.02);

        desktop.manyPicks = {{b, a}};
        trigger(*window, "mf_0");
        QVERIFY(finishRun(*window));
        const QString mosaic = QDir::toNativeSeparators(home.filePath("mosaics/a+1.vrt"));
        QCOMPARE(control<QLineEdit>(*window, "Text4")->text(), mosaic);
        QCOMPARE(control<QAction>(*window, "mf_12")->text(), mosaic);
        QVERIFY(interval->isEnabled());
        QVERIFY(control<QCheckBox>(*window, "FillVoids")->isEnabled());
        auto* list = control<QListWidget>(*window, "List1");
        QCOMPARE(list->count(), 4); // 0, 25, 50, 75
        QCOMPARE(list->item(0)->text(), QStringLiteral("0\t10300"));

        interval->setText("50");
        control<QPushButton>(*window, "Command6")->click();
        QVERIFY(finishRun(*window));
        const QByteArray map = readFile(home.filePath("mosaics/a+1.mp"));
        QVERIFY(map.contains("[POLYGON]\r\nType=0x10301\r\nData0=("));
        QVERIFY(desktop.messages.last().contains(" holes, "));

        // Simplified by more than the tiles are wide, the bands keep at least three corners.
        control<QLineEdit>(*window, "Simplify")->setText("5000");
        control<QPushButton>(*window, "Command6")->click();
        QVERIFY(finishRun(*window));
        QVERIFY(desktop.messages.last().contains(" holes, "));
        QVERIFY(readFile(home.filePath("mosaics/a+1.mp")).size() < map.size());
        control<QLineEdit>(*window, "Simplify")->setText("-5");
        control<QPushButton>(*window, "Command6")->click();
        QVERIFY(!window->runActive());
        QVERIFY(desktop.messages.last().contains("Simplify takes"));
        control<QLineEdit>(*window, "Simplify")->setText("0");

        // The Contour lines box adds labelled lines to the same map; a bad interval is said.
        auto* contours = control<QGroupBox>(*window, "ContourLines");
        QVERIFY(contours->isEnabled());
        contours->setChecked(true);
        control<QLineEdit>(*window, "ContourInterval")->setText("20");
        control<QPushButton>(*window, "Command6")->click();
        QVERIFY(finishRun(*window));
        QVERIFY(readFile(home.filePath("mosaics/a+1.mp")).contains("[POLYLINE]\r\nType=0x20\r\nLabel=20\r\n"));
        QVERIFY(desktop.messages.last().contains(" contour lines every 20 m ("));
        control<QLineEdit>(*window, "ContourInterval")->setText("0");
        control<QPushButton>(*window, "Command6")->click();
        QVERIFY(!window->runActive());
        QCOMPARE(desktop.messages.last(),
                 QStringLiteral("The contour interval is a whole number of metres (or feet) above 0."));
        contours->setChecked(false);

        interval->setText("fifty");
        const auto shown = desktop.messages.size();
        control<QPushButton>(*window, "Command6")->click();
        QVERIFY(!window->runActive());
        QCOMPARE(desktop.messages.size(), shown + 1);
        QVERIFY(desktop.messages.last().contains("whole number of metres"));
    }

    // Every option that changes the map reads the input again for the preview, and the type
    // list follows, so that the preview, the list and a run agree.
    void thePreviewFollowsEveryBandOption() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        window->openInputFromCommandLine(writePlateau(home));
        PreviewPane& dock = *window->preview();
        // Every band from the lowest to the highest is listed, 25 m too.
        QTRY_COMPARE_WITH_TIMEOUT(shownBands(dock), QStringList({"0 10300", "25 10301", "50 10302"}), 20000);
        QCOMPARE(listed(*window), shownBands(dock));
        QCOMPARE(holesShown(dock), 2u); // the plateau in the ground, the void in the plateau

        // A TYP made at once, before the preview has read again, is made from the new bands.
        const QString typ = QDir::toNativeSeparators(home.filePath("typ/plateau.txt"));
        control<QLineEdit>(*window, "Text6")->setText(typ);
        control<QLineEdit>(*window, "Interval")->setText("50");
        control<QPushButton>(*window, "Command1")->click();
        QVERIFY(finishRun(*window));
        QVERIFY(readFile(typ).contains("Type=0x10301\r\nString1=0x0,50 m"));
        const auto shown = desktop.messages.size(); // "created:" and the TYP
        QTRY_COMPARE_WITH_TIMEOUT(shownBands(dock), QStringList({"0 10300", "50 10301"}), 20000);
        QTRY_COMPARE(listed(*window), shownBands(dock));
        control<QLineEdit>(*window, "Base")->setText("3");
        QTRY_COMPARE_WITH_TIMEOUT(shownBands(dock), QStringList({"3 10300", "53 10301"}), 20000);
        control<QLineEdit>(*window, "Base")->setText("0");
        control<QLineEdit>(*window, "Text2")->setText("10400");
        QTRY_COMPARE_WITH_TIMEOUT(shownBands(dock), QStringList({"0 10400", "50 10401"}), 20000);
        control<QLineEdit>(*window, "Text2")->setText("10300");
        // Smoothed, no pixel's mean reaches 50 m.
        control<QSpinBox>(*window, "Smooth")->setValue(1);
        QTRY_COMPARE_WITH_TIMEOUT(shownBands(dock), QStringList({"0 10300"}), 20000);
        QTRY_COMPARE(listed(*window), shownBands(dock));
        control<QSpinBox>(*window, "Smooth")->setValue(0);
        control<QCheckBox>(*window, "FillVoids")->setChecked(true);
        QTRY_VERIFY_WITH_TIMEOUT(
            shownBands(dock) == QStringList({"0 10300", "50 10301"}) && holesShown(dock) == 1, 20000);
        const auto vertices = dock.engine().bands()->vertexCount();
        control<QLineEdit>(*window, "Simplify")->setText("3000");
        QTRY_VERIFY_WITH_TIMEOUT(
            shownBands(dock).size() == 2 && dock.engine().bands()->vertexCount() < vertices, 20000);

        // No level or an interval that is no number: no map, and the preview says why.
        auto* status = control<QLabel>(*window, "previewStatus");
        control<QCheckBox>(*window, "Check2_0")->setChecked(false);
        QTRY_COMPARE(status->text(), QStringLiteral("Please select a 'Detail Level'."));
        QVERIFY(!dock.engine().bands());
        control<QCheckBox>(*window, "Check2_0")->setChecked(true);
        control<QLineEdit>(*window, "Interval")->setText("0");
        QTRY_COMPARE(status->text(), QStringLiteral("The interval is a whole number of metres above 0."));
        QCOMPARE(desktop.messages.size(), shown); // typing never opens a message box
    }

    // Of two reads asked for at once, the newer one's bands are shown.
    void theNewestReadWins() {
        QTemporaryDir folder;
        PreviewEngine engine;
        orolith::dem::DemOptions options;
        options.inputs = {writePlateau(folder).toStdString()};
        options.interval = 5;
        engine.load(options, {});
        options.interval = 50;
        engine.load(options, {});
        QSignalSpy changed(&engine, &PreviewEngine::bandsChanged);
        QTRY_VERIFY_WITH_TIMEOUT(!engine.reading(), 20000);
        QCOMPARE(engine.bands()->types.size(), 2u);
        QCOMPARE(engine.bands()->types[1].elevation, std::string("50"));
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_MAIN(ElevationInputTest)
#include "elevation_input_test.moc"
