#include "dem/contour_tracer.h"

#include <algorithm>
#include <cmath>

namespace orolith::dem {

namespace {

constexpr std::int32_t kNone = -1;
// Crossings keep this share of a pixel away from pixel centres, so that a value lying exactly on
// a level does not make two lines (or two stretches of one) meet in a point.
constexpr double kAway = 1e-6;

bool isVoid(std::int32_t band) {
    return band == BandLevels::kVoid;
}

} // namespace

void ContourTracer::EdgeRow::assign(const std::int32_t* a, const std::int32_t* b, std::size_t count) {
    first.resize(count);
    offset.resize(count + 1);
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) {
        offset[i] = total;
        first[i] = std::min(a[i], b[i]);
        if (!isVoid(a[i]) && !isVoid(b[i]))
            total += static_cast<std::size_t>(std::max(a[i], b[i]) - first[i]);
    }
    offset[count] = total;
    waiting.assign(total, kNone);
}

ContourTracer::ContourTracer(std::size_t width, BandLevels levels, LineSink sink, std::size_t left,
                             std::size_t top)
    : width_(width), levels_(levels), sink_(std::move(sink)), left_(static_cast<double>(left)),
      top_(static_cast<double>(top) - 0.5) {
    upperValues_.assign(width_, NAN);
    lowerValues_.assign(width_, NAN);
    upperBands_.assign(width_, BandLevels::kVoid);
    lowerBands_.assign(width_, BandLevels::kVoid);
}

void ContourTracer::addRow(const double* values) {
    std::swap(upperValues_, lowerValues_);
    std::swap(upperBands_, lowerBands_);
    std::swap(upperEdges_, lowerEdges_);
    for (std::size_t x = 0; x < width_; ++x) {
        lowerValues_[x] = values[x];
        lowerBands_[x] = levels_.bandOf(values[x]);
    }
    if (width_ > 1)
        lowerEdges_.assign(lowerBands_.data(), lowerBands_.data() + 1, width_ - 1);
    if (rows_++ > 0)
        traceRow();
}

void ContourTracer::finish() {
    for (std::size_t edge = 0; edge + 1 < width_; ++edge)
        endLinesAt(lowerEdges_, edge);
}

void ContourTracer::traceRow() {
    top_ += 1.0;
    verticalEdges_.assign(upperBands_.data(), lowerBands_.data(), width_);
    for (std::size_t cx = 0; cx + 1 < width_; ++cx)
        traceCell(cx);
    if (width_ > 0)
        endLinesAt(verticalEdges_, width_ - 1); // the right outline
}

// Lines waiting at the edge end there: the cell beyond it has a void corner or is not traced.
void ContourTracer::endLinesAt(EdgeRow& row, std::size_t edge) {
    for (std::size_t i = row.offset[edge]; i < row.offset[edge + 1]; ++i)
        if (row.waiting[i] != kNone) {
            const std::int32_t id = row.waiting[i];
            row.waiting[i] = kNone;
            endAt(id, &row.waiting[i]);
        }
}

// Corners 0..3 run top left, top right, bottom right, bottom left; edge i joins corner i and
// corner i + 1. For each level between the lowest and the highest corner, the corners at or above
// it form runs around the cell, and a piece of line runs from where a run ends to where it begins.
void ContourTracer::traceCell(std::size_t cx) {
    const std::int32_t bands[4] = {upperBands_[cx], upperBands_[cx + 1], lowerBands_[cx + 1],
                                   lowerBands_[cx]};
    if (isVoid(bands[0]) || isVoid(bands[1]) || isVoid(bands[2]) || isVoid(bands[3])) {
        if (!isVoid(bands[0]) && !isVoid(bands[1]))
            endLinesAt(upperEdges_, cx);
        if (!isVoid(bands[0]) && !isVoid(bands[3]))
            endLinesAt(verticalEdges_, cx);
        return;
    }
    const std::int32_t low = *std::min_element(bands, bands + 4), high = *std::max_element(bands, bands + 4);
    if (low == high)
        return;
    const double values[4] = {upperValues_[cx], upperValues_[cx + 1], lowerValues_[cx + 1], lowerValues_[cx]};
    const double left = left_ + static_cast<double>(cx) + 0.5;
    const double mean = (values[0] + values[1] + values[2] + values[3]) / 4.0;
    // Fractions always run left to right or top to bottom, so both cells of an edge agree.
    const auto fraction = [](double a, double b, double limit) {
        return std::clamp((limit - a) / (b - a), kAway, 1.0 - kAway);
    };
    for (std::int32_t level = low + 1; level <= high; ++level) {
        const double limit = levels_.lowerLimit(level);
        bool above[4];
        for (int i = 0; i < 4; ++i)
            above[i] = bands[i] >= level;
        EdgeEnd edges[4];
        if (above[0] != above[1])
            edges[0] = {
                {left + fraction(values[0], values[1], limit), top_}, upperEdges_.slot(cx, level), true};
        if (above[1] != above[2])
            edges[1] = {{left + 1.0, top_ + fraction(values[1], values[2], limit)},
                        verticalEdges_.slot(cx + 1, level),
                        false};
        if (above[2] != above[3])
            edges[2] = {{left + fraction(values[3], values[2], limit), top_ + 1.0},
                        lowerEdges_.slot(cx, level),
                        false};
        if (above[3] != above[0])
            edges[3] = {
                {left, top_ + fraction(values[0], values[3], limit)}, verticalEdges_.slot(cx, level), true};
        const bool saddle = above[0] == above[2] && above[1] == above[3] && above[0] != above[1];
        if (saddle) {
            // The corners at or above the level connect across the cell when the mean does too;
            // the pieces then cut off the corners below it, else those above it.
            const bool connected = mean >= limit;
            for (int i = 0; i < 4; ++i)
                if (above[i] != connected) {
                    if (above[i])
                        piece(level, edges[i], edges[(i + 3) % 4]);
                    else
                        piece(level, edges[(i + 3) % 4], edges[i]);
                }
            continue;
        }
        // One run of corners at or above the level: from its last corner's edge to the edge
        // before its first corner.
        for (int i = 0; i < 4; ++i)
            if (above[i] && !above[(i + 1) % 4]) {
                int start = i;
                while (above[(start + 3) % 4])
                    start = (start + 3) % 4;
                piece(level, edges[i], edges[(start + 3) % 4]);
            }
    }
}

