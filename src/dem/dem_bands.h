#pragma once
// Elevation bands of one or more elevation models: the band list and the band polygons with
// their holes, for the map writer, the Garmin image, tiles and the preview.
//
//   DemBands bands;
//   if (!bands.open(options, host)) … bands.error() …
//   bands.labels();                        // lower limits, ascending ("0", "25", "50", …)
//   bands.trace(host, [](BandPolygon&& polygon) { … });   // polygon.band indexes labels()
//   bands.statistics();                    // polygons, holes, vertices, void share
//
// Polygons are cut into square blocks of the raster and handed on block by block, so memory
// holds two rows of blocks, never the whole mosaic. Bands tile the raster: every pixel centre
// with data lies inside exactly one polygon (holes counted), the one of its band, except the
// centres on a cut between blocks, which lie on the edge shared by two polygons of their band.

#include "core/conversion/band_geometry.h"
#include "core/host.h"
#include "dem/block_tracing.h"
#include "dem/contour_lines.h"
#include "dem/dem_raster.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace orolith::dem {

struct PixelPolygon;

// A simplifying tolerance that follows the raster: a share of the pixel size (see
// DemBands::simplifyTolerance).
inline constexpr double kPixelTolerance = -1.0;
// That share: boundaries move by no more than this part of a pixel's shorter side.
inline constexpr double kPixelToleranceShare = 1.0 / 10.0;

struct DemOptions {
    std::vector<std::string> inputs; // several files: one mosaic
    double interval = 25.0;          // metres, whole and above 0
    double base = 0.0;               // band k holds [base + k·interval, base + (k+1)·interval)
    bool fillVoids = false;          // fill voids by interpolation first
    int smooth = 0;                  // low-pass filter radius in pixels, 0: none
    double simplify = 0.0;           // tolerance in metres for simplifying the bands, 0: none,
                                     // kPixelTolerance: from the pixel size
    std::vector<SeaCell> seaCells;   // 1° cells no tile covers that read as 0 m
    std::size_t blockSize = BlockTracingOptions{}.blockSize; // polygons are cut into blocks this size
    ContourOptions contours;         // labelled contour lines beside the bands (interval 0: none)
    unsigned threads = 0;            // tracing threads, 0: one per core
    bool cutHoles = false;           // each polygon written as one ring, its holes cut open
    // The bands of these elevations are listed (and get types) even where the raster lacks them.
    std::optional<std::pair<double, double>> bandSpan;
};

struct DemStatistics {
    std::uint64_t polygons = 0;
    std::uint64_t holes = 0;
    std::uint64_t vertices = 0; // as written: every ring's closing vertex counted
    double voidShare = 0.0;     // share of the pixels without data, 0..1
};

// The largest number of bands a run may have.
constexpr std::size_t kMaxBands = 100000;

class DemBands {
  public:
    DemBands();
    ~DemBands();
    DemBands(const DemBands&) = delete;
    DemBands& operator=(const DemBands&) = delete;

    // Opens the inputs and reads them once for the band list and the void share. False with
    // error() (also when the host cancels); notes() holds remarks for the user either way.
    bool open(const DemOptions& options, Host& host);
    const std::string& error() const { return error_; }
    const std::vector<std::string>& notes() const;
    // The attribution a mosaic file keeps (see DemRaster::attribution).
    const std::string& attribution() const { return raster_.attribution(); }
    // The opened raster, e.g. for its contour lines.
    DemRaster& raster() { return raster_; }

    // The bands from the lowest to the highest elevation, each its lower limit as text.
    const std::vector<std::string>& labels() const { return labels_; }
    // Decimal places of coordinates that keep the raster's detail.
    int decimals() const;
    // The tolerance in metres the bands are simplified with, once open: the one asked for, or
    // for kPixelTolerance that share of the shorter side of the pixel in the raster's middle.
    double simplifyTolerance() const { return options_.simplify; }

    // Traces every band polygon and hands it to `sink` on the calling thread, one polygon at a
    // time, in the same order on every run; blocks are traced on every core. Progress and
    // cancelling go through `host`. False on a read error or when the host cancels.
    bool trace(Host& host, const std::function<void(BandPolygon&&)>& sink);
    // Work on one polygon that may run on any thread (e.g. its map text); the function it
    // returns runs on the calling thread, in the order trace() hands polygons on.
    using PolygonWork = std::function<std::function<void()>(BandPolygon&& polygon)>;
    bool traceWith(Host& host, const PolygonWork& work);
    const DemStatistics& statistics() const { return statistics_; }

  private:
    std::function<void()> prepareBlock(std::vector<PixelPolygon>&& polygons, const BlockArea& area,
                                       const PolygonWork& work);
    BandPolygon toGeo(const PixelPolygon& polygon, const BlockArea& area) const;

    DemOptions options_;
    DemRaster raster_;
    std::vector<std::string> labels_;
    std::int32_t lowestBand_ = 0;
    DemStatistics statistics_;
    std::string error_;
};

// "25" as a band interval or base: a whole number (of metres). nullopt when `text` is no
// number, not whole, or (for an interval) not above 0.
std::optional<double> readWholeMetres(const std::string& text, bool positive);
// "12.5" as a simplifying tolerance: a decimal number of metres from 0 up (no sign, no
// locale). nullopt otherwise.
std::optional<double> readToleranceMetres(const std::string& text);
// A simplifying tolerance as messages show it: metres with one decimal, "9.3".
std::string toleranceText(double metres);

} // namespace orolith::dem
