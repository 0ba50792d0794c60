#pragma once
// Elevation models in place of a Geo Vector file: the band list numbered with polygon types as
// for Geo Vector elevations, and in write mode a Polish map of band polygons with holes.

#include "core/conversion/conversion.h"
#include "core/conversion/elevation_types.h"
#include "dem/dem_bands.h"

#include <string>
#include <vector>

namespace orolith::dem {

// The bands' labels numbered with polygon types as Geo Vector elevations are, from `firstType`.
ElevationTypes numberedBands(const std::vector<std::string>& labels, std::uint32_t firstType);

// True when `path` is read as an elevation model: GDAL reads it as a raster, or it carries a
// raster's extension (.hgt, .zip, .tif, .tiff, .asc, .vrt; then a file GDAL cannot read says so).
bool isElevationModelInput(const std::string& path);

// Lists or converts: the elevation models of `dem.inputs` when there are any, else the Geo
// Vector file of `options.inputPath`.
ConversionResult convertInput(ConversionMode mode, const ConversionOptions& options, const DemOptions& dem,
                              Host& host);

// The map beside the first input: its extensions (".hgt.zip", ".tif", …) replaced by ".mp".
std::string demOutputPathFor(const std::string& firstInput);

// Lists or converts `dem.inputs`. From `options` it takes the detail levels, the first type,
// contours, the output path and whether an existing map may be replaced; the input path is
// not used. The final message names polygons, holes, vertices and the share of voids.
ConversionResult convertDem(ConversionMode mode, const ConversionOptions& options, const DemOptions& dem,
                            Host& host);

// The Data line text of a list of vertices, "(lat,lon),…" with `decimals` places (kExtraDecimals
// more where `precise` marks a vertex); consecutive vertices that read the same are written once.
// `vertices` is set to the number written.
std::string vertexListText(const Ring& ring, int decimals, std::size_t& vertices,
                           const std::vector<bool>* precise = nullptr);
// The Data line text of a ring, "(lat,lon),…" with `decimals` places; consecutive vertices
// that read the same are written once. Empty when fewer than three distinct vertices remain.
// Vertices marked in `precise` get kExtraDecimals places more.
inline constexpr int kExtraDecimals = 3;
std::string ringText(const Ring& ring, int decimals, std::size_t& vertices, const std::vector<bool>* precise = nullptr);

} // namespace orolith::dem
