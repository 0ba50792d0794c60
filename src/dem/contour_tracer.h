#pragma once
// Tracing contour lines over a raster, row by row: marching squares on the pixel centres, one
// line per level where the terrain crosses it. A level is the lower limit of a band (see
// BandLevels), and a cell whose corners lie on both sides of a level the other way round on its
// two diagonals is decided as the band tracer decides it, by the mean of its four corners, so
// contour lines follow the band edges and never cross each other.
//
// A line ends where the raster or the traced block ends and where a void begins; lines that
// close are handed on as loops. Higher ground lies to the left of a line when y grows downwards.
// Memory holds two rows of the raster plus the lines still open.

#include "dem/band_tracer.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

namespace orolith::dem {

struct ContourLine {
    std::int32_t level = 0; // the band whose lower limit the line follows
    std::vector<PixelPoint> points;
    bool closed = false; // a loop: the last point joins the first, which is not repeated
};

class ContourTracer {
  public:
    using LineSink = std::function<void(ContourLine&&)>;
    // Traces `width` columns whose first pixel lies at (left, top) of the whole raster.
    ContourTracer(std::size_t width, BandLevels levels, LineSink sink, std::size_t left = 0,
                  std::size_t top = 0);

    // The next row from the top: `width` values, NaN where there is no data.
    void addRow(const double* values);
    // Ends every line still open along the bottom row. Call once after the last row.
    void finish();

  private:
    struct Chain {
        std::deque<PixelPoint> points;
        std::int32_t* head = nullptr; // the slot where the first point waits; nullptr: a line end
        std::int32_t* tail = nullptr; // the slot where the last point waits; nullptr: a line end
        std::int32_t level = 0;
    };
    struct EdgeEnd {
        PixelPoint point;
        std::int32_t* slot = nullptr;
        bool incoming = false; // the cell above or to the left has already passed this edge
    };
    // Slots of the crossings of a row of edges: edge i holds levels first[i] + 1 .. of its
    // own, at waiting[offset[i]] on.
    struct EdgeRow {
        std::vector<std::int32_t> first;
        std::vector<std::size_t> offset;
        std::vector<std::int32_t> waiting;
        // Edge i runs from a pixel of band a[i] to one of band b[i].
        void assign(const std::int32_t* a, const std::int32_t* b, std::size_t count);
        std::int32_t* slot(std::size_t edge, std::int32_t level) {
            return &waiting[offset[edge] + static_cast<std::size_t>(level - first[edge] - 1)];
        }
    };

    void traceRow();
    void traceCell(std::size_t cx);
    void endLinesAt(EdgeRow& row, std::size_t edge);
    void piece(std::int32_t level, const EdgeEnd& from, const EdgeEnd& to);
    void join(std::int32_t first, std::int32_t second);
    void endAt(std::int32_t id, const std::int32_t* slot);
    void handOnIfEnded(std::int32_t id);
    std::int32_t newChain(std::int32_t level);

    std::size_t width_;
    BandLevels levels_;
    LineSink sink_;
    double left_;
    double top_; // y of the current cell row's upper pixel centres
    std::size_t rows_ = 0;
    std::vector<double> upperValues_, lowerValues_;
    std::vector<std::int32_t> upperBands_, lowerBands_;
    EdgeRow upperEdges_, lowerEdges_, verticalEdges_;
    std::vector<Chain> chains_;
    std::vector<std::int32_t> free_;
};

} // namespace orolith::dem
