#pragma once
// An area in WGS84 degrees, bounded by two parallels and two meridians.

#include "core/conversion/band_geometry.h"

#include <algorithm>
#include <limits>

namespace orolith::render {

struct GeoBox {
    double south = std::numeric_limits<double>::infinity();
    double west = std::numeric_limits<double>::infinity();
    double north = -std::numeric_limits<double>::infinity();
    double east = -std::numeric_limits<double>::infinity();

    bool isEmpty() const { return !(south <= north && west <= east); }
    double width() const { return east - west; }
    double height() const { return north - south; }

    void add(const GeoPoint& p) {
        south = std::min(south, p.lat);
        north = std::max(north, p.lat);
        west = std::min(west, p.lon);
        east = std::max(east, p.lon);
    }
    void add(const GeoBox& box) {
        if (box.isEmpty())
            return;
        south = std::min(south, box.south);
        north = std::max(north, box.north);
        west = std::min(west, box.west);
        east = std::max(east, box.east);
    }
    bool intersects(const GeoBox& other) const {
        return !isEmpty() && !other.isEmpty() && west <= other.east && other.west <= east &&
               south <= other.north && other.south <= north;
    }
    bool contains(const GeoPoint& p) const {
        return p.lon >= west && p.lon <= east && p.lat >= south && p.lat <= north;
    }
    bool contains(const GeoBox& other) const {
        return !other.isEmpty() && other.west >= west && other.east <= east && other.south >= south &&
               other.north <= north;
    }
    // Grown by `fraction` of its size on every side.
    GeoBox grown(double fraction) const {
        const double dx = width() * fraction;
        const double dy = height() * fraction;
        return {south - dy, west - dx, north + dy, east + dx};
    }
};

} // namespace orolith::render
