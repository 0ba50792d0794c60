#include "dem/raster_rows.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace orolith::dem {

namespace {
constexpr std::size_t kBlockRows = 64;
}

RasterRows::RasterRows(DemRaster& raster, int smoothRadius, std::size_t first)
    : raster_(raster), width_(raster.width()), height_(raster.height()), radius_(std::max(smoothRadius, 0)) {
    const std::size_t r = static_cast<std::size_t>(radius_);
    outNext_ = first;
    rawNext_ = radius_ > 0 && first > r ? first - r : (radius_ > 0 ? 0 : first);
    windowLow_ = rawNext_;
    block_.resize(width_ * kBlockRows);
    if (radius_ > 0) {
        const std::size_t window = 2 * static_cast<std::size_t>(radius_) + 1;
        raw_.assign(window, std::vector<double>(width_));
        sums_.assign(window, std::vector<double>(width_));
        counts_.assign(window, std::vector<float>(width_));
        columnSum_.assign(width_, 0.0);
        columnCount_.assign(width_, 0.0f);
    }
}

bool RasterRows::nextRaw(double* out) {
    if (rawNext_ >= height_)
        return false;
    if (rawNext_ >= blockFirst_ + blockCount_) {
        blockFirst_ = rawNext_;
        blockCount_ = std::min(kBlockRows, height_ - rawNext_);
        if (!raster_.readRows(blockFirst_, blockCount_, block_.data())) {
            failed_ = true;
            return false;
        }
    }
    std::memcpy(out, block_.data() + (rawNext_ - blockFirst_) * width_, width_ * sizeof(double));
    ++rawNext_;
    return true;
}

// Horizontal window sums of one raw row, added to the column sums.
void RasterRows::addSums(std::size_t slot, const double* row) {
    auto& sum = sums_[slot];
    auto& count = counts_[slot];
    const std::size_t r = static_cast<std::size_t>(radius_);
    double runSum = 0.0;
    float runCount = 0.0f;
    for (std::size_t x = 0; x < width_ + r; ++x) {
        if (x < width_ && !std::isnan(row[x])) {
            runSum += row[x];
            runCount += 1.0f;
        }
        if (x >= 2 * r + 1) {
            const double leaving = row[x - 2 * r - 1];
            if (!std::isnan(leaving)) {
                runSum -= leaving;
                runCount -= 1.0f;
            }
        }
        if (x >= r) {
            sum[x - r] = runSum;
            count[x - r] = runCount;
        }
    }
    for (std::size_t x = 0; x < width_; ++x) {
        columnSum_[x] += sum[x];
        columnCount_[x] += count[x];
    }
}

bool RasterRows::next(double* out) {
    if (radius_ == 0)
        return nextRaw(out);
    if (outNext_ >= height_)
        return false;
    const std::size_t window = raw_.size();
    const std::size_t r = static_cast<std::size_t>(radius_);
    const std::size_t low = outNext_ > r ? outNext_ - r : 0;
    const std::size_t high = std::min(outNext_ + r, height_ - 1);
    for (; windowLow_ < low; ++windowLow_) {
        const std::size_t slot = windowLow_ % window;
        for (std::size_t x = 0; x < width_; ++x) {
            columnSum_[x] -= sums_[slot][x];
            columnCount_[x] -= counts_[slot][x];
        }
    }
    while (rawNext_ <= high) {
        const std::size_t slot = rawNext_ % window;
        if (!nextRaw(raw_[slot].data()))
            return false;
        addSums(slot, raw_[slot].data());
    }
    const double* centre = raw_[outNext_ % window].data();
    for (std::size_t x = 0; x < width_; ++x)
        out[x] = std::isnan(centre[x]) || columnCount_[x] <= 0.0f ? NAN : columnSum_[x] / columnCount_[x];
    ++outNext_;
    return true;
}

} // namespace orolith::dem
