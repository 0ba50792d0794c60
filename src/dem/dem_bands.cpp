#include "dem/dem_bands.h"

#include "core/platform/text_number.h"
#include "dem/boundary_simplify.h"
#include "dem/raster_rows.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace orolith::dem {

namespace {

constexpr double kOpenShare = 30.0; // percent of the progress bar for the first reading

std::string wholeText(double value) {
    return std::to_string(static_cast<long long>(std::llround(value)));
}

// The shorter side of the pixel in the raster's middle, in metres.
double pixelMetres(const DemRaster& raster) {
    constexpr double kMetresPerDegree = 111320.0;
    const PixelPoint middle{std::floor(static_cast<double>(raster.width()) / 2.0),
                            std::floor(static_cast<double>(raster.height()) / 2.0)};
    const GeoPoint at = raster.toGeo(middle);
    const GeoPoint right = raster.toGeo({middle.x + 1.0, middle.y});
    const GeoPoint below = raster.toGeo({middle.x, middle.y + 1.0});
    const double scale = std::cos(at.lat * M_PI / 180.0);
    const auto metres = [&](const GeoPoint& p) {
        return kMetresPerDegree * std::hypot((p.lon - at.lon) * scale, p.lat - at.lat);
    };
    return std::min(metres(right), metres(below));
}

// A height as a message shows it: whole metres, or in exponent form when far beyond any terrain.
std::string heightText(double value) {
    if (std::abs(value) < 1.0e9)
        return wholeText(value);
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 3);
    return std::string(text, result.ptr);
}

// A vertex on a block's outline and the sides it lies on.
struct OutlineVertex {
    GeoPoint point;
    std::uint8_t sides = 0;
    static bool before(const OutlineVertex& a, const OutlineVertex& b) {
        return a.point.lon != b.point.lon ? a.point.lon < b.point.lon : a.point.lat < b.point.lat;
    }
};

// Notes the outline's sides of every vertex of the polygon's (closed) rings from
// `sidesOf(ring, index)`; nothing when none lies on the outline.
template <typename SidesOf>
void markOutline(BandPolygon& polygon, const SidesOf& sidesOf) {
    polygon.outlineSides.clear();
    const auto touches = [&] {
        for (std::size_t r = 0; r < polygon.rings.size(); ++r)
            for (std::size_t i = 0; i + 1 < polygon.rings[r].size(); ++i)
                if (sidesOf(r, i) != 0)
                    return true;
        return false;
    };
    if (!touches())
        return; // most polygons: no memory spent
    for (std::size_t r = 0; r < polygon.rings.size(); ++r) {
        std::vector<std::uint8_t>& sides = polygon.outlineSides.emplace_back(polygon.rings[r].size());
        for (std::size_t i = 0; i < sides.size(); ++i)
            sides[i] = sidesOf(r, i);
    }
}

} // namespace

std::optional<double> readWholeMetres(const std::string& text, bool positive) {
    const std::string_view trimmed = trimBlanks(text);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
    if (ec != std::errc() || end != trimmed.data() + trimmed.size() || !std::isfinite(value) ||
        value != std::floor(value) || std::abs(value) > 1.0e6 || (positive && value <= 0.0))
        return std::nullopt;
    return value;
}

