// Times the preview's work on one input, as the window does it: the first picture (drawn
// from the first batch of bands the reader hands on), the whole input read at the level of
// detail of the whole extent, the full picture, full repaints and panning (the last picture
// moved, the uncovered strips painted) at the full extent, then the finer reading of the area
// around a view at about 1:25 000 and the same there, and the frame rate of moving the last
// picture with the pointer.
//   render_bench INPUT... [--whole]
// Several inputs are one elevation model mosaic. --whole keeps every vertex instead.

#include "core/host.h"
#include "core/style/pattern.h"
#include "render/band_painter.h"
#include "render/input_bands.h"
#include "render/picture_shift.h"

#include <QPainter>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace orolith;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class PrintingHost : public Host {
  public:
    void message(MessageKind, std::string_view text) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    bool ask(std::string_view) override { return false; }
};

const QSize kWindow(1200, 800);
constexpr double kMetresPerPixelAt25000 = 25000 * 0.00028; // a 0.28 mm screen pixel

double paintSeconds(const render::BandSet& bands, const std::vector<render::BandLook>& looks,
                    const render::MapView& view) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    const auto start = Clock::now();
    render::paintBands(image, view, bands, looks, {});
    return secondsSince(start);
}

// Frames per second of full repaints while the view moves 20 pixels per frame.
double repaintFps(const render::BandSet& bands, const std::vector<render::BandLook>& looks, render::MapView view,
                  int frames) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        view = view.panned(QPointF(20, 10));
        render::paintBands(image, view, bands, looks, {});
    }
    return frames / secondsSince(start);
}

// Frames per second of pictures while panning as the window does it: each frame the last
// picture moved by 20 x 10 pixels and the strips it uncovers painted.
double panFps(const render::BandSet& bands, const std::vector<render::BandLook>& looks, render::MapView view,
              int frames) {
    QImage last(view.size(), QImage::Format_ARGB32_Premultiplied);
    render::paintBands(last, view, bands, looks, {});
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        const render::MapView next = view.panned(QPointF(20, 10));
        render::paintShifted(image, next, last, *render::wholePixelShift(view, next), bands, looks, {});
        std::swap(image, last);
        view = next;
    }
    return frames / secondsSince(start);
}

// Frames per second of what the window does on every pointer move: the last picture drawn
// shifted into a window-sized frame.
double shiftFps(const QImage& picture, int frames) {
    QImage frame(picture.size(), QImage::Format_ARGB32_Premultiplied);
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        QPainter painter(&frame);
        painter.fillRect(frame.rect(), Qt::lightGray);
        painter.drawImage(QPointF(i % 50, i % 30), picture);
    }
    return frames / secondsSince(start);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> inputs;
    bool whole = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--whole") == 0)
            whole = true;
        else
            inputs.emplace_back(argv[i]);
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: render_bench INPUT... [--whole]\n");
        return 2;
    }
    PrintingHost host;
    render::StyleChoice style;
    style.pattern = *patternFromText(kDefaultPatternText, host);
    render::BandReadSettings settings;
    if (!whole) {
        settings.fitWidth = kWindow.width();
        settings.fitHeight = kWindow.height();
    }

    const auto start = Clock::now();
    double firstPicture = -1;
    const render::BatchReady firstBatch = [&](const render::BandSet& soFar, std::size_t) {
        if (firstPicture >= 0)
            return;
        const auto looks = render::bandLooks(style, soFar.types, soFar.lowest);
        paintSeconds(soFar, looks, render::MapView::fitted(soFar.extent, kWindow));
        firstPicture = secondsSince(start);
    };
    const std::optional<render::BandSet> bands = render::readInputBands(inputs, settings, host, firstBatch);
    if (!bands)
        return 1;
    const double read = secondsSince(start);
    const auto looks = render::bandLooks(style, bands->types, bands->lowest);
    const render::MapView full = render::MapView::fitted(bands->extent, kWindow);
    const double fullPicture = read + paintSeconds(*bands, looks, full);
    if (firstPicture < 0)
        firstPicture = fullPicture;
    std::printf("bands %zu, polygons %zu, vertices kept %zu (tolerance %.6f°)\n", bands->types.size(),
                bands->polygons.size(), bands->vertexCount(), bands->tolerance);
    std::printf("first picture %.2f s, whole input read %.2f s, full picture %.2f s\n", firstPicture, read,
                fullPicture);
    std::printf("full extent: %.1f fps full repaints, %.1f fps panning\n", repaintFps(*bands, looks, full, 10),
                panFps(*bands, looks, full, 20));

    // The window reads the area around a close view again at that view's level of detail.
    const render::MapView close = full.zoomed(full.metresPerPixel() / kMetresPerPixelAt25000,
                                              QPointF(kWindow.width() / 2.0, kWindow.height() / 2.0));
    render::BandReadSettings detail;
    detail.tolerance = whole ? 0.0 : close.degreesPerPixelX();
    detail.area = close.area().grown(0.5);
    const auto detailStart = Clock::now();
    const std::optional<render::BandSet> fine = render::readInputBands(inputs, detail, host);
    if (!fine)
        return 1;
    std::printf("1:25 000: area read in %.2f s, polygons %zu, vertices kept %zu; %.1f fps full repaints, %.1f fps "
                "panning\n",
                secondsSince(detailStart), fine->polygons.size(), fine->vertexCount(),
                repaintFps(*fine, looks, close, 10), panFps(*fine, looks, close, 20));
    QImage picture(kWindow, QImage::Format_ARGB32_Premultiplied);
    render::paintBands(picture, full, *bands, looks, {});
    std::printf("moving the last picture with the pointer: %.0f fps\n", shiftFps(picture, 200));
    return 0;
}
