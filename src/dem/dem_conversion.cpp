#include "dem/dem_conversion.h"

#include "core/conversion/band_outline.h"
#include "core/conversion/elevation_types.h"
#include "core/conversion/legend_captions.h"
#include "core/conversion/map_writer.h"
#include "core/platform/paths.h"
#include "core/platform/text_number.h"
#include "dem/contour_map.h"
#include "dem/hole_cut.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace orolith::dem {

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kLastType = 0x1FFFF;
// What one mkgmap map tile holds at most, roughly.
constexpr std::uint64_t kTilePolygons = 200000;
constexpr std::uint64_t kTileVertices = 20000000;

// Types for the bands as for Geo Vector elevations; false when they run past the last type.
bool numberBands(const DemBands& bands, const ConversionOptions& options, ElevationTypes& table,
                 ConversionResult& result, Host& host) {
    table = numberedBands(bands.labels(), firstTypeOrZero(options.firstType, host));
    const std::int64_t last = std::strtoll(table.type(table.size() - 1).c_str(), nullptr, 16);
    if (last > kLastType) {
        host.message(MessageKind::Failure, std::to_string(table.size()) + " bands from " + bands.labels().front() +
                                               " m to " + bands.labels().back() +
                                               " m need polygon types up to 0x" + table.type(table.size() - 1) +
                                               ", beyond 0x1FFFF; choose a larger interval.");
        return false;
    }
    result.lowest = table.lowest();
    for (std::size_t i = 0; i < table.size(); ++i)
        result.types.push_back({table.elevation(i), table.type(i)});
    result.legendCaptions = legendCaptions(result.types, result.lowest);
    return true;
}

std::string percentText(double share) {
    return oneDecimalText(share * 100.0);
}

struct Written {
    std::uint64_t polygons = 0, holes = 0, vertices = 0;
};

// What the map says of a band polygon: its Data lines and its band edges again as contour lines.
struct PolygonText {
    std::vector<std::string> rings, contours;
    std::size_t holes = 0, vertices = 0;
};

// True when at least three distinct vertices of the ring stay apart at `decimals` places.
bool keepsShape(const Ring& ring, int decimals) {
    const double scale = std::pow(10.0, decimals);
    std::size_t distinct = 0;
    long long lastLat = 0, lastLon = 0;
    for (std::size_t i = 0; i < ring.size() && distinct < 4; ++i) {
        const long long lat = std::llround(ring[i].lat * scale), lon = std::llround(ring[i].lon * scale);
        if (i == 0 || lat != lastLat || lon != lastLon)
            ++distinct;
        lastLat = lat;
        lastLon = lon;
    }
    return distinct >= 4;
}

// Drops the holes that vanish in rounding to `decimals` places.
void dropVanishingHoles(std::vector<Ring>& rings, int decimals) {
    std::size_t kept = 1;
    for (std::size_t i = 1; i < rings.size(); ++i)
        if (keepsShape(rings[i], decimals) && kept++ != i)
            rings[kept - 1] = std::move(rings[i]);
    rings.resize(std::min(kept, rings.size()));
}

// The polygon's outline as contour lines: its band edges only, never the stretches along a
// block's outline (nor the cuts to its holes, which are not in its rings). Lines that vanish in
// rounding are left out.
std::vector<std::string> outlineText(const BandPolygon& polygon, int decimals) {
    std::vector<std::string> lines;
    std::size_t vertices = 0;
    for (const Ring& line : outlineLines(polygon)) {
        const bool closed = line.size() > 2 && line.front() == line.back();
        std::string text = vertexListText(line, decimals, vertices);
        if (vertices >= (closed ? 4u : 2u))
            lines.push_back(std::move(text));
    }
    return lines;
}

