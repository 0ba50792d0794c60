#pragma once
// Small tiles in each source's format, made with GDAL in memory: a 12 × 12 Float32 GeoTIFF
// for Copernicus, a 1201 × 1201 height file (gzip for skadi, zip for the SRTM-3 layout).

#include "download/tile_source.h"

#include <cpl_vsi.h>
#include <gdal.h>

#include <string>
#include <vector>

namespace orolith::testing {

inline std::string takeMemFile(const std::string& name) {
    vsi_l_offset size = 0;
    GByte* data = VSIGetMemFileBuffer(name.c_str(), &size, FALSE);
    std::string bytes(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
    VSIUnlink(name.c_str());
    return bytes;
}

// `degrees` wide (1: the tile itself), reaching west of the tile when wider.
inline std::string geoTiffTile(TileCorner tile, float height = 100.0f, int degrees = 1) {
    GDALAllRegister();
    const std::string name = "/vsimem/synthetic-" + tileName(tile) + ".tif";
    const int width = 12 * degrees;
    GDALDatasetH dataset =
        GDALCreate(GDALGetDriverByName("GTiff"), name.c_str(), width, 12, 1, GDT_Float32, nullptr);
    double transform[6] = {double(tile.lon + 1 - degrees), 1.0 / 12, 0, double(tile.lat + 1), 0, -1.0 / 12};
    GDALSetGeoTransform(dataset, transform);
    std::vector<float> cells(static_cast<std::size_t>(width) * 12, height);
    const CPLErr written = GDALRasterIO(GDALGetRasterBand(dataset, 1), GF_Write, 0, 0, width, 12,
                                        cells.data(), width, 12, GDT_Float32, 0, 0);
    GDALClose(dataset);
    if (written != CE_None)
        return {};
    return takeMemFile(name);
}

// A 3″ height file of one height, big-endian, written through GDAL's gzip or zip layer.
inline std::string heightFileTile(TileCorner tile, bool zip, short height = 100) {
    const std::string hgt = tileName(tile) + ".hgt";
    const std::string container = "/vsimem/synthetic-" + hgt + (zip ? ".zip" : ".gz");
    const std::string target = zip ? "/vsizip/" + container + "/" + hgt : "/vsigzip/" + container;
    std::vector<unsigned char> row(1201 * 2);
    for (std::size_t i = 0; i < row.size(); i += 2) {
        row[i] = static_cast<unsigned char>((height >> 8) & 0xff);
        row[i + 1] = static_cast<unsigned char>(height & 0xff);
    }
    VSILFILE* file = VSIFOpenL(target.c_str(), "wb");
    for (int r = 0; r < 1201; ++r)
        VSIFWriteL(row.data(), 1, row.size(), file);
    VSIFCloseL(file);
    return takeMemFile(container);
}

// The tile as `kind` serves it.
inline std::string syntheticTile(download::SourceKind kind, TileCorner tile) {
    switch (kind) {
    case download::SourceKind::Skadi:
        return heightFileTile(tile, false);
    case download::SourceKind::Srtm3:
        return heightFileTile(tile, true);
    default:
        return geoTiffTile(tile);
    }
}

} // namespace orolith::testing
