#include "render/band_painter.h"

#include "core/conversion/band_outline.h"
#include "render/elevation_model_bands.h"
#include "render/picture_shift.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>


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
        auto looks = bandLooks(style, bands.types, 0);
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

TEST(Simplifying, MergesVerticesCloserThanTheToleranceAndKeepsTinyRingsAsAPixel) {
    Ring ring;
    for (int i = 0; i <= 100; ++i)
        ring.push_back({i * 0.001, 0.0});
    ring.push_back({0.1, 0.1});
    ring.push_back({0.0, 0.0});
    const Ring kept = simplifiedRing(ring, 0.0095);
    EXPECT_EQ(kept.size(), 13u); // every tenth vertex of the edge, the corner, the closing vertex
    EXPECT_EQ(kept.front(), ring.front());
    EXPECT_EQ(kept.back(), ring.back());
    EXPECT_EQ(simplifiedRing(ring, 0.0), ring);
    // The outline's sides of the vertices kept go with them.
    BandPolygon cut{0, {ring}, {std::vector<std::uint8_t>(ring.size(), kBottomSide)}};
    for (std::size_t i = 5; i < 100; i += 10)
        cut.outlineSides[0][i] = kLeftSide;
    cut.outlineSides[0][101] = 0;
    std::vector<std::uint8_t> keptSides(13, kBottomSide);
    keptSides[11] = 0;
    EXPECT_EQ(simplifiedPolygon(cut, 0.0095).outlineSides, std::vector<std::vector<std::uint8_t>>{keptSides});

    // A ring inside one pixel, outer ring or hole, still covers a pixel where it lies.
    EXPECT_EQ(simplifiedRing(square(0.2, 0.3, 0.001), 0.01), square(0.1955, 0.2955, 0.01));
    BandPolygon polygon{3, {square(0, 0, 1), square(0.5, 0.5, 0.0001)}};
    const BandPolygon simplified = simplifiedPolygon(polygon, 0.01);
    ASSERT_EQ(simplified.rings.size(), 2u);
    EXPECT_EQ(simplified.rings[1], square(0.49505, 0.49505, 0.01));
}

// Rings of many vertices read with the tolerance following the extent: a picture of the whole
// extent at that size looks as it does from every vertex, from a fraction of them.
TEST(Simplifying, ReadingForAPictureSizeKeepsThatPicture) {
    const auto circle = [](double lon, double lat, double radius, int vertices) {
        Ring ring;
        for (int i = 0; i < vertices; ++i) {
            const double a = 2 * 3.14159265358979 * i / vertices;
            ring.push_back({lon + radius * std::cos(a), lat + radius * std::sin(a)});
        }
        ring.push_back(ring.front());
        return ring;
    };
    BandSet whole, reduced;
    whole.types = reduced.types = TypeList(4, {"100", "10300"});
    BandReadSettings settings;
    settings.fitWidth = 200;
    settings.fitHeight = 160;
    // Small hills first, so the tolerance grows while reading; islands below a pixel.
    for (int i = 0; i < 40; ++i) {
        const double lon = 0.05 * (i % 8) + 0.01;
        const double lat = 0.05 * (i / 8) + 0.01;
        BandPolygon hill{static_cast<std::size_t>(i % 3 + 1), {circle(lon, lat, 0.022, 2000), circle(lon, lat, 0.01, 500)}};
        BandPolygon island{0, {circle(lon, lat, 0.0005, 50)}};
        for (BandSet* set : {&whole, &reduced}) {
            set->take(hill, set == &whole ? BandReadSettings{} : settings, {});
            set->take(island, set == &whole ? BandReadSettings{} : settings, {});
        }
    }
    reduced.finish(settings, {});
    const MapView view = MapView::fitted(reduced.extent, QSize(200, 160));
    EXPECT_NEAR(reduced.tolerance, view.degreesPerPixelX(), 1e-12);
    EXPECT_LT(reduced.vertexCount() * 20, whole.vertexCount());
    EXPECT_EQ(reduced.polygons.size(), whole.polygons.size());

    const auto looks = bandLooks(solid(), whole.types, 0);
    QImage fromWhole(view.size(), QImage::Format_ARGB32_Premultiplied);
    QImage fromReduced(view.size(), QImage::Format_ARGB32_Premultiplied);
    ASSERT_TRUE(paintBands(fromWhole, view, whole, looks, {}));
    ASSERT_TRUE(paintBands(fromReduced, view, reduced, looks, {}));
    int differ = 0;
    for (int y = 0; y < view.size().height(); ++y)
        for (int x = 0; x < view.size().width(); ++x)
            differ += fromWhole.pixel(x, y) != fromReduced.pixel(x, y);
    EXPECT_LT(differ, view.size().width() * view.size().height() / 100); // along outlines only
    // Every island shows as a pixel of its band where it lies.
    for (int i = 0; i < 40; ++i) {
        const QPoint at = view.toPixel({0.05 * (i % 8) + 0.01, 0.05 * (i / 8) + 0.01}).toPoint();
        int shown = 0;
        for (const QPoint& p : {at, at - QPoint(1, 0), at - QPoint(0, 1), at - QPoint(1, 1)})
            shown += QColor(fromReduced.pixel(p)) == looks[0].colour;
        EXPECT_GE(shown, 1) << i;
    }
}

