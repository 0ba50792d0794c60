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
    const BlockWork* blockWork = nullptr;

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
                tracing.traceBlock(*row, column, *blockWork);
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

void BlockTracing::traceBlock(RowOfBlocks& row, std::size_t column, const BlockWork& work) const {
    const std::size_t left = column * options_.blockSize;
    const std::size_t width = std::min(options_.blockSize, width_ - left);
    std::vector<PixelPolygon> polygons;
    RingAssembly assembly([&polygons](PixelPolygon&& polygon) { polygons.push_back(std::move(polygon)); },
                          options_.keepCollinear);
    BandTracer tracer(width, levels_, assembly, left, row.first);
    for (std::size_t r = 0; r < row.count; ++r)
        tracer.addRow(row.values.data() + r * width_ + left);
    tracer.finish();
    const BlockArea area{static_cast<double>(left), static_cast<double>(row.first),
                         static_cast<double>(left + width), static_cast<double>(row.first + row.count)};
    row.handing[column] = work(std::move(polygons), area);
}

bool BlockTracing::run(const RowSource& next, const BlockWork& work, const Progress& progress) {
    const std::size_t columns = (width_ + options_.blockSize - 1) / options_.blockSize;
    // Declared first so that the workers are stopped and joined before the rows they trace go.
    std::deque<std::unique_ptr<RowOfBlocks>> inFlight;
    Workers workers;
    workers.blockWork = &work;
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
        handedRows += row.count;
        inFlight.pop_front();
        return true;
    };

    for (std::size_t first = 0; first < height_; first += options_.blockSize) {
        auto row = std::make_unique<RowOfBlocks>();
        row->first = first;
        row->count = std::min(options_.blockSize, height_ - first);
        row->values.resize(row->count * width_);
        for (std::size_t r = 0; r < row->count; ++r)
            if (!next(row->values.data() + r * width_))
                return false;
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
