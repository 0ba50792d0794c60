#include "dem/dem_raster.h"

#include "dem/gdal_support.h"
#include "dem/raster_placement.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gdal_alg.h>
#include <gdal_utils.h>
#include <mutex>
#include <ogr_srs_api.h>
#include <system_error>

namespace orolith::dem {

namespace {

constexpr double kWgs84Degree = 111320.0;              // metres per degree at the equator
constexpr const char* kAttributionKey = "ATTRIBUTION"; // metadata of a mosaic file

std::string displayName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Voids of an unfilled mosaic: the first tile's no-data value, or one no tile can hold.
double mosaicNoData(GDALDatasetH first) {
    int has = 0;
    const double value = GDALGetRasterNoDataValue(GDALGetRasterBand(first, 1), &has);
    return has ? value : -32768.0;
}

} // namespace

struct DemRaster::Impl {
    std::vector<GdalDataset> sources;
    GdalDataset mosaic; // several sources (or sea cells): a VRT over them
    GdalDataset filled; // with voids filled: an in-memory copy
    GDALDatasetH dataset = nullptr;
    GDALRasterBandH band = nullptr;
    double noData = 0.0;
    bool hasNoData = false;
    double geo[6] = {0, 1, 0, 0, 0, 1};
    OGRCoordinateTransformationH toWgs84 = nullptr;
    std::mutex reading;
    std::mutex transforming; // a coordinate transformation is not shared safely between threads

