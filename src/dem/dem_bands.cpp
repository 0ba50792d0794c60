#include "dem/dem_bands.h"

#include "core/platform/text_number.h"
#include "dem/raster_rows.h"
#include "dem/ring_assembly.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <limits>
#include <mutex>
#include <thread>

namespace orolith::dem {

namespace {

constexpr std::size_t kRowsPerBlock = 32;
constexpr std::size_t kBlocksAhead = 4;
constexpr double kOpenShare = 30.0; // percent of the progress bar for the first reading

// Blocks of rows handed from the reading thread to the tracing one, a few at most.
class RowQueue {
  public:
    struct Block {
        std::vector<double> values;
        std::size_t rows = 0;
    };
    bool push(Block&& block) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return blocks_.size() < kBlocksAhead || stopped_; });
        if (stopped_)
            return false;
        blocks_.push_back(std::move(block));
        changed_.notify_all();
        return true;
    }
    // False once the reader has finished and every block was taken.
    bool pop(Block& block) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !blocks_.empty() || finished_ || stopped_; });
        if (blocks_.empty())
            return false;
        block = std::move(blocks_.front());
        blocks_.pop_front();
        changed_.notify_all();
        return true;
    }
    void finish() {
        std::lock_guard lock(mutex_);
        finished_ = true;
        changed_.notify_all();
    }
    void stop() {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        changed_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> blocks_;
    bool finished_ = false;
    bool stopped_ = false;
};

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

bool DemBands::trace(Host& host, const std::function<void(BandPolygon&&)>& sink) {
    statistics_.polygons = statistics_.holes = statistics_.vertices = 0;
    RowQueue queue;
    std::atomic<bool> readFailed{false};
    const std::size_t width = raster_.width(), height = raster_.height();
    std::thread reader([&] {
        RasterRows rows(raster_, options_.smooth);
        for (std::size_t y = 0; y < height;) {
            RowQueue::Block block;
            block.values.resize(width * kRowsPerBlock);
            while (block.rows < kRowsPerBlock && y < height && rows.next(block.values.data() + block.rows * width)) {
                ++block.rows;
                ++y;
            }
            if (rows.failed())
                readFailed = true;
            if (block.rows == 0 || readFailed || !queue.push(std::move(block)))
                break;
        }
        queue.finish();
    });

    auto hand = [&](PixelPolygon&& polygon) {
        BandPolygon out;
        out.band = static_cast<std::size_t>(polygon.band - lowestBand_);
        out.rings.reserve(polygon.rings.size());
        for (const PixelRing& ring : polygon.rings) {
            Ring geo;
            geo.reserve(ring.size() + 1);
            for (const PixelPoint& p : ring)
                geo.push_back(raster_.toGeo(p));
            geo.push_back(geo.front());
            statistics_.vertices += geo.size();
            out.rings.push_back(std::move(geo));
        }
        ++statistics_.polygons;
        statistics_.holes += out.rings.size() - 1;
        sink(std::move(out));
    };
    RingAssembly assembly(hand);
    BandTracer tracer(width, {options_.base, options_.interval}, assembly);
    RowQueue::Block block;
    std::size_t done = 0;
    bool cancelled = false;
    try {
        while (queue.pop(block)) {
            for (std::size_t r = 0; r < block.rows; ++r)
                tracer.addRow(block.values.data() + r * width);
            done += block.rows;
            host.progress(kOpenShare + (100.0 - kOpenShare) * static_cast<double>(done) / static_cast<double>(height));
            if (host.cancelled()) {
                cancelled = true;
                break;
            }
        }
    } catch (...) {
        queue.stop();
        reader.join();
        throw;
    }
    queue.stop();
    reader.join();
    if (readFailed) {
        error_ = raster_.error();
        return false;
    }
    if (cancelled) {
        error_ = "cancelled";
        return false;
    }
    tracer.finish();
    return true;
}

} // namespace orolith::dem