// The polygon's Data lines: each ring, or with `cut` one ring with the holes cut open. Holes
// that vanish in rounding are left out; nothing comes when the outer ring vanishes.
PolygonText polygonText(BandPolygon& polygon, int decimals, bool cut, bool contours) {
    PolygonText out;
    std::size_t vertices = 0;
    if (contours)
        out.contours = outlineText(polygon, decimals);
    dropVanishingHoles(polygon.rings, decimals);
    if (cut && polygon.rings.size() > 1) {
        std::vector<bool> added;
        std::string text = ringText(cutHoles(polygon.rings, &added), decimals, vertices, &added);
        if (text.empty())
            return {};
        out.rings.push_back(std::move(text));
        out.vertices = vertices;
    } else {
        for (const Ring& ring : polygon.rings) {
            std::string text = ringText(ring, decimals, vertices);
            if (text.empty())
                return {}; // the outer ring vanished in rounding; its holes go with it
            out.vertices += vertices;
            out.rings.push_back(std::move(text));
        }
    }
    out.holes = polygon.rings.size() - 1;
    return out;
}

std::string createdMessage(const std::string& output, const Written& written, double voidShare, double tolerance) {
    std::string text = "Created " + output + " (" + std::to_string(written.polygons) + " polygons, " +
                       std::to_string(written.holes) + " holes, " + std::to_string(written.vertices) +
                       " vertices" + (tolerance > 0.0 ? ", simplified within " + toleranceText(tolerance) + " m" : "") +
                       "; " + percentText(voidShare) + " % of the area has no elevation data)";
    if (written.polygons > kTilePolygons || written.vertices > kTileVertices)
        text += "\r\n\r\nThat is more than one mkgmap map tile holds (about 200 000 polygons or 20 million "
                "vertices): choose a larger interval, smooth the raster, or split the area.";
    return text;
}

// The contour lines into the map, when chosen; false (the map abandoned, the failure told) when
// they could not be made.
bool addContourLines(DemBands& bands, const DemOptions& dem, const std::string& levels, MapWriter& writer,
                     Host& host, ContourCount& contours, const std::string& output, ConversionResult& result) {
    if (!(dem.contours.interval > 0))
        return true;
    std::string error;
    if (writeContourLines(bands, dem, levels, writer, host, contours, error))
        return true;
    writer.abandon();
    result.cancelled = host.cancelled();
    if (!result.cancelled) {
        result.finalMessage = output + " could not be written: " + error + "\r\n\r\nThe map was not created.";
        host.message(MessageKind::Failure, result.finalMessage);
    }
    return false;
}

} // namespace

ElevationTypes numberedBands(const std::vector<std::string>& labels, std::uint32_t firstType) {
    ElevationTypes table;
    for (const std::string& label : labels)
        table.note(label);
    table.assign(firstType);
    return table;
}

bool isElevationModelInput(const std::string& path) {
    std::string name = fs::path(path).filename().string();
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string suffix : {".hgt", ".zip", ".tif", ".tiff", ".asc", ".vrt"})
        if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            return true;
    return isElevationRaster(path);
}

ConversionResult convertInput(ConversionMode mode, const ConversionOptions& options, const DemOptions& dem,
                              Host& host) {
    if (!dem.inputs.empty())
        return convertDem(mode, options, dem, host);
    return mode == ConversionMode::Write ? convertGeoVector(options, host) : listElevations(options, host);
}

std::string demOutputPathFor(const std::string& firstInput) {
    fs::path path(firstInput);
    std::string name = path.filename().string();
    const std::size_t dot = name.find('.', 1);
    if (dot != std::string::npos)
        name.erase(dot);
    return (path.parent_path() / (name + ".mp")).string();
}

std::string vertexListText(const Ring& ring, int decimals, std::size_t& vertices, const std::vector<bool>* precise) {
    std::string text, previous, vertex;
    std::size_t count = 0;
    char number[64];
    for (std::size_t i = 0; i < ring.size(); ++i) {
        const GeoPoint& point = ring[i];
        const int places = precise != nullptr && (*precise)[i] ? decimals + kExtraDecimals : decimals;
        vertex = "(";
        auto end = std::to_chars(number, number + sizeof number, point.lat, std::chars_format::fixed, places).ptr;
        vertex.append(number, end).append(",");
        end = std::to_chars(number, number + sizeof number, point.lon, std::chars_format::fixed, places).ptr;
        vertex.append(number, end).append(")");
        if (vertex == previous)
            continue;
        if (!text.empty())
            text += ',';
        text += vertex;
        previous = vertex;
        ++count;
    }
    vertices = count;
    return text;
}