    ~Impl() {
        if (toWgs84 != nullptr)
            OCTDestroyCoordinateTransformation(toWgs84);
    }
};

bool isElevationRaster(const std::string& path) {
    std::string ignored;
    GdalDataset dataset = openRaster(path, ignored);
    if (!dataset)
        return false;
    // A Geo Vector text starts its records with "L "; no raster format GDAL reads as text does.
    const std::string driver = GDALGetDriverShortName(GDALGetDatasetDriver(dataset.get()));
    if (driver == "XYZ" || driver == "AAIGrid") {
        std::ifstream in(path, std::ios::binary);
        std::string head(4096, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        head.resize(static_cast<std::size_t>(in.gcount()));
        if (head.rfind("L ", 0) == 0 || head.find("\nL ") != std::string::npos ||
            head.find("Geo Vector") != std::string::npos)
            return false;
    }
    return true;
}

bool writeMosaic(const std::vector<std::string>& paths, const std::vector<SeaCell>& seaCells,
                 const std::string& attribution, const std::string& vrtPath, std::string& error) {
    std::vector<GdalDataset> sources;
    for (const std::string& path : paths) {
        sources.push_back(openRaster(path, error));
        if (!sources.back())
            return false;
    }
    std::vector<SeaCell> cells = seaCells;
    error = arrangeMosaic(sources, cells);
    if (!error.empty())
        return false;
    std::vector<GDALDatasetH> handles;
    for (const GdalDataset& source : sources)
        handles.push_back(source.get());
    GdalDataset vrt = buildMosaic(vrtPath, handles, mosaicNoData(handles.front()), cells, error);
    if (vrt && !attribution.empty())
        GDALSetMetadataItem(vrt.get(), kAttributionKey, attribution.c_str(), nullptr);
    return static_cast<bool>(vrt);
}

DemRaster::DemRaster() : impl_(std::make_unique<Impl>()) {}
DemRaster::~DemRaster() = default;

bool DemRaster::open(const RasterInputs& inputs) {
    error_.clear();
    notes_.clear();
    attribution_.clear();
    if (inputs.paths.empty()) {
        error_ = "no elevation model was given";
        return false;
    }
    return openSources(inputs) && checkMosaic() && prepare(inputs);
}

bool DemRaster::openSources(const RasterInputs& inputs) {
    for (const std::string& path : inputs.paths) {
        GdalDataset dataset = openRaster(path, error_);
        if (!dataset)
            return false;
        const int bands = GDALGetRasterCount(dataset.get());
        if (bands > 1)
            notes_.push_back(displayName(path) + " has " + std::to_string(bands) +
                             " bands; band 1 is used as the elevation.");
        if (const std::string problem = placementProblem(dataset.get()); !problem.empty()) {
            error_ = displayName(path) + ": " + problem;
            return false;
        }
        if (const char* attribution = GDALGetMetadataItem(dataset.get(), kAttributionKey, nullptr);
            attribution != nullptr && attribution_.empty())
            attribution_ = attribution;
        impl_->sources.push_back(std::move(dataset));
    }
    return true;
}

// Tiles of one mosaic share their pixel size and coordinate system.
bool DemRaster::checkMosaic() {
    auto& sources = impl_->sources;
    double first[6];
    GDALGetGeoTransform(sources.front().get(), first);
    const std::string firstSrs = spatialReferenceText(sources.front().get());
    for (std::size_t i = 1; i < sources.size(); ++i) {
        double geo[6];
        GDALGetGeoTransform(sources[i].get(), geo);
        const double tolerance = std::abs(first[1]) * 1e-6;
        if (std::abs(geo[1] - first[1]) > tolerance || std::abs(geo[5] - first[5]) > tolerance) {
            error_ = "The tiles of a mosaic must have the same resolution: " +
                     displayName(GDALGetDescription(sources[i].get())) + " differs from " +
                     displayName(GDALGetDescription(sources.front().get())) + ".";
            return false;
        }
        if (!sameSpatialReference(firstSrs, spatialReferenceText(sources[i].get()))) {
            error_ = "The tiles of a mosaic must share one coordinate system: " +
                     displayName(GDALGetDescription(sources[i].get())) + " differs from " +
                     displayName(GDALGetDescription(sources.front().get())) + ".";
            return false;
        }
    }
    return true;
}

bool DemRaster::prepare(const RasterInputs& inputs) {
    Impl& impl = *impl_;
    impl.dataset = impl.sources.front().get();
    if (impl.sources.size() > 1 || !inputs.seaCells.empty()) {
        std::vector<SeaCell> seaCells = inputs.seaCells;
        error_ = arrangeMosaic(impl.sources, seaCells);
        if (!error_.empty())
            return false;
        std::vector<GDALDatasetH> handles;
        for (auto& source : impl.sources)
            handles.push_back(source.get());
        impl.mosaic = buildMosaic("", handles, mosaicNoData(handles.front()), seaCells, error_);
        if (!impl.mosaic)
            return false;
        impl.dataset = impl.mosaic.get();
    }
    error_ = sizeProblem(static_cast<std::size_t>(GDALGetRasterXSize(impl.dataset)),
                         static_cast<std::size_t>(GDALGetRasterYSize(impl.dataset)), inputs.fillVoids);
    if (!error_.empty())
        return false;
    if (inputs.fillVoids) {
        impl.filled = filledCopy(impl.dataset, error_);
        if (!impl.filled)
            return false;
        impl.dataset = impl.filled.get();
    }
    impl.band = GDALGetRasterBand(impl.dataset, 1);
    int has = 0;
    impl.noData = GDALGetRasterNoDataValue(impl.band, &has);
    impl.hasNoData = has != 0;
    GDALGetGeoTransform(impl.dataset, impl.geo);
    width_ = static_cast<std::size_t>(GDALGetRasterXSize(impl.dataset));
    height_ = static_cast<std::size_t>(GDALGetRasterYSize(impl.dataset));
    bool geographic = true;
    impl.toWgs84 = transformToWgs84(impl.dataset, geographic, error_);
    if (!error_.empty())
        return false;
    const double pixel = std::min(std::abs(impl.geo[1]), std::abs(impl.geo[5]));
    const double degrees = geographic ? pixel : pixel / kWgs84Degree;
    // Clamped before it becomes a whole number: a pixel too small for a double gives infinity.
    decimals_ = static_cast<int>(std::clamp(std::ceil(-std::log10(degrees / 100.0)), 6.0, 9.0));
    return true;
}

bool DemRaster::readRows(std::size_t first, std::size_t count, double* out) {
    Impl& impl = *impl_;
    std::unique_lock lock(impl.reading);
    const CPLErr result = GDALRasterIO(impl.band, GF_Read, 0, static_cast<int>(first),
                                       static_cast<int>(width_), static_cast<int>(count), out,
                                       static_cast<int>(width_), static_cast<int>(count), GDT_Float64, 0, 0);
    if (result != CE_None) {
        error_ = std::string("reading the elevation model failed: ") + CPLGetLastErrorMsg();
        return false;
    }
    lock.unlock();
    const std::size_t n = width_ * count;
    const double noData = impl.noData;
    const bool single = GDALGetRasterDataType(impl.band) == GDT_Float32;
    for (std::size_t i = 0; i < n; ++i) {
        double& v = out[i];
        // An infinite value (an overflow, or a void no tag names) is no height either.
        if (std::isinf(v) || (impl.hasNoData && (v == noData || (single && static_cast<float>(v) ==
                                                                               static_cast<float>(noData)))))
            v = NAN;
    }
    return true;
}

GeoPoint DemRaster::toGeo(PixelPoint point) const {
    const double* g = impl_->geo;
    double x = g[0] + point.x * g[1] + point.y * g[2];
    double y = g[3] + point.x * g[4] + point.y * g[5];
    if (impl_->toWgs84 != nullptr) {
        std::lock_guard lock(impl_->transforming);
        OCTTransform(impl_->toWgs84, 1, &x, &y, nullptr);
    }
    return {x, y};
}

} // namespace orolith::dem
