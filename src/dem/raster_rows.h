#pragma once
// The rows of an elevation raster from the top down, optionally through a low-pass filter:
// the mean of the valid pixels in a square of (2r + 1)² around each pixel. A void stays void.
// Only a block of the raster and 2r + 1 filtered rows are held at a time.

#include "dem/dem_raster.h"

#include <vector>

namespace orolith::dem {

class RasterRows {
  public:
    // Rows from `first` on.
    RasterRows(DemRaster& raster, int smoothRadius, std::size_t first = 0);

    // The next row (width values, NaN where void). False at the end or on a read error
    // (then raster.error() says why).
    bool next(double* out);
    bool failed() const { return failed_; }

  private:
    bool nextRaw(double* out);
    void addSums(std::size_t slot, const double* row);

    DemRaster& raster_;
    std::size_t width_, height_;
    int radius_;
    std::vector<double> block_;
    std::size_t blockFirst_ = 0, blockCount_ = 0, rawNext_ = 0;
    // The filter: per buffered raw row its values and horizontal window sums and counts.
    std::vector<std::vector<double>> raw_, sums_;
    std::vector<std::vector<float>> counts_;
    std::vector<double> columnSum_;
    std::vector<float> columnCount_;
    std::size_t outNext_ = 0;
    std::size_t windowLow_ = 0; // the first raw row in the column sums
    bool failed_ = false;
};

} // namespace orolith::dem
