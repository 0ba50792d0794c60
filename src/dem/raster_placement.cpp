#include "dem/raster_placement.h"

#include <algorithm>
#include <cmath>
#include <cpl_string.h>
#include <cstdio>
#include <filesystem>
#include <limits>

namespace orolith::dem {

namespace {

constexpr double kMetresPerDegree = 111320.0;

struct Extent {
    double west, east, south, north;
    double centre() const { return (west + east) / 2; }
};

Extent extentOf(GDALDatasetH dataset) {
    double g[6];
    GDALGetGeoTransform(dataset, g);
    const double x2 = g[0] + g[1] * GDALGetRasterXSize(dataset);
    const double y2 = g[3] + g[5] * GDALGetRasterYSize(dataset);
    return {std::min(g[0], x2), std::max(g[0], x2), std::min(g[3], y2), std::max(g[3], y2)};
}

double gapBetween(const Extent& a, const Extent& b) {
    const double dx = std::max(0.0, std::max(a.west, b.west) - std::min(a.east, b.east));
    const double dy = std::max(0.0, std::max(a.south, b.south) - std::min(a.north, b.north));
    return std::max(dx, dy);
}

std::string number(double value) {
    return CPLSPrintf("%.10g", value);
}

std::string nameOf(GDALDatasetH dataset) {
    return std::filesystem::path(GDALGetDescription(dataset)).filename().string();
}

std::string escaped(const std::string& text) {
    char* escapedText = CPLEscapeString(text.c_str(), -1, CPLES_XML);
    const std::string result = escapedText;
    CPLFree(escapedText);
    return result;
}

// A VRT of `source` that reads the same pixels 360° further east. It keeps the source's name,
// so that a mosaic written to a file names the tile itself, at the place the mosaic gives it.
GdalDataset movedEast(GDALDatasetH source) {
    double g[6];
    GDALGetGeoTransform(source, g);
    const int width = GDALGetRasterXSize(source), height = GDALGetRasterYSize(source);
    GDALRasterBandH band = GDALGetRasterBand(source, 1);
    std::string text = CPLSPrintf("<VRTDataset rasterXSize=\"%d\" rasterYSize=\"%d\">", width, height);
    if (const std::string wkt = spatialReferenceText(source); !wkt.empty())
        text += "<SRS>" + escaped(wkt) + "</SRS>";
    text += CPLSPrintf("<GeoTransform>%.17g,%.17g,0,%.17g,0,%.17g</GeoTransform>", g[0] + 360.0, g[1], g[3],
                       g[5]);
    text += CPLSPrintf("<VRTRasterBand dataType=\"%s\" band=\"1\"><ColorInterp>%s</ColorInterp>",
                       GDALGetDataTypeName(GDALGetRasterDataType(band)),
                       GDALGetColorInterpretationName(GDALGetRasterColorInterpretation(band)));
    int hasNoData = 0;
    const double noData = GDALGetRasterNoDataValue(band, &hasNoData);
    if (hasNoData)
        text += CPLSPrintf("<NoDataValue>%.17g</NoDataValue>", noData);
    text += "<SimpleSource><SourceFilename relativeToVRT=\"0\">" + escaped(GDALGetDescription(source)) +
            "</SourceFilename><SourceBand>1</SourceBand></SimpleSource></VRTRasterBand></VRTDataset>";
    GDALDatasetH moved =
        GDALOpenEx(text.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
    if (moved != nullptr)
        GDALSetDescription(moved, GDALGetDescription(source));
    return GdalDataset(moved);
}

// The longitudes the tiles span, with those whose centre is west of 0° moved by 360° or not.
double spanOf(const std::vector<Extent>& extents, bool moved) {
    double west = std::numeric_limits<double>::max(), east = std::numeric_limits<double>::lowest();
    for (const Extent& e : extents) {
        const double shift = moved && e.centre() < 0 ? 360.0 : 0.0;
        west = std::min(west, e.west + shift);
        east = std::max(east, e.east + shift);
    }
    return east - west;
}

} // namespace

bool inDegrees(GDALDatasetH dataset) {
    const std::string wkt = spatialReferenceText(dataset);
    if (wkt.empty())
        return true;
    OGRSpatialReferenceH srs = OSRNewSpatialReference(wkt.c_str());
    const bool geographic = srs != nullptr && OSRIsGeographic(srs);
    OSRDestroySpatialReference(srs);
    return geographic;
}

std::string placementProblem(GDALDatasetH dataset) {
    double g[6];
    if (GDALGetGeoTransform(dataset, g) != CE_None || g[2] != 0.0 || g[4] != 0.0)
        return "the raster has no usable georeferencing (north-up pixel grid).";
    if (!std::all_of(g, g + 6, [](double v) { return std::isfinite(v); }) || g[1] == 0.0 || g[5] == 0.0)
        return "the raster's georeferencing is broken (pixel size " + number(g[1]) + " × " + number(g[5]) +
               ").";
    const Extent e = extentOf(dataset);
    // The raster must lie on the globe; an SRTM tile's outer half pixels may reach past it, by
    // no more than a hundredth of a degree (the outline is drawn along the raster's edges).
    const double slackX = std::min(std::abs(g[1]) / 2, 0.01), slackY = std::min(std::abs(g[5]) / 2, 0.01);
    const bool degrees = inDegrees(dataset);
    if (degrees && (e.west < -180.0 - slackX || e.east > 180.0 + slackX || e.south < -90.0 - slackY ||
                    e.north > 90.0 + slackY)) {
        const std::string corners = "(" + number(e.west) + ", " + number(e.south) + " to " + number(e.east) +
                                    ", " + number(e.north) + ")";
        return spatialReferenceText(dataset).empty()
                   ? "the raster has no coordinate system, and its corners " + corners +
                         " are not degrees of longitude and latitude."
                   : "the raster's corners " + corners +
                         " lie beyond ±180° of longitude or ±90° of latitude.";
    }
    return {};
}

std::string sizeProblem(std::size_t width, std::size_t height, bool heldWhole) {
    constexpr double kMostHeldWhole = 500e6;
    const std::string size = std::to_string(width) + " × " + std::to_string(height) + " pixels";
    if (width > kWidestRaster)
        return "The elevation model is too large: " + size + "; at most " + std::to_string(kWidestRaster) +
               " pixels across can be read.";
    if (heldWhole && static_cast<double>(width) * static_cast<double>(height) > kMostHeldWhole)
        return "The elevation model is too large to fill its voids: " + size +
               "; --fill-voids holds at most 500 million pixels in memory.";
    return {};
}

std::string arrangeMosaic(std::vector<GdalDataset>& sources, std::vector<SeaCell>& seaCells) {
    const bool degrees = inDegrees(sources.front().get());
    std::vector<Extent> extents;
    for (const GdalDataset& source : sources)
        extents.push_back(extentOf(source.get()));
    for (const SeaCell& cell : seaCells)
        extents.push_back({double(cell.lon), cell.lon + 1.0, double(cell.lat), cell.lat + 1.0});
    if (degrees && spanOf(extents, true) < spanOf(extents, false)) {
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (extents[i].centre() >= 0)
                continue;
            sources[i] = movedEast(sources[i].get());
            if (!sources[i])
                return "The tiles could not be joined across the 180th meridian.";
            extents[i] = extentOf(sources[i].get());
        }
        for (SeaCell& cell : seaCells)
            cell.lon += cell.lon < 0 ? 360 : 0;
    }
    // Every tile must be reached from the first through neighbours no farther apart than the limit.
    const double limit = kFarthestGap * (degrees ? 1.0 : kMetresPerDegree);
    std::vector<bool> reached(sources.size(), false);
    reached[0] = true;
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < sources.size(); ++i)
            for (std::size_t j = 0; j < sources.size() && !reached[i]; ++j)
                if (reached[j] && gapBetween(extents[i], extents[j]) <= limit)
                    reached[i] = grew = true;
    }
    std::size_t near = 0, far = 0;
    double gap = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < sources.size(); ++i)
        for (std::size_t j = 0; j < sources.size(); ++j)
            if (reached[i] && !reached[j] && gapBetween(extents[i], extents[j]) < gap) {
                gap = gapBetween(extents[i], extents[j]);
                near = i;
                far = j;
            }
    if (near == far)
        return {};
    const std::string distance = degrees ? CPLSPrintf("%.0f°", gap) : CPLSPrintf("%.0f km", gap / 1000);
    return nameOf(sources[near].get()) + " and " + nameOf(sources[far].get()) + " lie " + distance +
           " apart; the tiles of one mosaic must each lie within " + CPLSPrintf("%.0f", kFarthestGap) +
           "° of another.";
}

} // namespace orolith::dem