std::optional<double> readToleranceMetres(const std::string& text) {
    const auto value = wholeDecimal(trimBlanks(text));
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::string toleranceText(double metres) {
    return oneDecimalText(metres);
}

DemBands::DemBands() = default;
DemBands::~DemBands() = default;

const std::vector<std::string>& DemBands::notes() const {
    return raster_.notes();
}

int DemBands::decimals() const {
    return raster_.decimals();
}

bool DemBands::open(const DemOptions& options, Host& host) {
    options_ = options;
    labels_.clear();
    statistics_ = {};
    if (!(options.interval >= 1.0) || options.interval != std::floor(options.interval) ||
        options.base != std::floor(options.base)) {
        error_ = "The interval must be a whole number of metres above 0 and the base a whole number.";
        return false;
    }
    if (!raster_.open({options.inputs, options.seaCells, options.fillVoids})) {
        error_ = raster_.error();
        return false;
    }
    if (options.simplify < 0.0)
        options_.simplify = std::round(pixelMetres(raster_) * kPixelToleranceShare * 10.0) / 10.0;
    const BandLevels levels{options.base, options.interval};
    RasterRows rows(raster_, options.smooth);
    std::vector<double> row(raster_.width());
    std::int32_t low = std::numeric_limits<std::int32_t>::max(), high = std::numeric_limits<std::int32_t>::min();
    std::uint64_t voids = 0;
    double lowest = std::numeric_limits<double>::max(), highest = std::numeric_limits<double>::lowest();
    const std::size_t height = raster_.height();
    for (std::size_t y = 0; rows.next(row.data()); ++y) {
        for (double value : row) {
            const std::int32_t band = levels.bandOf(value);
            if (band == BandLevels::kVoid) {
                ++voids;
                continue;
            }
            low = std::min(low, band);
            high = std::max(high, band);
            lowest = std::min(lowest, value);
            highest = std::max(highest, value);
        }
        if (y % 256 == 0) {
            host.progress(kOpenShare * static_cast<double>(y) / static_cast<double>(height));
            if (host.cancelled()) {
                error_ = "cancelled";
                return false;
            }
        }
    }
    if (rows.failed()) {
        error_ = raster_.error();
        return false;
    }
    const double pixels = static_cast<double>(raster_.width()) * static_cast<double>(height);
    statistics_.voidShare = pixels > 0 ? static_cast<double>(voids) / pixels : 1.0;
    if (low > high) {
        error_ = "The elevation model holds no elevation data (every pixel is void).";
        return false;
    }
    if (options.bandSpan) {
        low = std::min(low, levels.bandOf(options.bandSpan->first));
        high = std::max(high, levels.bandOf(options.bandSpan->second));
    }
    if (static_cast<std::int64_t>(high) - low + 1 > static_cast<std::int64_t>(kMaxBands)) {
        error_ = "An interval of " + wholeText(options.interval) + " m gives more than " +
                 std::to_string(kMaxBands) + " bands (the heights run from " + heightText(lowest) + " m to " +
                 heightText(highest) + " m); choose a larger interval.";
        return false;
    }
    lowestBand_ = low;
    for (std::int32_t band = low; band <= high; ++band)
        labels_.push_back(wholeText(levels.lowerLimit(band)));
    return true;
}

bool DemBands::trace(Host& host, const std::function<void(BandPolygon&&)>& sink) {
    return traceWith(host, [&sink](BandPolygon&& polygon) -> std::function<void()> {
        return [&sink, polygon = std::move(polygon)]() mutable { sink(std::move(polygon)); };
    });
}

bool DemBands::traceWith(Host& host, const PolygonWork& work) {
    statistics_.polygons = statistics_.holes = statistics_.vertices = 0;
    RasterRows rows(raster_, options_.smooth);
    // Simplifying keeps every vertex until the shared boundaries are found.
    BlockTracing tracing(raster_.width(), raster_.height(), BandLevels{options_.base, options_.interval},
                         {options_.blockSize, options_.threads, options_.simplify > 0.0});
    bool cancelled = false;
    const bool traced = tracing.run(
        [&rows](double* row) { return rows.next(row); },
        [&](std::vector<PixelPolygon>&& polygons, const BlockArea& area) {
            return prepareBlock(std::move(polygons), area, work);
        },
        [&](double done) {
            host.progress(kOpenShare + (100.0 - kOpenShare) * done);
            cancelled = host.cancelled();
            return !cancelled;
        });
    if (traced)
        return true;
    error_ = cancelled ? "cancelled" : raster_.error();
    return false;
}

// On a tracing thread: the block's polygons in degrees, simplified, and the work on each.
// Simplifying needs every polygon of a block at once (boundaries are shared) and keeps the
// block's outline as it is, so that neighbouring blocks still meet without a gap.
std::function<void()> DemBands::prepareBlock(std::vector<PixelPolygon>&& polygons, const BlockArea& area,
                                             const PolygonWork& work) {
    std::vector<BandPolygon> gathered;
    gathered.reserve(polygons.size());
    std::vector<OutlineVertex> outline; // the vertices on the block's outline, by position
    const bool simplifying = options_.simplify > 0.0;
    for (PixelPolygon& polygon : polygons) {
        if (simplifying)
            for (PixelRing& ring : polygon.rings) {
                dropStraightOutline(ring, area);
                for (const PixelPoint& point : ring)
                    if (const std::uint8_t sides = area.sides(point))
                        outline.push_back({raster_.toGeo(point), sides});
            }
        gathered.push_back(toGeo(polygon, area));
        polygon = {};
    }
    if (simplifying) {
        std::sort(outline.begin(), outline.end(), OutlineVertex::before);
        const auto sidesAt = [&outline](const GeoPoint& point) {
            const auto at = std::lower_bound(outline.begin(), outline.end(), OutlineVertex{point, 0},
                                             OutlineVertex::before);
            return at != outline.end() && at->point == point ? at->sides : std::uint8_t{0};
        };
        simplifyBoundaries(gathered, options_.simplify,
                           [&sidesAt](const GeoPoint& point) { return sidesAt(point) != 0; });
        // The rings were rebuilt from the same points: their sides are found by position, in
        // the polygons that touched the outline (no others do now).
        for (BandPolygon& polygon : gathered)
            if (!polygon.outlineSides.empty())
                markOutline(polygon,
                            [&](std::size_t r, std::size_t i) { return sidesAt(polygon.rings[r][i]); });
    }
    DemStatistics counted;
    std::vector<std::function<void()>> handing;
    handing.reserve(gathered.size());
    for (BandPolygon& polygon : gathered) {
        for (const Ring& ring : polygon.rings)
            counted.vertices += ring.size();
        ++counted.polygons;
        counted.holes += polygon.rings.size() - 1;
        handing.push_back(work(std::move(polygon)));
    }
    return [this, counted, handing = std::move(handing)]() mutable {
        statistics_.polygons += counted.polygons;
        statistics_.holes += counted.holes;
        statistics_.vertices += counted.vertices;
        for (auto& hand : handing)
            if (hand) {
                hand();
                hand = nullptr; // its polygon's memory goes now
            }
    };
}

BandPolygon DemBands::toGeo(const PixelPolygon& polygon, const BlockArea& area) const {
    BandPolygon out;
    out.band = static_cast<std::size_t>(polygon.band - lowestBand_);
    out.rings.reserve(polygon.rings.size());
    for (const PixelRing& ring : polygon.rings) {
        Ring geo;
        geo.reserve(ring.size() + 1);
        for (const PixelPoint& p : ring)
            geo.push_back(raster_.toGeo(p));
        geo.push_back(geo.front());
        out.rings.push_back(std::move(geo));
    }
    markOutline(out, [&](std::size_t r, std::size_t i) {
        const PixelRing& ring = polygon.rings[r];
        return area.sides(ring[i < ring.size() ? i : 0]);
    });
    return out;
}

} // namespace orolith::dem
