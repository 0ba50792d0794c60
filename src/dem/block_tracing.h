#pragma once
// Tracing a raster in square blocks, each block as a raster of its own, several blocks at once.
//
// Band polygons are cut along the pixel edges between blocks: every polygon is complete when
// its block is traced, so memory holds two rows of blocks and their polygons however large the
// mosaic is, and the work per pixel does not grow with the raster. A cut runs halfway between
// two rows (or columns) of pixel centres, so every centre still lies inside exactly one polygon;
// two polygons of one band meeting at a cut share that straight line, and the map compiler
// splits large polygons anyway.
//
// Polygons are handed on in a fixed order (blocks row by row, left to right) on the calling
// thread, whatever the number of threads.

#include "dem/band_tracer.h"
#include "dem/ring_assembly.h"

#include <cstddef>
#include <functional>

namespace orolith::dem {

struct BlockTracingOptions {
    std::size_t blockSize = 512; // rows and columns of a block
    unsigned threads = 0;         // tracing threads; 0: one per core
};

class BlockTracing {
  public:
    // Writes the next row of the raster (width values, NaN where void) from the top; false on a
    // read error.
    using RowSource = std::function<bool(double* row)>;
    using PolygonSink = std::function<void(PixelPolygon&&)>;
    // Called between blocks with the share of rows traced (0..1); false stops the run.
    using Progress = std::function<bool(double done)>;

    BlockTracing(std::size_t width, std::size_t height, BandLevels levels, BlockTracingOptions options = {});

    // False when a row could not be read or `progress` stopped the run.
    bool run(const RowSource& next, const PolygonSink& sink, const Progress& progress);

  private:
    struct RowOfBlocks;
    struct Workers;
    void traceBlock(RowOfBlocks& row, std::size_t column) const;

    std::size_t width_, height_;
    BandLevels levels_;
    BlockTracingOptions options_;
};

} // namespace orolith::dem
