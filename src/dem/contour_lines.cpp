#include "dem/contour_lines.h"

#include "dem/block_tracing.h"
#include "dem/contour_tracer.h"
#include "dem/raster_rows.h"

#include <charconv>
#include <cmath>
#include <map>
#include <tuple>

namespace orolith::dem {

namespace {

constexpr double kFoot = 0.3048;
// Closed loops shorter than this many pixels are dropped: single-pixel bumps and pits.
constexpr double kTinyLoop = 4.0;
constexpr double kMetresPerDegree = 111320.0;

double pixelLength(const std::vector<PixelPoint>& points, bool closed) {
    double length = 0.0;
    for (std::size_t i = 1; i < points.size(); ++i)
        length += std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
    if (closed && points.size() > 1)
        length += std::hypot(points.front().x - points.back().x, points.front().y - points.back().y);
    return length;
}

// Douglas–Peucker between points[first] and points[last] (both kept), distances in metres.
void keepFarthest(const std::vector<GeoPoint>& points, std::size_t first, std::size_t last, double tolerance,
                  std::vector<char>& keep) {
    if (last <= first + 1)
        return;
    const double scale = std::max(0.01, std::cos(points[first].lat * M_PI / 180.0));
    const double ax = points[first].lon * scale, ay = points[first].lat;
    const double dx = points[last].lon * scale - ax, dy = points[last].lat - ay;
    const double length = std::hypot(dx, dy);
    double farthest = -1.0;
    std::size_t at = first;
    for (std::size_t i = first + 1; i < last; ++i) {
        const double px = points[i].lon * scale - ax, py = points[i].lat - ay;
        const double distance = length > 0.0 ? std::abs(dx * py - dy * px) / length : std::hypot(px, py);
        if (distance > farthest) {
            farthest = distance;
            at = i;
        }
    }
    if (farthest * kMetresPerDegree <= tolerance)
        return;
    keep[at] = 1;
    keepFarthest(points, first, at, tolerance, keep);
    keepFarthest(points, at, last, tolerance, keep);
}

// Drops vertices while the line stays within `tolerance` metres; the ends (and for a loop, the
// first point and the one halfway round) stay.
void simplifyLine(std::vector<GeoPoint>& points, double tolerance) {
    if (tolerance <= 0.0 || points.size() < 3)
        return;
    std::vector<char> keep(points.size(), 0);
    keep.front() = keep.back() = 1;
    const std::size_t middle = points.size() / 2;
    keep[middle] = 1;
    keepFarthest(points, 0, middle, tolerance, keep);
    keepFarthest(points, middle, points.size() - 1, tolerance, keep);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (keep[i])
            points[kept++] = points[i];
    points.resize(kept);
}

bool samePoint(PixelPoint a, PixelPoint b) {
    return a.x == b.x && a.y == b.y;
}

// A stretch of line traced in one block, in degrees; an end on a cut waits for the stretch the
// neighbouring block traced from the same point.
struct Piece {
    std::int32_t level = 0;
    std::vector<GeoPoint> points;
    double length = 0.0; // pixels, before simplifying
    PixelPoint head, tail;
    bool headOpen = false, tailOpen = false, closed = false;
};

// On the calling thread: stretches waiting for their neighbours, by level and end point.
struct Joining {
    std::vector<Piece> waiting;
    std::vector<std::size_t> free;
    std::map<std::tuple<std::int32_t, double, double>, std::size_t> heads, tails;

