#pragma once
// Tracing a raster in square blocks, each block as a raster of its own, several blocks at once.
//
// Neighbouring blocks share their edge row (or column) of pixels, and band polygons are cut
// along the line through those pixels' centres: every polygon is complete when its block is
// traced, so memory holds two rows of blocks and their polygons however large the mosaic is,
// and the work per pixel does not grow with the raster. Every cell between four pixel centres
// is traced in exactly one block with its real values, so a band edge crossing a cut crosses it
// at the same point in both blocks and follows the terrain right up to it, as if the raster were
// traced in one piece; two polygons of one band meeting at a cut share that straight line, and
// the map compiler splits large polygons anyway.
//
// What is made of a block's polygons on the tracing threads is handed on in a fixed order (row
// by row, left to right) on the calling thread, whatever the number of threads.

#include "core/conversion/band_outline.h"
#include "dem/band_tracer.h"
#include "dem/ring_assembly.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace orolith::dem {

struct BlockTracingOptions {
    std::size_t blockSize = 512; // rows and columns of a block, beside the one it shares with the next
    unsigned threads = 0;        // tracing threads; 0: one per core
    bool keepCollinear = false;  // keep every vertex the tracer makes (see RingAssembly)
};

// A block in the raster's pixel/line space: its polygons lie within left..right × top..bottom,
// a side on the raster's outline running along pixel edges, a cut through pixel centres.
struct BlockArea {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
    bool onOutline(PixelPoint p) const { return p.x == left || p.x == right || p.y == top || p.y == bottom; }
    // The sides a point lies on, as OutlineSide bits (none inside the block).
    std::uint8_t sides(PixelPoint p) const {
        return static_cast<std::uint8_t>((p.x == left ? kLeftSide : 0) | (p.y == top ? kTopSide : 0) |
                                         (p.x == right ? kRightSide : 0) | (p.y == bottom ? kBottomSide : 0));
    }
};

// Drops the vertices of `ring` that lie on a straight stretch of the block's outline (no other
// ring of the block shares that stretch), keeping the corners and where boundaries meet it.
void dropStraightOutline(PixelRing& ring, const BlockArea& area);

class BlockTracing {
  public:
    // Writes the next row of the raster (width values, NaN where void) from the top; false on a
    // read error.
    using RowSource = std::function<bool(double* row)>;
    // Runs on a tracing thread with every polygon of one block; the function it returns runs on
    // the calling thread, block after block in order.
    using BlockWork =
        std::function<std::function<void()>(std::vector<PixelPolygon>&& polygons, const BlockArea& area)>;
    // Called between blocks with the share of rows traced (0..1); false stops the run.
    using Progress = std::function<bool(double done)>;
    // One block of the raster: its first column and row, its size, where it meets neighbours.
    struct Span {
        std::size_t left = 0, top = 0, width = 0, height = 0;
        BlockCuts cuts;
        BlockArea area;
    };
    // Runs on a tracing thread with a block's values (row after row, `stride` apart); the function
    // it returns runs on the calling thread, block after block in order.
    using BlockTrace =
        std::function<std::function<void()>(const double* values, std::size_t stride, const Span& span)>;

    BlockTracing(std::size_t width, std::size_t height, BandLevels levels, BlockTracingOptions options = {});

    // Traces the band polygons. False when a row could not be read or `progress` stopped the run.
    bool run(const RowSource& next, const BlockWork& work, const Progress& progress);
    // Runs `trace` on every block, in the same blocks and order as run().
    bool runBlocks(const RowSource& next, const BlockTrace& trace, const Progress& progress);

  private:
    struct RowOfBlocks;
    struct Workers;
    void traceBlock(RowOfBlocks& row, std::size_t column, const BlockTrace& trace) const;

    std::size_t width_, height_;
    BandLevels levels_;
    BlockTracingOptions options_;
};

} // namespace orolith::dem
