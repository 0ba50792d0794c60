// The map preview through its own controls: it appears once an input is listed, pans, zooms,
// names the band under the pointer, selects the band's swatch and redraws on a colour change.
#include "gui/legend_widget.h"
#include "gui/pattern_editor.h"
#include "gui/preview_canvas.h"
#include "gui/preview_dock.h"
#include "window_test_support.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// Band 0 (100 m) a square of 0.1 degrees, band 1 (150 m) a square in its middle.
const QByteArray kNestedSquares = "header\r\n"
                                  "L 1 100.0\r\n 7.0 46.0\r\n 7.1 46.0\r\n 7.1 46.1\r\n 7.0 46.1\r\n 7.0 46.0\r\n"
                                  "L 2 150.0\r\n 7.03 46.03\r\n 7.07 46.03\r\n 7.07 46.07\r\n 7.03 46.07\r\n"
                                  " 7.03 46.03\r\n";

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
        FakeDesktop desktop;
        QTemporaryDir home;
        auto window = openWindow(home.path());
        PreviewDock* dock = window->preview();
        QVERIFY(!dock->isVisible());
        control<PatternEditor>(*window, "Text1")->setPatternText(QStringLiteral("1"));
        window->openInputFromCommandLine(writeFile(home.filePath("squares.txt"), kNestedSquares));
        QTRY_VERIFY_WITH_TIMEOUT(dock->isVisible() && !dock->engine().reading(), 20000);
        auto* canvas = control<PreviewCanvas>(*window, "previewCanvas");
        auto* status = control<QLabel>(*window, "previewStatus");

        // The band under the pointer, with its elevation and type.
        const QPointF inner = pixelOf(*canvas, 7.05, 46.05);
        QTest::mouseMove(canvas, inner.toPoint());
        QTRY_VERIFY(status->text().contains(QStringLiteral("150 m, type 0x10305")));
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
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