// Handing out a part-way picture restarts the painter: the outlines drawn after it keep their pen.
TEST_F(Painting, PartWayPicturesChangeNothingInTheFinalOne) {
    for (int i = 0; i < 200; ++i)
        bands.add({static_cast<std::size_t>(i % 3), {square(0.005 * i, 0.005 * i, 0.2)}});
    const auto looks = paint();
    PaintOptions options;
    options.contours = true;
    const QImage whole = [&] {
        QImage picture(100, 100, QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(paintBands(picture, view, bands, looks, options));
        return picture;
    }();
    int partial = 0;
    options.partial = [&](const QImage&) { ++partial; };
    options.keepGoing = [] { // long enough for a part-way picture at every check
        std::this_thread::sleep_for(std::chrono::milliseconds(160));
        return true;
    };
    QImage stepwise(100, 100, QImage::Format_ARGB32_Premultiplied);
    ASSERT_TRUE(paintBands(stepwise, view, bands, looks, options));
    EXPECT_GE(partial, 2); // during the fill and during the outlines
    EXPECT_EQ(stepwise, whole);
}

// An elevation model traced in blocks of 8 pixels: its outlines leave the cuts between the blocks
// out, so the picture is the one of the model traced in one block. 17 × 17 pixels of 0.01°, 3 m
// more with every row down: four horizontal band edges of 10 m; one picture pixel is 0.001°, so
// the cuts (through the centres of the 9th row and column) run along picture row and column 85.
TEST(Outlines, CutsBetweenBlocksAreNotDrawn) {
    testing::TempDir dir;
    std::string grid = "ncols 17\r\nnrows 17\r\nxllcorner 7.0\r\nyllcorner 46.8\r\ncellsize 0.01\r\n";
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x)
            grid += std::to_string(3 * y) + (x == 16 ? "\r\n" : " ");
    dem::DemOptions dem;
    dem.inputs = {dir.write("model.asc", grid).string()};
    dem.interval = 10;
    const MapView view = MapView::stretched({46.8, 7.0, 46.97, 7.17}, QSize(170, 170));
    StyleChoice clear; // the bands let the white background through: black is outline
    clear.pattern.rows.assign(1, std::string(32, '0'));
    const auto picture = [&](std::size_t blockSize) {
        dem.blockSize = blockSize;
        testing::RecordingHost host;
        const auto bands = readElevationModelBands(dem, {}, host);
        EXPECT_TRUE(bands);
        PaintOptions options;
        options.contours = true;
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(paintBands(image, view, *bands, bandLooks(clear, bands->types, bands->lowest), options));
        return image;
    };
    const QImage blocks = picture(8), whole = picture(1000);
    const auto black = [&blocks](QPoint from, QPoint step) {
        int count = 0;
        for (QPoint p = from; blocks.rect().contains(p); p += step)
            count += blocks.pixel(p) == qRgb(0, 0, 0);
        return count;
    };
    EXPECT_EQ(black({85, 0}, {0, 1}), 8);    // two pixels of each band edge
    EXPECT_EQ(black({0, 85}, {1, 0}), 0);    // none on the cut's row
    EXPECT_EQ(black({0, 0}, {1, 0}), 0);     // nor along the raster's edge
    EXPECT_EQ(black({0, 38}, {1, 0}), 168);  // a band edge, bent only at the raster's edge
    EXPECT_EQ(blocks, whole);
}

// A picture moved by whole pixels and completed along its uncovered edges is the picture
// painted afresh, checkerboard phase and outlines included, for moves in every direction.
TEST(Shifting, AMovedPictureEqualsAFreshOne) {
    BandSet bands;
    bands.types = TypeList(8, {"100", "10300"});
    bands.add({0, {square(0.0, 0.0, 1.0)}});
    bands.add({1, {square(0.1, 0.1, 0.4), square(0.2, 0.2, 0.2)}});
    bands.add({5, {square(0.45, 0.3, 0.5)}});
    StyleChoice style;
    style.pattern.rows = {"0110", "1001", "0011"};
    const auto looks = bandLooks(style, bands.types, 0);
    const MapView start = MapView::fitted({-0.1, -0.1, 1.1, 1.1}, QSize(90, 70)).panned(QPointF(3, -2));
    const auto fresh = [&](const MapView& view) {
        PaintOptions options;
        options.contours = true;
        options.tileOrigin = earthTileOrigin(view);
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(paintBands(image, view, bands, looks, options));
        return image;
    };
    const QImage earlier = fresh(start);
    for (const QPoint move : {QPoint(7, 0), QPoint(-5, 0), QPoint(0, 9), QPoint(0, -4), QPoint(11, -13), QPoint(-33, 21)}) {
        const MapView moved = start.panned(move);
        const auto shift = wholePixelShift(start, moved);
        ASSERT_TRUE(shift) << move.x() << "," << move.y();
        EXPECT_EQ(*shift, move);
        PaintOptions options;
        options.contours = true;
        options.tileOrigin = earthTileOrigin(moved);
        QImage image(moved.size(), QImage::Format_ARGB32_Premultiplied);
        ASSERT_TRUE(paintShifted(image, moved, earlier, *shift, bands, looks, options));
        EXPECT_EQ(image, fresh(moved)) << move.x() << "," << move.y();
    }
    // Not a move by whole pixels, or further than the picture: painted afresh instead.
    EXPECT_FALSE(wholePixelShift(start, start.panned(QPointF(2.5, 0))));
    EXPECT_FALSE(wholePixelShift(start, start.panned(QPointF(0, 70))));
    EXPECT_FALSE(wholePixelShift(start, start.zoomed(2, QPointF(10, 10))));
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
