// The legend after a listing: every swatch names the first band its colour paints, or
// nothing; long captions are cut, and a file that holds no polygons leaves no trace.
#include "gui/legend_widget.h"
#include "window_test_support.h"

#include <QListWidget>

using namespace orolith::gui;
using namespace orolith::gui::testing;

namespace {

// One closed ring per elevation text.
QByteArray rings(const QStringList& elevations) {
    QByteArray text = "export\r\n";
    for (const QString& elevation : elevations)
        text += "L 1 " + elevation.toUtf8() + "\r\n 7 50\r\n 7.1 50\r\n 7 50.1\r\n 7 50\r\n";
    return text;
}

QStringList steps(int first, int step, int count) {
    QStringList elevations;
    for (int i = 0; i < count; ++i)
        elevations << QString::number(first + i * step);
    return elevations;
}

QStringList captions(MainWindow& window) {
    QStringList shown;
    for (int i = 0; i < LegendWidget::kSwatches; ++i)
        shown << control<SwatchLabel>(window, QStringLiteral("Label4_%1").arg(i))->caption();
    return shown;
}

void open(MainWindow& window, const QString& path) {
    window.openInputFromCommandLine(path);
    finishRun(window);
}

} // namespace

class LegendTest : public QObject {
    Q_OBJECT

  private slots:
    void captionsNameTheFirstBandOfEachColour() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        // Lowest 100: bands 100..400 take colour 1, 500..800 colour 2, and so on.
        open(*window, writeFile(home.filePath("high.txt"), rings(steps(100, 100, 25))));
        QStringList expected(LegendWidget::kSwatches);
        for (int k = 0; k < 7; ++k)
            expected[k + 1] = QStringLiteral("%1m").arg(100 + 400 * k);
        QCOMPARE(captions(*window), expected);

        // Negative: colour 25 first. The earlier file's captions are all gone.
        open(*window, writeFile(home.filePath("low.txt"), rings(steps(-120, 10, 9))));
        expected = QStringList(LegendWidget::kSwatches);
        expected[25] = QStringLiteral("-120m");
        expected[0] = QStringLiteral("-80m");
        expected[1] = QStringLiteral("-40m");
        QCOMPARE(captions(*window), expected);
        QVERIFY(desktop.messages.isEmpty());
    }

    void longCaptionsAreCutToTheSwatch() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        auto* legend = window->findChild<LegendWidget*>();
        const int width = legend->width();
        const QString junk(60, QLatin1Char('W')); // reads as 0, so swatch 0
        open(*window, writeFile(home.filePath("wide.txt"), rings({junk})));
        QCOMPARE(control<SwatchLabel>(*window, "Label4_0")->caption(), junk + QLatin1Char('m'));
        QVERIFY(control<SwatchLabel>(*window, "Label4_0")->text().size() < junk.size());
        QCOMPARE(legend->width(), width);
    }

    void fileWithoutPolygonsIsRefused() {
        ScratchWindow scratch;
        auto& [desktop, home, window] = scratch;
        QByteArray binary(20000, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = static_cast<char>((i * 7919) % 251 + 1);
        const QString path = writeFile(home.filePath("picture.txt"), binary + "L 300 L 400\r\n");
        open(*window, path);
        QCOMPARE(desktop.messages, QStringList{path + QStringLiteral(" holds no Geo Vector polygons")});
        QCOMPARE(control<QListWidget>(*window, "List1")->count(), 0);
        QCOMPARE(captions(*window).constFirst(), QStringLiteral("0m"));
    }
};

QTEST_MAIN(LegendTest)
#include "legend_test.moc"
