#include "dem/gdal_support.h"

#include <cpl_conv.h>
#include <cpl_error.h>
#include <cpl_string.h>
#include <cpl_vsi.h>
#include <gdal_alg.h>
#include <gdal_utils.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace orolith::dem {

namespace {

// GDAL speaks through the program's messages, never on the terminal.
class QuietGdal {
  public:
    QuietGdal() {
        static std::once_flag registered;
        std::call_once(registered, [] {
            GDALAllRegister();
            // Rows are read once from the top down: a small block cache is enough, and memory
            // stays bounded by a strip of the raster however large the mosaic is.
            GDALSetCacheMax64(std::int64_t{64} << 20);
        });
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
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string nameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

GDALDatasetH openPlain(const std::string& path) {
    return GDALOpenEx(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
}

// The first raster GDAL reads inside a .zip archive.
GDALDatasetH openInZip(const std::string& path, bool& readable) {
    const std::string root = "/vsizip/" + path;
    char** names = VSIReadDirRecursive(root.c_str());
    readable = names != nullptr;
    GDALDatasetH found = nullptr;
    for (int i = 0; names != nullptr && names[i] != nullptr && found == nullptr; ++i) {
        const std::string inner = root + "/" + names[i];
        VSIStatBufL stat;
        if (VSIStatL(inner.c_str(), &stat) == 0 && VSI_ISREG(stat.st_mode))
            found = openPlain(inner);
    }
    CSLDestroy(names);
    return found;
}

// SRTM files are squares of 2-byte heights, 1201 or 3601 a side.
bool hasSrtmSize(const std::string& path, std::uintmax_t& size) {
    std::error_code ec;
    size = std::filesystem::file_size(path, ec);
    return !ec && (size == 2u * 1201u * 1201u || size == 2u * 3601u * 3601u);
}

} // namespace

GdalDataset openRaster(const std::string& path, std::string& error) {
    QuietGdal quiet;
    const std::string lower = lowerCase(path);
    std::uintmax_t size = 0;
    if (endsWith(lower, ".hgt") && !hasSrtmSize(path, size)) {
        error = nameOf(path) + ": an SRTM .hgt file holds 1201 × 1201 or 3601 × 3601 heights of 2 bytes; this one has " +
                std::to_string(size) + " bytes.";
        return {};
    }
    // A gzip-compressed file is read through GDAL's /vsigzip/ layer; the file itself must be there.
    const std::string_view gzipLayer = "/vsigzip/";
    const std::string file = path.rfind(gzipLayer, 0) == 0 ? path.substr(gzipLayer.size()) : path;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
        error = "Cannot find file:" + path;
        return {};
    }
    GDALDatasetH dataset = openPlain(path);
    if (dataset == nullptr && endsWith(lower, ".zip")) {
        bool readable = false;
        dataset = openInZip(path, readable);
        if (dataset == nullptr) {
            error = nameOf(path) + (readable ? ": the archive holds no elevation raster."
                                             : ": the archive cannot be read.");
            return {};
        }
    }
    if (dataset == nullptr) {
        error = nameOf(path) + ": not an elevation raster GDAL can read (" + QuietGdal::last() + ").";
        return {};
    }
    if (GDALGetRasterCount(dataset) < 1) {
        GDALClose(dataset);
        error = nameOf(path) + ": the file holds no raster band.";
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
    text += CPLSPrintf("<GeoTransform>%.17g,%.17g,0,%.17g,0,%.17g</GeoTransform>", g[0] + (cell.lon - tileLon), g[1],
                       g[3] + (cell.lat - tileLat), g[5]);
    text += CPLSPrintf("<VRTRasterBand dataType=\"%s\" band=\"1\"><ColorInterp>%s</ColorInterp></VRTRasterBand>",
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
        sea.emplace_back(GDALOpenEx(text.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr));
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
    GDALDatasetH vrt = GDALBuildVRT(path.c_str(), static_cast<int>(handles.size()), handles.data(), nullptr, options,
                                    &usageError);
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
    std::vector<float> rows(static_cast<std::size_t>(width) * 256);
    for (int y = 0; y < height; y += 256) {
        const int count = std::min(256, height - y);
        if (GDALRasterIO(from, GF_Read, 0, y, width, count, rows.data(), width, count, GDT_Float32, 0, 0) != CE_None ||
            GDALRasterIO(to, GF_Write, 0, y, width, count, rows.data(), width, count, GDT_Float32, 0, 0) != CE_None) {
            error = "Reading the elevation model failed (" + QuietGdal::last() + ").";
            return {};
        }
    }
    if (has)
        GDALSetRasterNoDataValue(to, noData);
    const double distance = std::max(width, height);
    if (has && GDALFillNodata(to, nullptr, distance, 0, 0, nullptr, nullptr, nullptr) != CE_None) {
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
            error = "The raster's coordinate system cannot be converted to WGS84 (" + QuietGdal::last() + ").";
    }
    OSRDestroySpatialReference(source);
    OSRDestroySpatialReference(wgs84);
    return transform;
}

} // namespace orolith::dem