std::string ringText(const Ring& ring, int decimals, std::size_t& vertices, const std::vector<bool>* precise) {
    std::string text = vertexListText(ring, decimals, vertices, precise);
    return vertices >= 4 ? text : std::string();
}

ConversionResult convertDem(ConversionMode mode, const ConversionOptions& options, const DemOptions& dem,
                            Host& host) {
    ConversionResult result;
    const bool write = mode == ConversionMode::Write;
    const std::string levels = levelDigits(options.detailLevels);
    if (write && levels.empty()) {
        host.message(MessageKind::Failure, "Please select a 'Detail Level'.");
        return result;
    }
    host.progress(1);
    const std::string output = options.outputPath.empty() && !dem.inputs.empty()
                                   ? demOutputPathFor(dem.inputs.front())
                                   : pathText(options.outputPath);
    result.mapPath = output;
    DemBands bands;
    const bool opened = bands.open(dem, host);
    for (const std::string& note : bands.notes())
        host.message(MessageKind::Notice, note);
    if (!opened) {
        result.cancelled = host.cancelled();
        if (!result.cancelled)
            host.message(MessageKind::Failure, bands.error());
        return result;
    }
    ElevationTypes table;
    if (!numberBands(bands, options, table, result, host))
        return result;
    result.ranPasses = true;
    ExistingTarget existing = ExistingTarget::Replace;
    if (!write || !mayWriteMap({dem.inputs.begin(), dem.inputs.end()}, output, options.replaceExisting, existing, host))
        return result;

    MapWriter writer(output, existing);
    if (!writer.open(options.copyright.empty() ? bands.attribution() : options.copyright)) {
        result.finalMessage = output + " " + writer.errorString() + "\r\n\r\nThe map was not created.";
        host.message(MessageKind::Failure, result.finalMessage);
        return result;
    }
    if (dem.contours.interval > 0 && !dem.contours.feet)
        writer.declareElevationInMetres(); // contour labels; mkgmap takes feet otherwise
    Written written;
    // The map text of a polygon is made on the tracing threads, written here in order.
    const bool traced = bands.traceWith(host, [&](BandPolygon&& polygon) -> std::function<void()> {
        PolygonText text = polygonText(polygon, bands.decimals(), dem.cutHoles, options.addContours);
        if (text.rings.empty())
            return {};
        return [&, band = polygon.band, text = std::move(text)] {
            ++written.polygons;
            written.holes += text.holes;
            written.vertices += text.vertices;
            writer.polygonAcrossLevels(table.type(band), levels, text.rings, text.contours);
        };
    });
    if (!traced) {
        writer.abandon();
        result.cancelled = host.cancelled();
        if (!result.cancelled) {
            result.finalMessage = output + " could not be written: " + bands.error() + "\r\n\r\nThe map was not created.";
            host.message(MessageKind::Failure, result.finalMessage);
        }
        return result;
    }
    ContourCount contours;
    if (!addContourLines(bands, dem, levels, writer, host, contours, output, result))
        return result;
    if (!writer.commit()) {
        result.finalMessage = output + " " +
                              (writer.targetAppeared() ? "appeared during the run and was not replaced" : writer.errorString()) +
                              "\r\n\r\nThe map was not created.";
        host.message(MessageKind::Failure, result.finalMessage);
        return result;
    }
    result.written = true;
    result.finalMessage = createdMessage(output, written, bands.statistics().voidShare, bands.simplifyTolerance());
    if (dem.contours.interval > 0)
        result.finalMessage += "\r\n\r\n" + contourNote(contours, dem.contours);
    host.message(MessageKind::Notice, result.finalMessage);
    return result;
}

} // namespace orolith::dem
