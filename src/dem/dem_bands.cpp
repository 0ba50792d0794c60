#include "dem/dem_bands.h"

#include "core/platform/text_number.h"
#include "dem/boundary_simplify.h"
#include "dem/raster_rows.h"
#include "dem/ring_assembly.h"
#include "dem/strip_seam.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <limits>
#include <mutex>
#include <thread>
#include <tuple>

namespace orolith::dem {

namespace {

constexpr double kOpenShare = 30.0; // percent of the progress bar for the first reading

std::string wholeText(double value) {
    return std::to_string(static_cast<long long>(std::llround(value)));
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
    const BandLevels levels{options.base, options.interval};
    RasterRows rows(raster_, options.smooth);
    std::vector<double> row(raster_.width());
    std::int32_t low = std::numeric_limits<std::int32_t>::max(), high = std::numeric_limits<std::int32_t>::min();
    std::uint64_t voids = 0;
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
    if (static_cast<std::int64_t>(high) - low + 1 > static_cast<std::int64_t>(kMaxBands)) {
        error_ = "An interval of " + wholeText(options.interval) + " m gives more than " + std::to_string(kMaxBands) +
                 " bands; choose a larger interval.";
        return false;
    }
    lowestBand_ = low;
    for (std::int32_t band = low; band <= high; ++band)
        labels_.push_back(wholeText(levels.lowerLimit(band)));
    return true;
}

// One strip of the raster: its rows read, traced and assembled on one thread.
struct DemBands::Strip {
    std::size_t first = 0, last = 0; // raster rows, both traced
    bool below = false;              // starts at the last row of the strip above
    std::unique_ptr<RingAssembly> assembly;
    std::unique_ptr<BandTracer> tracer;
    std::atomic<std::size_t> done{0};
    std::atomic<bool> finished{false};
    bool readFailed = false;
};

void DemBands::runStrip(Strip& strip, const std::atomic<bool>& stop) {
    readStrip(strip, stop);
    strip.finished = true;
}

void DemBands::readStrip(Strip& strip, const std::atomic<bool>& stop) {
    const std::size_t width = raster_.width();
    RasterRows rows(raster_, options_.smooth, strip.first);
    std::vector<double> row(width);
    for (std::size_t y = strip.first; y <= strip.last && !stop; ++y) {
        if (!rows.next(row.data())) {
            strip.readFailed = true;
            return;
        }
        if (strip.below && y == strip.first)
            strip.tracer->startBelow(row.data(), y);
        else
            strip.tracer->addRow(row.data());
        strip.done = y - strip.first + 1;
    }
}

bool DemBands::trace(Host& host, const std::function<void(BandPolygon&&)>& sink) {
    statistics_.polygons = statistics_.holes = statistics_.vertices = 0;
    const std::size_t width = raster_.width(), height = raster_.height();
    // Simplifying needs every polygon of the area at once: boundaries are shared.
    const bool simplifying = options_.simplify > 0.0;
    std::vector<BandPolygon> gathered;
    std::mutex handing;
    auto hand = [&](PixelPolygon&& polygon) {
        std::lock_guard lock(handing); // also for the reprojection, which is not shared safely
        BandPolygon geo = toGeo(polygon);
        if (simplifying)
            gathered.push_back(std::move(geo));
        else
            handOn(std::move(geo), sink);
    };
    // Two strips when there are two cores (even for small rasters, so that one way is tried).
    const bool split = height >= 2 && std::thread::hardware_concurrency() >= 2;
    std::vector<std::unique_ptr<Strip>> strips;
    for (int s = 0; s < (split ? 2 : 1); ++s) {
        auto strip = std::make_unique<Strip>();
        strip->first = s == 0 ? 0 : height / 2;
        strip->last = split && s == 0 ? height / 2 : height - 1;
        strip->below = s == 1;
        strip->assembly = std::make_unique<RingAssembly>(hand, simplifying);
        strip->tracer = std::make_unique<BandTracer>(width, BandLevels{options_.base, options_.interval},
                                                     *strip->assembly);
        strips.push_back(std::move(strip));
    }
    std::atomic<bool> stop{false};
    std::vector<std::thread> threads;
    bool cancelled = false;
    try {
        for (auto& strip : strips)
            threads.emplace_back([this, &strip, &stop] { runStrip(*strip, stop); });
        // This thread reports progress and watches for cancelling while the strips run.
        auto running = [&] {
            return std::any_of(strips.begin(), strips.end(), [](const auto& strip) { return !strip->finished; });
        };
        while (running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            std::size_t rows = 0;
            for (const auto& strip : strips)
                rows += strip->done;
            host.progress(kOpenShare + (100.0 - kOpenShare) * static_cast<double>(rows) /
                                           static_cast<double>(height + strips.size() - 1));
            if (!cancelled && host.cancelled()) {
                cancelled = true;
                stop = true;
            }
        }
    } catch (...) {
        stop = true;
        for (auto& thread : threads)
            thread.join();
        throw;
    }
    for (auto& thread : threads)
        thread.join();
    for (const auto& strip : strips)
        if (strip->readFailed) {
            error_ = raster_.error();
            return false;
        }
    if (cancelled) {
        error_ = "cancelled";
        return false;
    }
    finishStrips(strips);
    if (simplifying) {
        // The strips hand polygons on in no fixed order; sorted, the same input gives the same map.
        std::sort(gathered.begin(), gathered.end(), [](const BandPolygon& a, const BandPolygon& b) {
            const GeoPoint &p = a.rings.front().front(), &q = b.rings.front().front();
            return std::tie(a.band, p.lat, p.lon) < std::tie(b.band, q.lat, q.lon);
        });
        simplifyBoundaries(gathered, options_.simplify);
        for (BandPolygon& polygon : gathered)
            handOn(std::move(polygon), sink);
    }
    return true;
}

void DemBands::finishStrips(std::vector<std::unique_ptr<Strip>>& strips) {
    Strip& top = *strips.front();
    if (strips.size() == 1) {
        top.tracer->finish();
        return;
    }
    Strip& bottom = *strips.back();
    bottom.tracer->finish();
    for (auto& [band, hole] : bottom.assembly->takeWaitingHoles())
        top.assembly->ring(band, std::move(hole));
    for (SeamRing& ring : joinAtSeam(top.tracer->takeBottomChains(), bottom.tracer->takeTopChains()))
        top.assembly->ring(ring.band, std::move(ring.points));
    top.assembly->rowDone(static_cast<double>(raster_.height()));
}

BandPolygon DemBands::toGeo(const PixelPolygon& polygon) const {
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
    return out;
}

void DemBands::handOn(BandPolygon&& polygon, const std::function<void(BandPolygon&&)>& sink) {
    for (const Ring& ring : polygon.rings)
        statistics_.vertices += ring.size();
    ++statistics_.polygons;
    statistics_.holes += polygon.rings.size() - 1;
    sink(std::move(polygon));
}

} // namespace orolith::dem
