#include "dem/gdal_support.h"

#include "dem/vrt_check.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>
#include <cstdint>
#include <filesystem>
#include <gdal_alg.h>
#include <gdal_utils.h>
#include <iterator>
#include <mutex>
#include <system_error>
#include <vector>

namespace orolith::dem {

namespace {

// Drivers that fetch over a network; user input never reaches one.
constexpr const char* kNetworkDrivers[] = {"HTTP",   "WMS",    "WMTS",     "WCS",      "DAAS",
                                           "EEDA",   "EEDAI",  "PLMOSAIC", "PLSCENES", "OGCAPI",
                                           "STACTA", "STACIT", "NGW",      "ESRIC",    "TILEDB"};

} // namespace

void setUpGdal() {
    static std::once_flag registered;
    std::call_once(registered, [] {
        // Messages are kept as the last error and read from there; none is printed.
        CPLSetErrorHandler(CPLQuietErrorHandler);
        // Files on a server are never opened: the virtual file systems that fetch refuse
        // every name, and the drivers that speak a protocol are gone.
        CPLSetConfigOption("CPL_VSIL_CURL_ALLOWED_EXTENSIONS", ".orolith-no-network");
        CPLSetConfigOption("GDAL_HTTP_MAX_RETRY", "0");
        CPLSetConfigOption("GDAL_VRT_ENABLE_RAWRASTERBAND", "NO");
        GDALAllRegister();
        for (const char* name : kNetworkDrivers)
            if (GDALDriverH driver = GDALGetDriverByName(name)) {
                GDALDeregisterDriver(driver);
                GDALDestroyDriver(driver);
            }
        // Rows are read once from the top down: a small block cache is enough, and memory
        // stays bounded by a strip of the raster however large the mosaic is.
        GDALSetCacheMax64(std::int64_t{64} << 20);
    });
}

namespace {

// GDAL speaks through the program's messages, never on the terminal.
class QuietGdal {
  public:
    QuietGdal() {
        setUpGdal();
        CPLPushErrorHandler(CPLQuietErrorHandler);
        CPLErrorReset();
    }
    ~QuietGdal() { CPLPopErrorHandler(); }
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;
    static std::string last() {
        const std::string text = CPLGetLastErrorMsg();
        return text.empty() ? std::string("unknown reason") : text;
    }
};

std::string lowerCase(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string nameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

GDALDatasetH openPlain(const std::string& path) {
    return GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
}

// Names of members a .zip archive may hold an elevation raster in; nothing else is opened,
// so an archive of many other files costs no more than its directory.
bool mayBeRaster(const std::string& name) {
    const std::string lower = lowerCase(name);
    for (const char* suffix :
         {".hgt", ".tif", ".tiff", ".asc", ".dem", ".dt0", ".dt1", ".dt2", ".bil", ".flt"})
        if (endsWith(lower, suffix))
            return true;
    return false;
}

// The first raster GDAL reads inside a .zip archive.
GDALDatasetH openInZip(const std::string& path, bool& readable) {
    const std::string root = "/vsizip/" + path;
    char** names = VSIReadDirRecursive(root.c_str());
    readable = names != nullptr;
    GDALDatasetH found = nullptr;
    for (int i = 0; names != nullptr && names[i] != nullptr && found == nullptr; ++i) {
        if (!mayBeRaster(names[i]))
            continue;
        const std::string inner = root + "/" + names[i];
        VSIStatBufL stat;
        if (VSIStatL(inner.c_str(), &stat) == 0 && VSI_ISREG(stat.st_mode))
            found = openPlain(inner);
    }
    CSLDestroy(names);
    return found;
}

constexpr std::uint64_t kSrtmSizes[] = {2u * 1201u * 1201u, 2u * 3601u * 3601u};

// SRTM files are squares of 2-byte heights, 1201 or 3601 a side; a compressed one is
// inflated no further than the larger size.
std::string srtmSizeProblem(const std::string& path, bool compressed) {
    std::error_code ec;
    const std::uint64_t size =
        compressed ? inflatedSizeUpTo(path, kSrtmSizes[1]) : std::filesystem::file_size(path, ec);
    if (!ec && std::find(std::begin(kSrtmSizes), std::end(kSrtmSizes), size) != std::end(kSrtmSizes))
        return {};
    const std::string amount =
        size > kSrtmSizes[1] ? "more than " + std::to_string(kSrtmSizes[1]) : std::to_string(size);
    return nameOf(path) +
           ": an SRTM .hgt file holds 1201 × 1201 or 3601 × 3601 heights of 2 bytes; this one has " + amount +
           " bytes.";
}

} // namespace

std::uint64_t inflatedSizeUpTo(const std::string& gzipPath, std::uint64_t limit) {
    setUpGdal();
    VSILFILE* file = VSIFOpenL(("/vsigzip/" + gzipPath).c_str(), "rb");
    if (file == nullptr)
        return 0;
    std::vector<char> buffer(1 << 20);
    std::uint64_t total = 0;
    while (total <= limit) {
        const std::size_t got = VSIFReadL(buffer.data(), 1, buffer.size(), file);
        total += got;
        if (got < buffer.size())
            break;
    }
    VSIFCloseL(file);
    return total;
}

GdalDataset openRaster(const std::string& path, std::string& error) {
    QuietGdal quiet;
    // A gzip-compressed file is read through GDAL's /vsigzip/ layer; the file itself must be there.
    const std::string_view gzipLayer = "/vsigzip/";
    const bool layered = path.rfind(gzipLayer, 0) == 0;
    const std::string file = layered ? path.substr(gzipLayer.size()) : path;
    const std::string lower = lowerCase(file);
    const bool compressed = layered || endsWith(lower, ".gz");
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = std::filesystem::exists(file, ec)
                    ? nameOf(file) + ": a folder or device, not an elevation raster."
                    : "Cannot find file:" + path;
        return {};
    }
    if (endsWith(lower, ".hgt") || endsWith(lower, ".hgt.gz")) {
        error = srtmSizeProblem(file, compressed);
        if (!error.empty())
            return {};
    }
    if (const std::string problem = vrtProblem(file); !problem.empty()) {
        error = nameOf(file) + ": " + problem;
        return {};
    }
    GDALDatasetH dataset = openPlain(compressed ? std::string(gzipLayer) + file : file);
    if (dataset == nullptr && endsWith(lower, ".zip")) {
        bool readable = false;
        dataset = openInZip(file, readable);
        if (dataset == nullptr) {
            error = nameOf(file) +
                    (readable ? ": the archive holds no elevation raster." : ": the archive cannot be read.");
            return {};
        }
    }
    if (dataset == nullptr) {
        error = nameOf(file) + ": not an elevation raster GDAL can read (" + QuietGdal::last() + ").";
        return {};
    }
    if (GDALGetRasterCount(dataset) < 1) {
        GDALClose(dataset);
        error = nameOf(file) + ": the file holds no raster band.";
        return {};
    }
    return GdalDataset(dataset);
}

namespace {

// A 1° sea cell as a raster that reads 0 everywhere: a VRT without sources, on the pixel grid
// of `tile` (a tile in degrees) moved by whole degrees, with its data type, band colour and
// coordinate system. Its own text is its name, so a mosaic written to a file keeps the cell.
std::string seaCellText(GDALDatasetH tile, SeaCell cell) {
    double g[6];
    GDALGetGeoTransform(tile, g);
    const int width = GDALGetRasterXSize(tile), height = GDALGetRasterYSize(tile);
    const double tileLon = std::floor(g[0] + g[1] * width / 2.0);
    const double tileLat = std::floor(g[3] + g[5] * height / 2.0);
    GDALRasterBandH band = GDALGetRasterBand(tile, 1);
    std::string text = CPLSPrintf("<VRTDataset rasterXSize=\"%d\" rasterYSize=\"%d\">", width, height);
    if (const char* wkt = GDALGetProjectionRef(tile); wkt != nullptr && *wkt != '\0') {
        char* escaped = CPLEscapeString(wkt, -1, CPLES_XML);
        text += std::string("<SRS>") + escaped + "</SRS>";
        CPLFree(escaped);
    }
    text += CPLSPrintf("<GeoTransform>%.17g,%.17g,0,%.17g,0,%.17g</GeoTransform>",
                       g[0] + (cell.lon - tileLon), g[1], g[3] + (cell.lat - tileLat), g[5]);
    text +=
        CPLSPrintf("<VRTRasterBand dataType=\"%s\" band=\"1\"><ColorInterp>%s</ColorInterp></VRTRasterBand>",
                   GDALGetDataTypeName(GDALGetRasterDataType(band)),
                   GDALGetColorInterpretationName(GDALGetRasterColorInterpretation(band)));
    return text + "</VRTDataset>";
}

} // namespace

GdalDataset buildMosaic(const std::string& path, const std::vector<GDALDatasetH>& sources, double noData,
                        const std::vector<SeaCell>& seaCells, std::string& error) {
    QuietGdal quiet;
    // Sea cells come first: where a tile's edge overlaps one, the tile's heights win.
    std::vector<GdalDataset> sea;
    std::vector<GDALDatasetH> handles;
    for (const SeaCell& cell : seaCells) {
        const std::string text = seaCellText(sources.front(), cell);
        sea.emplace_back(
            GDALOpenEx(text.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
        if (!sea.back()) {
            error = "The sea could not be added to the mosaic (" + QuietGdal::last() + ").";
            return {};
        }
        handles.push_back(sea.back().get());
    }
    handles.insert(handles.end(), sources.begin(), sources.end());
    const std::string noDataText = CPLSPrintf("%.17g", noData);
    CPLStringList args;
    args.AddString("-srcnodata");
    args.AddString(noDataText.c_str());
    args.AddString("-vrtnodata");
    args.AddString(noDataText.c_str());
    GDALBuildVRTOptions* options = GDALBuildVRTOptionsNew(args.List(), nullptr);
    int usageError = 0;
    GDALDatasetH vrt = GDALBuildVRT(path.c_str(), static_cast<int>(handles.size()), handles.data(), nullptr,
                                    options, &usageError);
    GDALBuildVRTOptionsFree(options);
    if (vrt == nullptr) {
        error = "The tiles could not be joined into a mosaic (" + QuietGdal::last() + ").";
        return {};
    }
    return GdalDataset(vrt);
}

GdalDataset filledCopy(GDALDatasetH dataset, std::string& error) {
    QuietGdal quiet;
    GDALDriverH memory = GDALGetDriverByName("MEM");
    const int width = GDALGetRasterXSize(dataset), height = GDALGetRasterYSize(dataset);
    GDALDatasetH copy = GDALCreate(memory, "", width, height, 1, GDT_Float32, nullptr);
    if (copy == nullptr) {
        error = "There is not enough memory to fill the voids (" + QuietGdal::last() + ").";
        return {};
    }
    GdalDataset owned(copy);
    double geo[6];
    GDALGetGeoTransform(dataset, geo);
    GDALSetGeoTransform(copy, geo);
    GDALSetProjection(copy, GDALGetProjectionRef(dataset));
    GDALRasterBandH from = GDALGetRasterBand(dataset, 1), to = GDALGetRasterBand(copy, 1);
    int has = 0;
    const double noData = GDALGetRasterNoDataValue(from, &has);
    // Voids are the no-data value or, without one, NaN; a NaN or an infinity is a void either way.
    const float voidValue = has ? static_cast<float>(noData) : NAN;
    std::vector<float> rows(static_cast<std::size_t>(width) * 256);
    for (int y = 0; y < height; y += 256) {
        const int count = std::min(256, height - y);
        if (GDALRasterIO(from, GF_Read, 0, y, width, count, rows.data(), width, count, GDT_Float32, 0, 0) !=
            CE_None) {
            error = "Reading the elevation model failed (" + QuietGdal::last() + ").";
            return {};
        }
        std::replace_if(
            rows.begin(), rows.end(), [](float v) { return !std::isfinite(v); }, voidValue);
        if (GDALRasterIO(to, GF_Write, 0, y, width, count, rows.data(), width, count, GDT_Float32, 0, 0) !=
            CE_None) {
            error = "Reading the elevation model failed (" + QuietGdal::last() + ").";
            return {};
        }
    }
    GDALSetRasterNoDataValue(to, voidValue);
    const double distance = std::max(width, height);
    if (GDALFillNodata(to, nullptr, distance, 0, 0, nullptr, nullptr, nullptr) != CE_None) {
        error = "The voids could not be filled (" + QuietGdal::last() + ").";
        return {};
    }
    return owned;
}

std::string spatialReferenceText(GDALDatasetH dataset) {
    const char* wkt = GDALGetProjectionRef(dataset);
    return wkt != nullptr ? std::string(wkt) : std::string();
}

bool sameSpatialReference(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty())
        return a.empty() == b.empty();
    OGRSpatialReferenceH first = OSRNewSpatialReference(a.c_str());
    OGRSpatialReferenceH second = OSRNewSpatialReference(b.c_str());
    const bool same = first != nullptr && second != nullptr && OSRIsSame(first, second);
    OSRDestroySpatialReference(first);
    OSRDestroySpatialReference(second);
    return same;
}

OGRCoordinateTransformationH transformToWgs84(GDALDatasetH dataset, bool& geographic, std::string& error) {
    QuietGdal quiet;
    geographic = true;
    const std::string wkt = spatialReferenceText(dataset);
    if (wkt.empty())
        return nullptr;
    OGRSpatialReferenceH source = OSRNewSpatialReference(wkt.c_str());
    OGRSpatialReferenceH wgs84 = OSRNewSpatialReference(nullptr);
    OSRSetWellKnownGeogCS(wgs84, "WGS84");
    OSRSetAxisMappingStrategy(source, OAMS_TRADITIONAL_GIS_ORDER);
    OSRSetAxisMappingStrategy(wgs84, OAMS_TRADITIONAL_GIS_ORDER);
    geographic = OSRIsGeographic(source) != 0;
    OGRCoordinateTransformationH transform = nullptr;
    if (!(geographic && OSRIsSame(source, wgs84))) {
        transform = OCTNewCoordinateTransformation(source, wgs84);
        if (transform == nullptr)
            error =
                "The raster's coordinate system cannot be converted to WGS84 (" + QuietGdal::last() + ").";
    }
    OSRDestroySpatialReference(source);
    OSRDestroySpatialReference(wgs84);
    return transform;
}

} // namespace orolith::dem
