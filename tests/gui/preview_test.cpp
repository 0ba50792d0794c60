// The map preview through its own controls: it appears once an input is listed, pans, zooms,
// names the band under the pointer, selects the band's swatch and redraws on a colour change.
#include "gui/legend_widget.h"
#include "gui/pattern_editor.h"
#include "gui/preview_canvas.h"
#include "gui/preview_pane.h"
#include "window_test_support.h"

#include <QLabel>
#include <QToolButton>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// Band 0 (100 m) a square of 0.1 degrees, band 1 (150 m) a square in its middle.
const QByteArray kNestedSquares = "header\r\n"
                                  "L 1 100.0\r\n 7.0 46.0\r\n 7.1 46.0\r\n 7.1 46.1\r\n 7.0 46.1\r\n 7.0 46.0\r\n"
                                  "L 2 150.0\r\n 7.03 46.03\r\n 7.07 46.03\r\n 7.07 46.07\r\n 7.03 46.07\r\n"
                                  " 7.03 46.03\r\n";

// The same with an island of band 2 (200 m) 0.00004 degrees wide in the middle, far below a
// pixel when the whole is in view.
const QByteArray kIsland = kNestedSquares +
                           "L 3 200.0\r\n 7.04998 46.04998\r\n 7.05002 46.04998\r\n 7.05002 46.05002\r\n"
                           " 7.04998 46.05002\r\n 7.04998 46.04998\r\n";

QPointF pixelOf(const PreviewCanvas& canvas, double lon, double lat) {
    return canvas.view().toPixel({lon, lat});
}

QColor shownAt(PreviewCanvas& canvas, QPointF pixel) {
    return canvas.grab().toImage().pixelColor(pixel.toPoint() * canvas.devicePixelRatio());
}

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT

  private slots:
    void previewFollowsTheControls() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        PreviewPane* dock = window->preview();
        QVERIFY(dock->isVisible()); // the map area, empty until an input is listed
        QVERIFY(!dock->engine().bands());
        control<PatternEditor>(*window, "Text1")->setPatternText(QStringLiteral("1"));
        window->openInputFromCommandLine(writeFile(home.filePath("squares.txt"), kNestedSquares));
        QTRY_VERIFY_WITH_TIMEOUT(dock->engine().bands() && !dock->engine().reading(), 20000);
        auto* canvas = control<PreviewCanvas>(*window, "previewCanvas");
        auto* status = control<QLabel>(*window, "previewStatus");

        // The band under the pointer, with its elevation and type.
        const QPointF inner = pixelOf(*canvas, 7.05, 46.05);
        QTest::mouseMove(canvas, inner.toPoint());
        QTRY_VERIFY(status->text().contains(QStringLiteral("band 150 m, type 0x10305")));
        QVERIFY(status->text().startsWith(QStringLiteral("46.05")));
        QTRY_COMPARE(shownAt(*canvas, inner), QColor(0, 0, 131)); // entry 1, lightened one step

        // A click selects the band's swatch.
        QTest::mouseClick(canvas, Qt::LeftButton, {}, inner.toPoint());
        QCOMPARE(window->findChild<LegendWidget*>()->selected(), 1);

        // Dragging moves the place under the pointer with it.
        const QPointF from = pixelOf(*canvas, 7.01, 46.01);
        QTest::mousePress(canvas, Qt::LeftButton, {}, from.toPoint());
        QTest::mouseMove(canvas, (from + QPointF(20, 0)).toPoint());
        QTest::mouseMove(canvas, (from + QPointF(40, -10)).toPoint());
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, (from + QPointF(40, -10)).toPoint());
        QVERIFY(std::abs(pixelOf(*canvas, 7.01, 46.01).x() - (from.x() + 40)) < 1e-6);
        QVERIFY(std::abs(pixelOf(*canvas, 7.01, 46.01).y() - (from.y() - 10)) < 1e-6);

        // "+" zooms in twice as close about the pointer; Fit shows everything again.
        const double before = canvas->view().degreesPerPixelX();
        QTest::keyClick(canvas, Qt::Key_Plus);
        QCOMPARE(canvas->view().degreesPerPixelX(), before / 2);
        QTest::mouseClick(control<QToolButton>(*window, "previewFit"), Qt::LeftButton);
        const QRectF data(pixelOf(*canvas, 7.0, 46.1), pixelOf(*canvas, 7.1, 46.0));
        QVERIFY(QRectF(canvas->rect()).contains(data));
        QVERIFY(data.width() > 0.9 * canvas->width() || data.height() > 0.9 * canvas->height());

        // Desaturating the palette redraws without reading the input again.
        const auto bands = dock->engine().bands();
        trigger(*window, "mcol_0");
        QTRY_COMPARE(shownAt(*canvas, pixelOf(*canvas, 7.05, 46.05)), QColor(44, 44, 44));
        QCOMPARE(dock->engine().bands(), bands);
    }

    // Close up, the area in view is read again at its own level of detail: the island, a
    // pixel-sized block in the whole view, takes its true size, and the band under the
    // pointer and the picture follow.
    void zoomingInReadsTheAreaAtItsLevelOfDetail() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        PreviewPane* dock = window->preview();
        control<PatternEditor>(*window, "Text1")->setPatternText(QStringLiteral("1"));
        window->openInputFromCommandLine(writeFile(home.filePath("island.txt"), kIsland));
        QTRY_VERIFY_WITH_TIMEOUT(dock->engine().bands() && !dock->engine().reading(), 20000);
        auto* canvas = control<PreviewCanvas>(*window, "previewCanvas");
        const auto whole = dock->engine().bands();
        QVERIFY(whole->tolerance > 0.00004); // the island is below a pixel of the whole
        QCOMPARE(dock->engine().bandsFor(canvas->view()), whole);

        for (int i = 0; i < 5; ++i)
            QTest::mouseClick(control<QToolButton>(*window, "previewZoomIn"), Qt::LeftButton);
        QVERIFY(canvas->view().area().contains(orolith::GeoPoint{7.05, 46.05}));
        QTRY_VERIFY_WITH_TIMEOUT(dock->engine().bandsFor(canvas->view()) != whole, 20000);
        QVERIFY(dock->engine().bandsFor(canvas->view())->tolerance <= canvas->view().degreesPerPixelX());
        QCOMPARE(dock->engine().bands(), whole);

        const QPointF island = pixelOf(*canvas, 7.05, 46.05);
        const QPointF beside = pixelOf(*canvas, 7.05004, 46.05);
        QCOMPARE(dock->bandAt(island), 2);
        QCOMPARE(dock->bandAt(beside), 1);
        QTRY_COMPARE(shownAt(*canvas, beside), QColor(0, 0, 131));
        QVERIFY(shownAt(*canvas, island) != QColor(0, 0, 131));

        // Back at the whole extent the whole input's bands serve again.
        QTest::mouseClick(control<QToolButton>(*window, "previewFit"), Qt::LeftButton);
        QCOMPARE(dock->engine().bandsFor(canvas->view()), whole);
        QCOMPARE(dock->bandAt(pixelOf(*canvas, 7.035, 46.035)), 1);
    }
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
