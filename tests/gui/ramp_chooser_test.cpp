// Colour ramps in the window: an elevation model opens with the atlas ramp and a legend row
// per band, the chooser's choice is kept for the next start, and a ramp file that cannot be
// read changes nothing.
#include "core/colour/perceptual.h"
#include "core/style/band_tint.h"
#include "dem/dem_test_support.h"
#include "window_test_support.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

QRgb rowColour(QWidget& window, int row) {
    auto* list = control<QListWidget>(window, "bandLegend");
    return list->item(row)->icon().pixmap(32, 14).toImage().pixel(16, 7);
}

QRgb qrgbOf(const orolith::Rgb& c) {
    return qRgb(c.red, c.green, c.blue);
}

} // namespace

class RampChooserTest : public QObject {
    Q_OBJECT

  private slots:
    void elevationModelGetsTheAtlasAndARowPerBand() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        auto raster = orolith::dem::testing::rasterFromRows({{10, 30, 60}, {10, 80, 60}, {10, 30, 60}});
        const QString tile = QDir::toNativeSeparators(home.filePath("a.tif"));
        orolith::dem::testing::writeRaster(raster, tile.toStdString(), "GTiff");
        desktop.manyPicks = {{tile}};
        trigger(*window, "mf_0");
        QVERIFY(finishRun(*window));

        auto* rows = control<QListWidget>(*window, "bandLegend");
        QVERIFY(rows->isVisible());
        QCOMPARE(rows->count(), 4);
        QCOMPARE(rows->item(0)->text(), QStringLiteral("0\u201325 m"));
        QCOMPARE(rows->item(3)->text(), QStringLiteral("75\u2013100 m"));
        orolith::TintChoice atlas;
        atlas.ramp = *orolith::builtInRamp("atlas");
        const orolith::TypeList types = {{"0", "10300"}, {"25", "10301"}, {"50", "10302"}, {"75", "10303"}};
        const auto colours = orolith::colourBands(orolith::defaultPalette(), false, atlas, types, 0);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(rowColour(*window, i), qrgbOf(colours.day[static_cast<std::size_t>(i)]));

        // Classic brings back the 26 swatches, and the choice is kept beside the settings.
        auto* chooser = control<QComboBox>(*window, "rampChooser");
        chooser->setCurrentIndex(chooser->findData(QStringLiteral("classic")));
        QVERIFY(!rows->isVisible());
        QVERIFY(control<QWidget>(*window, "Label4_25")->isVisible());
        QCOMPARE(readFile(home.filePath("system/ramp.txt")), QByteArray("ramp=classic\r\n"));

        // A ramp file that cannot be read is named with its line; the choice stays.
        desktop.picks = {writeFile(home.filePath("bad.txt"), "0 0 0 0\n50 1 2\n")};
        click(*window, "rampFromFile");
        QCOMPARE(chooser->currentData().toString(), QStringLiteral("classic"));
        QVERIFY(desktop.messages.last().contains(
            QStringLiteral("bad.txt, line 2: '50 1 2' is not an elevation")));

        const QString good = writeFile(home.filePath("mine.txt"), "0 0 0 0\n100 0 0 200\nnight\n0 5 5 5\n");
        desktop.picks = {good};
        click(*window, "rampFromFile");
        QCOMPARE(chooser->currentText(), QStringLiteral("mine.txt"));
        QVERIFY(rows->isVisible());
        QCOMPARE(rowColour(*window, 2), qrgbOf(orolith::mixOkLab({0, 0, 0}, {0, 0, 200}, 0.625)));
        window.reset();
        auto again = openWindow(home.path());
        QCOMPARE(control<QComboBox>(*again, "rampChooser")->currentData().toString(), good);
    }
};

QTEST_MAIN(RampChooserTest)
#include "ramp_chooser_test.moc"
