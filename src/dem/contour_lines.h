#pragma once
// Labelled contour lines of an elevation model: traced block by block on every core (the same
// blocks as the bands), joined across the cuts between blocks by their common end points,
// simplified, and handed on in the same order on every run. Minor lines run at every interval,
// intermediate and major ones at every n-th and m-th, in metres or in feet.
//
//   ContourLines lines(raster, smoothRadius, blockSize, options);
//   lines.trace(progress, [](GeoContour&& line) { … line.elevation, line.kind, line.points … });
//   lines.count();   // lines handed on, their vertices, tiny loops dropped

#include "core/conversion/band_geometry.h"
#include "dem/dem_raster.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orolith::dem {

struct ContourOptions {
    double interval = 0.0;            // between lines, in whole metres (or feet); 0: no contour lines
    int intermediate = 5;             // every n-th line is an intermediate one
    int major = 10;                   // every m-th line a major one; a multiple of `intermediate`
    bool feet = false;                // interval and elevations in feet
    double simplify = 0.0;            // tolerance in metres, 0: none
    std::uint64_t tileLines = 200000; // what one map tile holds at most, roughly
};

enum class ContourKind { Minor, Intermediate, Major };

struct GeoContour {
    std::int64_t elevation = 0; // whole metres or feet
    ContourKind kind = ContourKind::Minor;
    std::vector<GeoPoint> points; // a loop repeats its first point at the end
};

struct ContourCount {
    std::uint64_t lines = 0, vertices = 0;
    std::uint64_t droppedLoops = 0; // closed loops shorter than a few pixels
};

// "5,10" as intermediate and major multiples; nullopt with `error` when it is not two whole
// numbers above 0, the second a multiple of the first.
std::optional<std::pair<int, int>> readMajorMultiples(const std::string& text, std::string& error);

class ContourLines {
  public:
    ContourLines(DemRaster& raster, int smoothRadius, std::size_t blockSize, ContourOptions options);

    // Traces every line and hands it to `sink` on the calling thread. `progress` gets the share
    // of rows traced and returns false to stop. False on a read error or when stopped.
    bool trace(const std::function<bool(double)>& progress, const std::function<void(GeoContour&&)>& sink);
    const ContourCount& count() const { return count_; }

  private:
    DemRaster& raster_;
    int smoothRadius_;
    std::size_t blockSize_;
    ContourOptions options_;
    ContourCount count_;
};

} // namespace orolith::dem