    std::size_t take(std::map<std::tuple<std::int32_t, double, double>, std::size_t>& ends,
                     std::int32_t level, PixelPoint point) {
        const auto found = ends.find({level, point.x, point.y});
        if (found == ends.end())
            return SIZE_MAX;
        const std::size_t id = found->second;
        ends.erase(found);
        return id;
    }
    Piece release(std::size_t id) {
        Piece piece = std::move(waiting[id]);
        waiting[id] = Piece{};
        if (piece.headOpen)
            heads.erase({piece.level, piece.head.x, piece.head.y});
        if (piece.tailOpen)
            tails.erase({piece.level, piece.tail.x, piece.tail.y});
        free.push_back(id);
        return piece;
    }
    // Continues `front` with `back`, which starts where `front` ends.
    static void append(Piece& front, const Piece& back) {
        front.points.insert(front.points.end(), back.points.begin() + 1, back.points.end());
        front.length += back.length;
        front.tail = back.tail;
        front.tailOpen = back.tailOpen;
    }
    // Joins `piece` to the stretches waiting at its open ends; true when it is complete.
    bool join(Piece& piece) {
        if (piece.headOpen)
            if (const std::size_t id = take(tails, piece.level, piece.head); id != SIZE_MAX) {
                waiting[id].tailOpen = false;
                Piece before = release(id);
                append(before, piece);
                piece = std::move(before);
            }
        if (piece.tailOpen)
            if (const std::size_t id = take(heads, piece.level, piece.tail); id != SIZE_MAX) {
                waiting[id].headOpen = false;
                append(piece, release(id));
            }
        if (piece.headOpen && piece.tailOpen && samePoint(piece.head, piece.tail)) {
            piece.headOpen = piece.tailOpen = false;
            piece.closed = true;
        }
        return !piece.headOpen && !piece.tailOpen;
    }
    void wait(Piece&& piece) {
        std::size_t id = waiting.size();
        if (!free.empty()) {
            id = free.back();
            free.pop_back();
            waiting[id] = std::move(piece);
        } else {
            waiting.push_back(std::move(piece));
        }
        const Piece& kept = waiting[id];
        if (kept.headOpen)
            heads[{kept.level, kept.head.x, kept.head.y}] = id;
        if (kept.tailOpen)
            tails[{kept.level, kept.tail.x, kept.tail.y}] = id;
    }
    // After a row of blocks: ends not on the cut below it find no neighbour any more.
    template <typename Done> void closeRow(double cutBelow, const Done& done) {
        for (std::size_t id = 0; id < waiting.size(); ++id) {
            Piece& piece = waiting[id];
            if (!piece.headOpen && !piece.tailOpen)
                continue; // a free place
            const bool headStays = piece.headOpen && piece.head.y == cutBelow;
            const bool tailStays = piece.tailOpen && piece.tail.y == cutBelow;
            if (headStays || tailStays) {
                if (piece.headOpen && !headStays) {
                    heads.erase({piece.level, piece.head.x, piece.head.y});
                    piece.headOpen = false;
                }
                if (piece.tailOpen && !tailStays) {
                    tails.erase({piece.level, piece.tail.x, piece.tail.y});
                    piece.tailOpen = false;
                }
                continue;
            }
            Piece ended = release(id);
            ended.headOpen = ended.tailOpen = false;
            done(std::move(ended));
        }
    }
};

// The stretches of line a block holds, in degrees; loops shorter than kTinyLoop are only counted.
std::vector<Piece> blockPieces(const double* values, std::size_t stride, const BlockTracing::Span& span,
                               BandLevels levels, const DemRaster& raster, double simplify,
                               std::uint64_t& dropped) {
    std::vector<Piece> pieces;
    const BlockArea& area = span.area;
    const auto onCut = [&](PixelPoint p) {
        return (span.cuts.left && p.x == area.left) || (span.cuts.right && p.x == area.right) ||
               (span.cuts.top && p.y == area.top) || (span.cuts.bottom && p.y == area.bottom);
    };
    ContourTracer tracer(
        span.width, levels,
        [&](ContourLine&& line) {
            Piece piece;
            piece.level = line.level;
            piece.closed = line.closed;
            piece.length = pixelLength(line.points, line.closed);
            if (line.closed && piece.length < kTinyLoop) {
                ++dropped;
                return;
            }
            piece.head = line.points.front();
            piece.tail = line.points.back();
            piece.headOpen = !line.closed && onCut(piece.head);
            piece.tailOpen = !line.closed && onCut(piece.tail);
            piece.points.reserve(line.points.size());
            for (const PixelPoint& p : line.points)
                piece.points.push_back(raster.toGeo(p));
            // Stretches still to be joined keep their vertices until the whole line is known.
            if (!piece.headOpen && !piece.tailOpen)
                simplifyLine(piece.points, simplify);
            pieces.push_back(std::move(piece));
        },
        span.left, span.top);
    for (std::size_t r = 0; r < span.height; ++r)
        tracer.addRow(values + r * stride);
    tracer.finish();
    return pieces;
}

} // namespace

std::optional<std::pair<int, int>> readMajorMultiples(const std::string& text, std::string& error) {
    const std::size_t comma = text.find(',');
    int values[2] = {0, 0};
    bool good = comma != std::string::npos;
    for (int i = 0; i < 2 && good; ++i) {
        const char* begin = text.data() + (i == 0 ? 0 : comma + 1);
        const char* end = text.data() + (i == 0 ? comma : text.size());
        const auto [stop, ec] = std::from_chars(begin, end, values[i]);
        good = ec == std::errc() && stop == end && values[i] > 0 && values[i] <= 1000;
    }
    if (!good) {
        error =
            "--contour-major takes two whole numbers N,M above 0 (every N-th line intermediate, every M-th "
            "major), such as 5,10, not '" +
            text + "'";
        return std::nullopt;
    }
    if (values[1] % values[0] != 0) {
        error = "--contour-major: the major multiple " + std::to_string(values[1]) +
                " is not a multiple of the intermediate one " + std::to_string(values[0]);
        return std::nullopt;
    }
    return std::pair(values[0], values[1]);
}

ContourLines::ContourLines(DemRaster& raster, int smoothRadius, std::size_t blockSize, ContourOptions options)
    : raster_(raster), smoothRadius_(smoothRadius), blockSize_(blockSize), options_(options) {}

bool ContourLines::trace(const std::function<bool(double)>& progress,
                         const std::function<void(GeoContour&&)>& sink) {
    count_ = {};
    const double unit = options_.feet ? kFoot : 1.0;
    const BandLevels levels{0.0, options_.interval * unit};
    RasterRows rows(raster_, smoothRadius_);
    BlockTracing tracing(raster_.width(), raster_.height(), levels, {blockSize_, 0, false});
    Joining joining;

    const auto handOn = [&](Piece&& piece) {
        if (piece.closed && piece.length < kTinyLoop) {
            ++count_.droppedLoops;
            return;
        }
        GeoContour line;
        line.elevation =
            static_cast<std::int64_t>(piece.level) * static_cast<std::int64_t>(options_.interval);
        line.kind = piece.level % options_.major == 0          ? ContourKind::Major
                    : piece.level % options_.intermediate == 0 ? ContourKind::Intermediate
                                                               : ContourKind::Minor;
        line.points = std::move(piece.points);
        if (piece.closed && !(line.points.front() == line.points.back()))
            line.points.push_back(line.points.front());
        ++count_.lines;
        count_.vertices += line.points.size();
        sink(std::move(line));
    };

    const auto traceBlock = [&](const double* values, std::size_t stride,
                                const BlockTracing::Span& span) -> std::function<void()> {
        std::uint64_t dropped = 0;
        std::vector<Piece> pieces =
            blockPieces(values, stride, span, levels, raster_, options_.simplify, dropped);
        const bool rowEnds = span.left + span.width >= raster_.width();
        const double cutBelow = span.cuts.bottom ? span.area.bottom : -1.0;
        return [&, pieces = std::move(pieces), dropped, rowEnds, cutBelow]() mutable {
            count_.droppedLoops += dropped;
            for (Piece& piece : pieces) {
                if (!piece.headOpen && !piece.tailOpen) {
                    handOn(std::move(piece)); // simplified already
                    continue;
                }
                if (!joining.join(piece)) {
                    joining.wait(std::move(piece));
                    continue;
                }
                simplifyLine(piece.points, options_.simplify);
                handOn(std::move(piece));
            }
            if (rowEnds)
                joining.closeRow(cutBelow, [&](Piece&& ended) {
                    simplifyLine(ended.points, options_.simplify);
                    handOn(std::move(ended));
                });
        };
    };
    return tracing.runBlocks([&rows](double* row) { return rows.next(row); }, traceBlock, progress);
}

} // namespace orolith::dem
