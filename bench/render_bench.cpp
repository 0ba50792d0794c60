// Times the preview's work on one input, as the window does it: the first picture (drawn
// from the first batch of bands the reader hands on), the whole input read, the full picture,
// and repainting while panning at the full extent and at about 1:25 000.
//   render_bench INPUT... [--tolerance DEGREES]
// Several inputs are one elevation model mosaic.

#include "core/host.h"
#include "core/style/pattern.h"
#include "render/band_painter.h"
#include "render/input_bands.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

class PrintingHost : public orolith::Host {
  public:
    void message(orolith::MessageKind, std::string_view text) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
    bool ask(std::string_view) override { return false; }
};

const QSize kWindow(1200, 800);
constexpr double kMetresPerPixelAt25000 = 25000 * 0.00028; // a 0.28 mm screen pixel

double paintSeconds(const orolith::render::BandSet& bands, const std::vector<orolith::render::BandLook>& looks,
                    const orolith::render::MapView& view) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    const auto start = Clock::now();
    orolith::render::paintBands(image, view, bands, looks, {});
    return secondsSince(start);
}

// Frames per second of full repaints while the view moves 20 pixels per frame.
double panFps(const orolith::render::BandSet& bands, const std::vector<orolith::render::BandLook>& looks,
              orolith::render::MapView view, int frames) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    const auto start = Clock::now();
    for (int i = 0; i < frames; ++i) {
        view = view.panned(QPointF(20, 10));
        orolith::render::paintBands(image, view, bands, looks, {});
    }
    return frames / secondsSince(start);
}

} // namespace

int main(int argc, char** argv) {
    using namespace orolith;
    std::vector<std::string> inputs;
    render::BandReadSettings settings;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--tolerance") == 0 && i + 1 < argc)
            settings.tolerance = std::atof(argv[++i]);
        else
            inputs.emplace_back(argv[i]);
    }
    if (inputs.empty()) {
        std::fprintf(stderr, "usage: render_bench INPUT... [--tolerance DEGREES]\n");
        return 2;
    }
    PrintingHost host;
    render::StyleChoice style;
    style.pattern = *patternFromText(kDefaultPatternText, host);

    const auto start = Clock::now();
    double firstPicture = -1;
    const render::BatchReady firstBatch = [&](const render::BandSet& soFar, std::size_t) {
        if (firstPicture >= 0)
            return;
        const auto looks = render::bandLooks(style, soFar.types.size(), soFar.lowest);
        paintSeconds(soFar, looks, render::MapView::fitted(soFar.extent, kWindow));
        firstPicture = secondsSince(start);
    };
    const std::optional<render::BandSet> bands = render::readInputBands(inputs, settings, host, firstBatch);
    if (!bands)
        return 1;
    const double read = secondsSince(start);
    const auto looks = render::bandLooks(style, bands->types.size(), bands->lowest);
    const render::MapView full = render::MapView::fitted(bands->extent, kWindow);
    const double fullPicture = read + paintSeconds(*bands, looks, full);
    if (firstPicture < 0)
        firstPicture = fullPicture;
    const render::MapView close = full.zoomed(full.metresPerPixel() / kMetresPerPixelAt25000,
                                              QPointF(kWindow.width() / 2.0, kWindow.height() / 2.0));
    std::printf("bands %zu, polygons %zu, vertices kept %zu\n", bands->types.size(), bands->polygons.size(),
                bands->vertexCount());
    std::printf("first picture %.2f s, whole input read %.2f s, full picture %.2f s\n", firstPicture, read,
                fullPicture);
    std::printf("repaints while panning: %.1f fps at the full extent, %.1f fps at 1:25 000\n",
                panFps(*bands, looks, full, 10), panFps(*bands, looks, close, 10));
    return 0;
}
