#include "render/band_painter.h"

#include "core/conversion/band_outline.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace orolith::render {

namespace {

constexpr int kPollEvery = 64;
constexpr qint64 kPartialEveryMs = 150;

// The lines as a path in pixels, each closed if they are `rings` or where it ends at its start;
// vertices less than half a pixel from the last one kept are merged, so huge rings cost no more
// than their outline's pixels.
QPainterPath pathOf(const std::vector<Ring>& lines, const MapView& view, bool rings) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const Ring& line : lines) {
        if (line.empty())
            continue;
        QPointF last = view.toPixel(line.front());
        path.moveTo(last);
        for (std::size_t i = 1; i < line.size(); ++i) {
            const QPointF p = view.toPixel(line[i]);
            if (std::abs(p.x() - last.x()) >= 0.5 || std::abs(p.y() - last.y()) >= 0.5 || i + 1 == line.size()) {
                path.lineTo(p);
                last = p;
            }
        }
        if (rings || (line.size() > 2 && line.front() == line.back()))
            path.closeSubpath();
    }
    return path;
}

bool inside(const Ring& ring, const GeoPoint& p) {
    bool in = false;
    for (std::size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
        const GeoPoint& a = ring[i];
        const GeoPoint& b = ring[j];
        if ((a.lat > p.lat) != (b.lat > p.lat) &&
            p.lon < (b.lon - a.lon) * (p.lat - a.lat) / (b.lat - a.lat) + a.lon)
            in = !in;
    }
    return in;
}

} // namespace

std::vector<std::size_t> paintingOrder(const BandSet& bands, const std::vector<BandLook>& looks) {
    std::vector<std::size_t> order(bands.polygons.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto drawOrderOf = [&](std::size_t i) {
        const std::size_t band = bands.polygons[i].band;
        return band < looks.size() ? looks[band].drawOrder : 0;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return drawOrderOf(a) < drawOrderOf(b); });
    return order;
}

bool paintBands(QImage& image, const MapView& view, const BandSet& bands, const std::vector<BandLook>& looks,
                const PaintOptions& options) {
    image.fill(options.background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrushOrigin(options.tileOrigin);
    const GeoBox area = view.area();
    QElapsedTimer sincePartial;
    sincePartial.start();
    int sincePoll = 0;
    const auto proceed = [&] {
        if (++sincePoll < kPollEvery)
            return true;
        sincePoll = 0;
        if (options.keepGoing && !options.keepGoing())
            return false;
        if (options.partial && sincePartial.elapsed() >= kPartialEveryMs) {
            // The painter forgets its pen and brush when it ends; the contour pass needs its own.
            const QPen pen = painter.pen();
            const QBrush brush = painter.brush();
            painter.end();
            options.partial(image);
            painter.begin(&image);
            painter.setPen(pen);
            painter.setBrush(brush);
            painter.setBrushOrigin(options.tileOrigin);
            sincePartial.restart();
        }
        return true;
    };

    const std::vector<std::size_t> order = paintingOrder(bands, looks);
    for (const std::size_t i : order) {
        const BandPolygon& polygon = bands.polygons[i];
        if (polygon.band >= looks.size() || !bands.bounds[i].intersects(area))
            continue;
        // The outline is drawn too, one pixel wide in the band's own fill: vertices merged within
        // a pixel can leave a sliver between two neighbours, where the background would show.
        const QBrush fill(looks[polygon.band].tile);
        painter.setBrush(fill);
        painter.setPen(QPen(fill, 1.0));
        painter.drawPath(pathOf(polygon.rings, view, true));
        if (!proceed())
            return false;
    }
    if (options.contours) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 2));
        for (const std::size_t i : order) {
            if (!bands.bounds[i].intersects(area))
                continue;
            // Band edges only: not where a polygon was closed along a cut between blocks or
            // along the raster's edge.
            const BandPolygon& polygon = bands.polygons[i];
            painter.drawPath(polygon.outlineSides.empty() ? pathOf(polygon.rings, view, true)
                                                          : pathOf(outlineLines(polygon), view, false));
            if (!proceed())
                return false;
        }
    }
    return true;
}

std::ptrdiff_t polygonAt(const MapView& view, const BandSet& bands, const std::vector<std::size_t>& order,
                         QPointF pixel) {
    const GeoPoint p = view.toGeo(pixel);
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const BandPolygon& polygon = bands.polygons[*it];
        if (!bands.bounds[*it].contains(p))
            continue;
        bool in = false;
        for (const Ring& ring : polygon.rings)
            if (ring.size() >= 3 && inside(ring, p))
                in = !in;
        if (in)
            return static_cast<std::ptrdiff_t>(*it);
    }
    return -1;
}

} // namespace orolith::render
