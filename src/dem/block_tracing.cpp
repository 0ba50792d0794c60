#include "dem/block_tracing.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace orolith::dem {

namespace {

// Blocks of `size` pixels along a side of `length` pixels, neighbours sharing one pixel.
std::size_t blocksAlong(std::size_t length, std::size_t size) {
    return length <= 1 ? 1 : (length - 1 + size - 1) / size;
}

} // namespace

// One row of blocks: its raster rows and, per block, the polygons traced there.
struct BlockTracing::RowOfBlocks {
    std::size_t first = 0, count = 0;           // raster rows
    std::vector<double> values;                 // count × width, freed once traced
    std::vector<std::function<void()>> handing; // by block, left to right: what the work made
    std::vector<char> ready;                    // by block: traced (under Workers::mutex)
    std::size_t pending = 0;                    // blocks not yet traced (under Workers::mutex)
};

// Threads tracing blocks from a queue. Stopped and joined when it goes out of scope.
struct BlockTracing::Workers {
    std::mutex mutex;
    std::condition_variable queued, done;
    std::deque<std::pair<RowOfBlocks*, std::size_t>> tasks;
    bool stop = false;
    std::exception_ptr error;
    std::vector<std::thread> threads;
    const BlockTrace* blockTrace = nullptr;

    ~Workers() {
        {
            std::lock_guard lock(mutex);
            stop = true;
        }
        queued.notify_all();
        for (std::thread& thread : threads)
            thread.join();
    }

    void serve(const BlockTracing& tracing) {
        std::unique_lock lock(mutex);
        for (;;) {
            queued.wait(lock, [this] { return stop || !tasks.empty(); });
            if (stop)
                return;
            const auto [row, column] = tasks.front();
            tasks.pop_front();
            lock.unlock();
            try {
                tracing.traceBlock(*row, column, *blockTrace);
            } catch (...) {
                lock.lock();
                if (!error)
                    error = std::current_exception();
                stop = true;
                done.notify_all();
                queued.notify_all();
                return;
            }
            lock.lock();
            row->ready[column] = 1;
            if (--row->pending == 0)
                row->values = {};
            done.notify_all();
        }
    }
};

void dropStraightOutline(PixelRing& ring, const BlockArea& area) {
    const std::size_t n = ring.size();
    if (n < 4)
        return;
    auto sameSide = [&area](PixelPoint a, PixelPoint b) {
        return (a.x == b.x && (a.x == area.left || a.x == area.right)) ||
               (a.y == b.y && (a.y == area.top || a.y == area.bottom));
    };
    PixelRing kept;
    kept.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const PixelPoint prev = ring[(i + n - 1) % n], here = ring[i], next = ring[(i + 1) % n];
        const bool straight = (prev.x == here.x && here.x == next.x && sameSide(prev, here)) ||
                              (prev.y == here.y && here.y == next.y && sameSide(prev, here));
        if (!straight)
            kept.push_back(here);
    }
    if (kept.size() >= 3)
        ring = std::move(kept);
}

BlockTracing::BlockTracing(std::size_t width, std::size_t height, BandLevels levels,
                           BlockTracingOptions options)
    : width_(width), height_(height), levels_(levels), options_(options) {
    options_.blockSize = std::max<std::size_t>(options_.blockSize, 1);
    if (options_.threads == 0)
        options_.threads = std::max(1u, std::thread::hardware_concurrency());
}

void BlockTracing::traceBlock(RowOfBlocks& row, std::size_t column, const BlockTrace& trace) const {
    Span span;
    span.left = column * options_.blockSize;
    span.top = row.first;
    span.width = std::min(options_.blockSize + 1, width_ - span.left);
    span.height = row.count;
    span.cuts = {span.left > 0, span.top > 0, span.left + span.width < width_,
                 span.top + span.height < height_};
    // A cut runs through the centres of the pixels the block shares with its neighbour.
    const auto side = [](std::size_t edge, bool cut, double inwards) {
        return static_cast<double>(edge) + (cut ? inwards : 0.0);
    };
    span.area = {side(span.left, span.cuts.left, 0.5), side(span.top, span.cuts.top, 0.5),
                 side(span.left + span.width, span.cuts.right, -0.5),
                 side(span.top + span.height, span.cuts.bottom, -0.5)};
    row.handing[column] = trace(row.values.data() + span.left, width_, span);
}

