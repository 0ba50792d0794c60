#pragma once
// Where a raster lies: its georeferencing checked before anything is read (finite, a pixel
// size that is not zero, on the globe), and the mosaic its tiles make: tiles on both sides of
// the 180th meridian joined across it, and tiles far apart refused.

#include "dem/gdal_support.h"

#include <string>
#include <vector>

namespace orolith::dem {

// The widest raster read: rows of this many pixels are held in blocks of many rows.
inline constexpr std::size_t kWidestRaster = 100000;
// The farthest two neighbouring tiles of one mosaic may lie apart, in degrees.
inline constexpr double kFarthestGap = 5.0;

// True when the raster's units are degrees (a geographic system, or none given).
bool inDegrees(GDALDatasetH dataset);

// Empty when the raster is placed soundly; otherwise what is wrong, for "NAME: " + problem.
std::string placementProblem(GDALDatasetH dataset);

// Empty when `width` × `height` pixels can be read (and held whole, for filling voids).
std::string sizeProblem(std::size_t width, std::size_t height, bool heldWhole);

// Joins tiles on both sides of the 180th meridian into one mosaic that runs past 180°
// (the western ones, and their sea cells, moved by 360°), then refuses a mosaic whose tiles do
// not all lie within kFarthestGap of a neighbour, naming the two that lie farthest apart.
std::string arrangeMosaic(std::vector<GdalDataset>& sources, std::vector<SeaCell>& seaCells);

} // namespace orolith::dem
