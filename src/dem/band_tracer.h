#pragma once
// Tracing elevation bands over a raster, row by row: marching squares on the pixel centres,
// one class per band. Every cell of four pixel centres is split between the bands of its
// corners, so the bands tile the raster without gap or overlap; a boundary between two bands
// is the same line for both. Rings are handed on as soon as they close, so memory holds two
// rows of the raster plus the rings still open. A tracer may cover a block of a larger raster
// only: the block's outline runs along pixel edges where the raster ends, and along the line of
// pixel centres it shares with a neighbouring block where the raster goes on (see BlockCuts).

#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <vector>

namespace orolith::dem {

// A position in the raster's pixel/line space: pixel (0, 0) covers 0..1 × 0..1.
struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};
using PixelRing = std::vector<PixelPoint>; // not repeating its first point

// Band k holds elevations in [base + k·interval, base + (k+1)·interval).
struct BandLevels {
    double base = 0.0;
    double interval = 25.0;

    static constexpr std::int32_t kVoid = std::numeric_limits<std::int32_t>::min();
    // The band of a value, or kVoid for NaN (no data).
    std::int32_t bandOf(double value) const;
    double lowerLimit(std::int32_t band) const { return base + interval * band; }
};

// The sides of a block where the raster goes on in a neighbouring block. The edge row or column
// of pixels is shared with that block, and the outline runs through its centres: a boundary
// meets the cut where the shared pixels' cell edge holds it, a point both blocks compute alike,
// and runs straight along the cut between such points. Pixel centres on a cut lie on the
// outline, between two polygons of their own band.
struct BlockCuts {
    bool left = false, top = false, right = false, bottom = false;
};

// Receives what the tracer closes. Ring orientation: the band lies to the left when y
// grows downwards, so outer rings have a positive shoelace area and holes a negative one.
class RingSink {
  public:
    virtual ~RingSink() = default;
    virtual void ring(std::int32_t band, PixelRing&& points) = 0;
    // Every ring that ends above the given line y has been handed on.
    virtual void rowDone(double y) = 0;
};

class BandTracer {
  public:
    // Traces `width` columns whose first pixel lies at (left, top) of the whole raster.
    BandTracer(std::size_t width, BandLevels levels, RingSink& sink, std::size_t left = 0, std::size_t top = 0,
               BlockCuts cuts = {});

    // The next row from the top: `width` values, NaN where there is no data.
    void addRow(const double* values);
    // Closes every ring along the bottom edge. Call once after the last row.
    void finish();

    std::size_t openChains() const { return chains_.size() - free_.size(); }

  private:
    struct Chain {
        std::deque<PixelPoint> points;
        std::int32_t* head = nullptr; // the slot where the first point waits
        std::int32_t* tail = nullptr; // the slot where the last point waits
        std::int32_t band = 0;
    };
    struct EdgeEnd {
        PixelPoint point;
        std::int32_t* slotPair = nullptr; // two slots: the lower and the higher band of the edge
        std::int32_t high = 0;         // the higher band of the edge
    };

    void traceRow();
    std::vector<std::int32_t>& slotsOfRow(std::size_t row) { return horizontalSlots_[row & 1]; }
    void loadLower(const double* values);
    void traceCell(std::size_t cx);
    void piece(std::int32_t band, const EdgeEnd& from, const EdgeEnd& to, const PixelPoint* middle);
    void join(std::int32_t first, const PixelPoint* middle, std::int32_t second);
    std::int32_t newChain();
    double edgeFraction(double a, std::int32_t bandA, double b, std::int32_t bandB, double voidAt) const;
    void closeRing(std::int32_t id, std::int32_t band);
    std::int32_t saddleBand(const std::int32_t* bands, const double* values) const;

    std::size_t width_; // columns traced; the rows held here have one void pixel more on each side
    BandLevels levels_;
    RingSink& sink_;
    double left_;        // x of the first column's left edge in the whole raster
    std::size_t top_;    // the first row in the whole raster
    BlockCuts cuts_;
    std::vector<double> upperValues_, lowerValues_;
    std::vector<std::int32_t> upperBands_, lowerBands_;
    std::vector<std::int32_t> horizontalSlots_[2]; // by row parity, 2 per column
    std::vector<std::int32_t> verticalSlots_;      // the current cell row: 2 per column
    std::vector<Chain> chains_;
    std::vector<std::int32_t> free_;
    // The cell row between padded pixel rows cellRow_ and cellRow_ + 1, counted in the whole
    // raster (padded row r holds raster row r - 1).
    std::size_t cellRow_ = 0;
    bool lastRow_ = false;
};

} // namespace orolith::dem
