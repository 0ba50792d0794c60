// Elevation models in the window: several tiles open as one mosaic entry, the band boxes
// follow the input, and "Create mp" writes the band map off the window's thread.
#include "dem/dem_test_support.h"
#include "window_test_support.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

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
};

QTEST_MAIN(ElevationInputTest)
#include "elevation_input_test.moc"