bool BlockTracing::run(const RowSource& next, const BlockWork& work, const Progress& progress) {
    return runBlocks(
        next,
        [this, &work](const double* values, std::size_t stride, const Span& span) {
            std::vector<PixelPolygon> polygons;
            RingAssembly assembly(
                [&polygons](PixelPolygon&& polygon) { polygons.push_back(std::move(polygon)); },
                options_.keepCollinear);
            BandTracer tracer(span.width, levels_, assembly, span.left, span.top, span.cuts);
            for (std::size_t r = 0; r < span.height; ++r)
                tracer.addRow(values + r * stride);
            tracer.finish();
            return work(std::move(polygons), span.area);
        },
        progress);
}

bool BlockTracing::runBlocks(const RowSource& next, const BlockTrace& trace, const Progress& progress) {
    const std::size_t columns = blocksAlong(width_, options_.blockSize);
    // Declared first so that the workers are stopped and joined before the rows they trace go.
    std::deque<std::unique_ptr<RowOfBlocks>> inFlight;
    Workers workers;
    workers.blockTrace = &trace;
    for (unsigned i = 0; i < options_.threads; ++i)
        workers.threads.emplace_back([this, &workers] { workers.serve(*this); });

    std::size_t handedRows = 0;
    auto share = [&] {
        return static_cast<double>(handedRows) / static_cast<double>(std::max<std::size_t>(height_, 1));
    };
    // Hands on what was made of the oldest row of blocks, block by block as each is traced.
    auto handOldest = [&]() -> bool {
        RowOfBlocks& row = *inFlight.front();
        for (std::size_t column = 0; column < columns;) {
            bool ready = false;
            {
                std::unique_lock lock(workers.mutex);
                workers.done.wait_for(lock, std::chrono::milliseconds(20),
                                      [&] { return row.ready[column] || workers.stop; });
                if (workers.error)
                    std::rethrow_exception(workers.error);
                ready = row.ready[column] != 0;
            }
            if (!ready) {
                if (!progress(share()))
                    return false;
                continue;
            }
            if (row.handing[column])
                row.handing[column]();
            row.handing[column] = nullptr; // its polygons' memory goes now
            ++column;
        }
        handedRows += row.count - (row.first > 0 ? 1 : 0);
        inFlight.pop_front();
        return true;
    };

    // The last row of a row of blocks is the first of the next one too.
    std::vector<double> shared;
    const std::size_t rowsOfBlocks = height_ == 0 ? 0 : blocksAlong(height_, options_.blockSize);
    for (std::size_t index = 0; index < rowsOfBlocks; ++index) {
        const std::size_t first = index * options_.blockSize;
        auto row = std::make_unique<RowOfBlocks>();
        row->first = first;
        row->count = std::min(options_.blockSize + 1, height_ - first);
        row->values.resize(row->count * width_);
        std::size_t r = 0;
        if (first > 0)
            std::copy(shared.begin(), shared.end(),
                      row->values.begin() + static_cast<std::ptrdiff_t>(r++ * width_));
        for (; r < row->count; ++r)
            if (!next(row->values.data() + r * width_))
                return false;
        const auto last = row->values.begin() + static_cast<std::ptrdiff_t>((row->count - 1) * width_);
        shared.assign(last, last + static_cast<std::ptrdiff_t>(width_));
        row->handing.resize(columns);
        row->ready.assign(columns, 0);
        row->pending = columns;
        {
            std::lock_guard lock(workers.mutex);
            for (std::size_t column = 0; column < columns; ++column)
                workers.tasks.emplace_back(row.get(), column);
        }
        workers.queued.notify_all();
        inFlight.push_back(std::move(row));
        // The next row of blocks is read while this one is traced.
        while (inFlight.size() >= 2)
            if (!handOldest())
                return false;
        if (!progress(share()))
            return false;
    }
    while (!inFlight.empty())
        if (!handOldest())
            return false;
    return true;
}

} // namespace orolith::dem
