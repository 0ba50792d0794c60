#include "dem/contour_map.h"

#include "dem/dem_conversion.h"

#include <algorithm>
#include <charconv>

namespace orolith::dem {

namespace {

std::string lineText(const std::vector<GeoPoint>& points, int decimals, std::size_t& vertices) {
    std::string text = vertexListText(points, decimals, vertices);
    return vertices >= 2 ? text : std::string();
}

} // namespace

std::string contourType(ContourKind kind) {
    switch (kind) {
    case ContourKind::Major:
        return "22";
    case ContourKind::Intermediate:
        return "21";
    default:
        return "20";
    }
}

bool writeContourLines(DemBands& bands, const DemOptions& dem, std::string_view levelDigits,
                       MapWriter& writer, Host& host, ContourCount& count, std::string& error) {
    const std::uint64_t lineLimit = dem.contours.tileLines;
    ContourOptions options = dem.contours;
    options.simplify = dem.simplify;
    ContourLines lines(bands.raster(), dem.smooth, dem.blockSize, options);
    const char first = levelDigits.front();
    // Minor lines at the first level only, intermediate ones one level further (within the
    // selected levels), major ones up to the coarsest selected level.
    const char last = levelDigits.size() > 1 ? levelDigits.back() : 0;
    const char next = last != 0 ? std::min<char>(static_cast<char>(first + 1), last) : 0;
    std::uint64_t written = 0, vertices = 0;
    const bool traced =
        lines.trace([&host](double) { return !host.cancelled(); },
                    [&](GeoContour&& line) {
                        std::size_t kept = 0;
                        const std::string text = lineText(line.points, bands.decimals(), kept);
                        if (text.empty() || ++written > lineLimit)
                            return; // too many: the map is given up below
                        vertices += kept;
                        const char endLevel = line.kind == ContourKind::Major          ? last
                                              : line.kind == ContourKind::Intermediate ? next
                                                                                       : 0;
                        writer.labelledLine(contourType(line.kind), std::to_string(line.elevation), first,
                                            endLevel, text);
                    });
    count = lines.count();
    count.lines = written;
    count.vertices = vertices;
    if (!traced) {
        error = host.cancelled() ? std::string() : bands.raster().error();
        return false;
    }
    if (written > lineLimit) {
        const char* unit = dem.contours.feet ? " ft" : " m";
        error = "Contour lines every " + std::to_string(static_cast<long long>(dem.contours.interval)) +
                unit + " are more than one mkgmap map tile holds (about " + std::to_string(lineLimit) +
                " lines): choose a larger contour interval, or split the area into tiles.";
        return false;
    }
    return true;
}

std::string contourNote(const ContourCount& count, const ContourOptions& options) {
    return std::to_string(count.lines) + " contour lines every " +
           std::to_string(static_cast<long long>(options.interval)) + (options.feet ? " ft" : " m") + " (" +
           std::to_string(count.droppedLoops) + " tiny closed loops dropped).";
}

} // namespace orolith::dem
