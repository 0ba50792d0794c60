#pragma once
// Simplifying the band polygons of an area without opening gaps. The rings are split into
// chains where their neighbourhood changes (where three or more rings meet, where a boundary
// shared by two rings turns into one of a single ring, at vertices the caller keeps); every
// chain is simplified once (Douglas–Peucker) and both rings along it take the same result.
// Vertices are only dropped, never moved, and a shortcut is taken only when nothing else lies
// between it and the line it replaces, so no ring crosses another and none collapses.
//
//   simplifyBoundaries(polygons, 30.0);                        // one area, all its bands
//   simplifyBoundaries(polygons, 30.0, [&](const GeoPoint& p) { return p.lat == cutLatitude; });

#include "core/conversion/band_geometry.h"

#include <functional>
#include <vector>

namespace orolith::dem {

// Vertices kept wherever they lie, e.g. those on a row where the area was cut in blocks.
using KeepVertex = std::function<bool(const GeoPoint&)>;

// Drops vertices of `polygons` (every band polygon of one area: outer rings and holes, each
// ring closed) so that each boundary stays within `toleranceMetres` of where it was. Distances
// are measured with longitude scaled by the cosine of the latitude. Nothing happens for a
// tolerance of 0 or less. Boundaries shared by two rings must run through the same vertices
// on both (as the band tracer hands them on before collinear points are dropped).
void simplifyBoundaries(std::vector<BandPolygon>& polygons, double toleranceMetres, const KeepVertex& keep = {});

} // namespace orolith::dem
