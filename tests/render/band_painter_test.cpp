#include "render/band_painter.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace orolith::render {
namespace {

Ring square(double west, double south, double size) {
    return {{west, south}, {west + size, south}, {west + size, south + size}, {west, south + size}, {west, south}};
}

StyleChoice solid() {
    StyleChoice style;
    style.pattern.rows.assign(1, std::string(32, '1'));
    return style;
}

// A 100 x 100 picture of the unit square from (0, 0): one pixel is 0.01 degrees.
struct Painting : ::testing::Test {
    MapView view = MapView::stretched({0, 0, 1, 1}, QSize(100, 100));
    BandSet bands;
    QImage image{100, 100, QImage::Format_ARGB32_Premultiplied};

    std::vector<BandLook> paint(const StyleChoice& style = solid(), QColor background = Qt::white) {
        bands.types.resize(8, {"100", "10300"});
        auto looks = bandLooks(style, bands.types.size(), 0);
        PaintOptions options;
        options.background = background;
        EXPECT_TRUE(paintBands(image, view, bands, looks, options));
        return looks;
    }
};

TEST_F(Painting, HolesStayOpenAndHigherDrawOrdersLieOnTop) {
    // Band 4 (draw order 2) comes first in the map, yet lies over band 0 (draw order 1);
    // band 1's hole shows band 0 beneath it.
    bands.add({4, {square(0.6, 0.6, 0.3)}});
    bands.add({0, {square(0.0, 0.0, 1.0)}});
    bands.add({1, {square(0.1, 0.1, 0.4), square(0.2, 0.2, 0.2)}});
    const auto looks = paint();
    const auto order = paintingOrder(bands, looks);
    const auto colourAt = [&](double lon, double lat) {
        return QColor(image.pixel(view.toPixel({lon, lat}).toPoint()));
    };
    EXPECT_EQ(colourAt(0.75, 0.75), looks[4].colour);
    EXPECT_EQ(colourAt(0.3, 0.3), looks[0].colour);  // in the hole
    EXPECT_EQ(colourAt(0.15, 0.15), looks[1].colour); // in the ring around it
    EXPECT_EQ(colourAt(0.95, 0.05), looks[0].colour);

    // The polygon under the pointer is the one painted last there, holes left out.
    EXPECT_EQ(polygonAt(view, bands, order, view.toPixel({0.75, 0.75})), 0);
    EXPECT_EQ(polygonAt(view, bands, order, view.toPixel({0.3, 0.3})), 1);
    EXPECT_EQ(polygonAt(view, bands, order, view.toPixel({0.15, 0.15})), 2);
    EXPECT_EQ(polygonAt(view, bands, order, QPointF(-5, 50)), -1);
}

TEST_F(Painting, TilesAreAlignedToThePicturesPixels) {
    StyleChoice style;
    style.pattern.rows = {"1000" "1000" "1000" "1000" "1000" "1000" "1000" "1000", std::string(32, '0')};
    bands.add({0, {square(0.0, 0.0, 1.0)}});
    paint(style, Qt::transparent);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)) != 0, x % 4 == 0 && y % 2 == 0) << x << "," << y;
}

TEST(Simplifying, MergesVerticesCloserThanTheTolerance) {
    Ring ring;
    for (int i = 0; i <= 100; ++i)
        ring.push_back({i * 0.001, 0.0});
    ring.push_back({0.1, 0.1});
    ring.push_back({0.0, 0.0});
    const Ring kept = simplifiedRing(ring, 0.0095);
    EXPECT_EQ(kept.size(), 13u); // every tenth vertex of the edge, the corner, the closing vertex
    EXPECT_EQ(kept.front(), ring.front());
    EXPECT_EQ(kept.back(), ring.back());
    EXPECT_TRUE(simplifiedRing(square(0, 0, 0.001), 0.01).empty());
    EXPECT_EQ(simplifiedRing(ring, 0.0), ring);

    BandPolygon polygon{3, {square(0, 0, 1), square(0.5, 0.5, 0.0001)}};
    EXPECT_EQ(simplifiedPolygon(polygon, 0.01).rings.size(), 1u); // the tiny hole vanishes
}

TEST(Viewing, ZoomKeepsThePlaceUnderThePointer) {
    const MapView view = MapView::fitted({45, 6, 46, 8}, QSize(200, 100));
    EXPECT_DOUBLE_EQ(view.degreesPerPixelX(), 0.01);
    EXPECT_DOUBLE_EQ(view.degreesPerPixelY(), 0.01);
    const QPointF pointer(30, 70);
    const GeoPoint before = view.toGeo(pointer);
    const MapView closer = view.zoomed(4, pointer);
    EXPECT_NEAR(closer.toGeo(pointer).lon, before.lon, 1e-12);
    EXPECT_NEAR(closer.toGeo(pointer).lat, before.lat, 1e-12);
    const MapView moved = view.panned(QPointF(10, -20));
    EXPECT_NEAR(moved.toGeo(QPointF(40, 50)).lon, view.toGeo(QPointF(30, 70)).lon, 1e-12);
    EXPECT_NEAR(moved.toGeo(QPointF(40, 50)).lat, view.toGeo(QPointF(30, 70)).lat, 1e-12);
}

} // namespace
} // namespace orolith::render