std::int32_t ContourTracer::newChain(std::int32_t level) {
    std::int32_t id;
    if (!free_.empty()) {
        id = free_.back();
        free_.pop_back();
    } else {
        chains_.emplace_back();
        id = static_cast<std::int32_t>(chains_.size() - 1);
    }
    chains_[id].level = level;
    chains_[id].head = chains_[id].tail = nullptr;
    return id;
}

// A piece from `from` to `to`. At an edge the neighbour has passed, a chain of the neighbour's
// waits (or none: the line ends there); at an edge still to come, this chain's end will wait.
void ContourTracer::piece(std::int32_t level, const EdgeEnd& from, const EdgeEnd& to) {
    std::int32_t before = kNone, after = kNone;
    if (from.incoming) {
        before = *from.slot;
        *from.slot = kNone;
    }
    if (to.incoming) {
        after = *to.slot;
        *to.slot = kNone;
    }
    if (before != kNone && before == after) {
        Chain& chain = chains_[before];
        ContourLine line{level, {chain.points.begin(), chain.points.end()}, true};
        chain.points.clear();
        free_.push_back(before);
        sink_(std::move(line));
        return;
    }
    if (before != kNone && after != kNone) {
        join(before, after);
        return;
    }
    std::int32_t id = before != kNone ? before : after;
    if (id == kNone) {
        id = newChain(level);
        chains_[id].points = {from.point, to.point};
        chains_[id].head = from.incoming ? nullptr : from.slot;
        chains_[id].tail = to.incoming ? nullptr : to.slot;
    } else if (id == before) {
        chains_[id].points.push_back(to.point);
        chains_[id].tail = to.incoming ? nullptr : to.slot;
    } else {
        chains_[id].points.push_front(from.point);
        chains_[id].head = from.incoming ? nullptr : from.slot;
    }
    Chain& chain = chains_[id];
    if (chain.head != nullptr)
        *chain.head = id;
    if (chain.tail != nullptr)
        *chain.tail = id;
    handOnIfEnded(id);
}

// Joins the tail of `first` to the head of `second`, moving the shorter one.
void ContourTracer::join(std::int32_t first, std::int32_t second) {
    Chain& a = chains_[first];
    Chain& b = chains_[second];
    std::int32_t kept = first;
    if (a.points.size() >= b.points.size()) {
        a.points.insert(a.points.end(), b.points.begin(), b.points.end());
        a.tail = b.tail;
        b.points.clear();
        free_.push_back(second);
    } else {
        b.points.insert(b.points.begin(), a.points.begin(), a.points.end());
        b.head = a.head;
        a.points.clear();
        free_.push_back(first);
        kept = second;
    }
    Chain& chain = chains_[kept];
    if (chain.head != nullptr)
        *chain.head = kept;
    if (chain.tail != nullptr)
        *chain.tail = kept;
    handOnIfEnded(kept);
}

void ContourTracer::endAt(std::int32_t id, const std::int32_t* slot) {
    Chain& chain = chains_[id];
    if (chain.head == slot)
        chain.head = nullptr;
    else
        chain.tail = nullptr;
    handOnIfEnded(id);
}

void ContourTracer::handOnIfEnded(std::int32_t id) {
    Chain& chain = chains_[id];
    if (chain.head != nullptr || chain.tail != nullptr)
        return;
    ContourLine line{chain.level, {chain.points.begin(), chain.points.end()}, false};
    chain.points.clear();
    free_.push_back(id);
    sink_(std::move(line));
}

} // namespace orolith::dem
