#include "dem/band_tracer.h"

#include <algorithm>
#include <cmath>

namespace orolith::dem {

namespace {

constexpr std::int32_t kNone = -1;
// Boundary points keep this share of a pixel away from both pixel centres, so that every
// centre lies clearly inside its own band even after the coordinates are rounded.
constexpr double kMargin = 0.05;

} // namespace

std::int32_t BandLevels::bandOf(double value) const {
    if (std::isnan(value))
        return kVoid;
    const double band = std::floor((value - base) / interval);
    return static_cast<std::int32_t>(std::clamp(band, -1.0e9, 1.0e9));
}

BandTracer::BandTracer(std::size_t width, BandLevels levels, RingSink& sink, std::size_t left, std::size_t top,
                       BlockCuts cuts)
    : width_(width), levels_(levels), sink_(sink), left_(static_cast<double>(left)), top_(top), cuts_(cuts),
      cellRow_(top) {
    const std::size_t padded = width_ + 2;
    upperValues_.assign(padded, NAN);
    lowerValues_.assign(padded, NAN);
    upperBands_.assign(padded, BandLevels::kVoid);
    lowerBands_.assign(padded, BandLevels::kVoid);
    for (auto& slots : horizontalSlots_)
        slots.assign(padded * 2, kNone);
    verticalSlots_.assign(padded * 2, kNone);
}

void BandTracer::addRow(const double* values) {
    std::swap(upperValues_, lowerValues_);
    std::swap(upperBands_, lowerBands_);
    loadLower(values);
    traceRow();
}

void BandTracer::loadLower(const double* values) {
    for (std::size_t x = 0; x < width_; ++x) {
        lowerValues_[x + 1] = values[x];
        lowerBands_[x + 1] = levels_.bandOf(values[x]);
    }
    lowerValues_.front() = lowerValues_.back() = NAN;
    lowerBands_.front() = lowerBands_.back() = BandLevels::kVoid;
}

void BandTracer::finish() {
    std::swap(upperValues_, lowerValues_);
    std::swap(upperBands_, lowerBands_);
    std::fill(lowerValues_.begin(), lowerValues_.end(), NAN);
    std::fill(lowerBands_.begin(), lowerBands_.end(), BandLevels::kVoid);
    lastRow_ = true;
    traceRow();
}

void BandTracer::traceRow() {
    for (std::size_t cx = 0; cx + 1 < width_ + 2; ++cx) {
        const std::int32_t a = upperBands_[cx], b = upperBands_[cx + 1];
        const std::int32_t c = lowerBands_[cx + 1], d = lowerBands_[cx];
        if (a != b || b != c || c != d)
            traceCell(cx);
    }
    ++cellRow_;
    sink_.rowDone(static_cast<double>(cellRow_) - 0.5);
}

double BandTracer::edgeFraction(double a, std::int32_t bandA, double b, std::int32_t bandB, double voidAt) const {
    if (bandA == BandLevels::kVoid || bandB == BandLevels::kVoid)
        return voidAt;
    const double limit = levels_.lowerLimit(std::max(bandA, bandB));
    const double fraction = (limit - a) / (b - a);
    return std::clamp(fraction, kMargin, 1.0 - kMargin);
}

// Which band connects across a cell whose diagonals hold two bands: the one the mean of the
// four corners falls in; with no data on one diagonal, the other.
std::int32_t BandTracer::saddleBand(const std::int32_t* bands, const double* values) const {
    const std::int32_t low = std::min(bands[0], bands[1]), high = std::max(bands[0], bands[1]);
    if (low == BandLevels::kVoid)
        return high;
    const double mean = (values[0] + values[1] + values[2] + values[3]) / 4.0;
    return mean >= levels_.lowerLimit(high) ? high : low;
}

// Corners 0..3 run top left, top right, bottom right, bottom left; edge i joins corner i and
// corner i + 1. The band of a corner owns the cell's part next to it; a band's piece of
// boundary runs from where its stretch of the cell outline ends back to where it starts.
void BandTracer::traceCell(std::size_t cx) {
    const std::int32_t bands[4] = {upperBands_[cx], upperBands_[cx + 1], lowerBands_[cx + 1], lowerBands_[cx]};
    const double values[4] = {upperValues_[cx], upperValues_[cx + 1], lowerValues_[cx + 1], lowerValues_[cx]};
    const double top = static_cast<double>(cellRow_) - 0.5;
    const double left = left_ + static_cast<double>(cx) - 0.5;
    auto& upperSlots = slotsOfRow(cellRow_);
    auto& lowerSlots = slotsOfRow(cellRow_ + 1);
    // Where data meets void the boundary lies halfway, on the pixel edge; where it meets the
    // padding beyond a cut, on the data pixel's centre (the padding lies left of or above the
    // data at fraction 1, right of or below it at fraction 0).
    const double acrossVoid = cx == 0 && cuts_.left ? 1.0 : cx == width_ && cuts_.right ? 0.0 : 0.5;
    const double downVoid = cellRow_ == top_ && cuts_.top ? 1.0 : lastRow_ && cuts_.bottom ? 0.0 : 0.5;
    const bool onCut = acrossVoid != 0.5 || downVoid != 0.5;

    EdgeEnd edges[4];
    // Fractions always run left to right or top to bottom, so both cells of an edge agree.
    if (bands[0] != bands[1])
        edges[0] = {{left + edgeFraction(values[0], bands[0], values[1], bands[1], acrossVoid), top},
                    &upperSlots[cx * 2], std::max(bands[0], bands[1])};
    if (bands[1] != bands[2])
        edges[1] = {{left + 1.0, top + edgeFraction(values[1], bands[1], values[2], bands[2], downVoid)},
                    &verticalSlots_[(cx + 1) * 2], std::max(bands[1], bands[2])};
    if (bands[2] != bands[3])
        edges[2] = {{left + edgeFraction(values[3], bands[3], values[2], bands[2], acrossVoid), top + 1.0},
                    &lowerSlots[cx * 2], std::max(bands[2], bands[3])};
    if (bands[3] != bands[0])
        edges[3] = {{left, top + edgeFraction(values[0], bands[0], values[3], bands[3], downVoid)},
                    &verticalSlots_[cx * 2], std::max(bands[3], bands[0])};

    auto emit = [&](std::int32_t band, int from, int to, const PixelPoint* middle) {
        if (band != BandLevels::kVoid)
            piece(band, edges[from], edges[to], middle);
    };

    // Stretches of equal bands around the outline.
    int start = 0;
    while (bands[start] == bands[(start + 3) % 4])
        ++start;
    struct Stretch {
        std::int32_t band;
        int startEdge;
        int endEdge;
    };
    Stretch stretches[4];
    int count = 0;
    for (int j = 0; j < 4; ++j) {
        const int i = (start + j) % 4;
        if (j == 0 || bands[i] != bands[(i + 3) % 4])
            stretches[count++] = {bands[i], (i + 3) % 4, i};
        else
            stretches[count - 1].endEdge = i;
    }

    int diagonal = -1; // the corner (0 or 1) whose diagonal connects through the cell
    if (count == 4) {
        const bool sameEven = bands[0] == bands[2], sameOdd = bands[1] == bands[3];
        if (sameEven && sameOdd)
            diagonal = saddleBand(bands, values) == bands[0] ? 0 : 1;
        else if (sameEven)
            diagonal = 0;
        else if (sameOdd)
            diagonal = 1;
    }
    // On the raster's outline a corner pixel keeps its square corner: the cut goes through
    // the cell's centre, which lies on the outline.
    const bool onOutline = cx == 0 || cx == width_ || cellRow_ == top_ || lastRow_;
    const bool oneCorner = count == 2 && (stretches[0].startEdge == (stretches[0].endEdge + 3) % 4 ||
                                          stretches[1].startEdge == (stretches[1].endEdge + 3) % 4);
    if (count == 2 && !(onOutline && oneCorner)) {
        for (int s = 0; s < 2; ++s)
            emit(stretches[s].band, stretches[s].endEdge, stretches[s].startEdge, nullptr);
    } else if (diagonal >= 0) {
        const int p = diagonal;
        emit(bands[p], p, p + 1, nullptr);
        emit(bands[p], p + 2, (p + 3) % 4, nullptr);
        emit(bands[p + 1], p + 1, p, nullptr);
        emit(bands[(p + 3) % 4], (p + 3) % 4, p + 2, nullptr);
    } else {
        // A cell beyond a cut has collapsed onto the cut: its boundaries run straight along it.
        const PixelPoint centre{left + 0.5, top + 0.5};
        for (int s = 0; s < count; ++s)
            emit(stretches[s].band, stretches[s].endEdge, stretches[s].startEdge, onCut ? nullptr : &centre);
    }
}

std::int32_t BandTracer::newChain() {
    if (!free_.empty()) {
        const std::int32_t id = free_.back();
        free_.pop_back();
        return id;
    }
    chains_.emplace_back();
    return static_cast<std::int32_t>(chains_.size() - 1);
}

void BandTracer::piece(std::int32_t band, const EdgeEnd& from, const EdgeEnd& to, const PixelPoint* middle) {
    std::int32_t* startSlot = from.slotPair + (band == from.high ? 1 : 0);
    std::int32_t* endSlot = to.slotPair + (band == to.high ? 1 : 0);
    const std::int32_t before = *startSlot; // a chain whose last point waits here
    const std::int32_t after = *endSlot;    // a chain whose first point waits there
    *startSlot = kNone;
    *endSlot = kNone;
    if (before != kNone && after != kNone) {
        if (before == after) {
            if (middle != nullptr)
                chains_[before].points.push_back(*middle);
            closeRing(before, band);
            return;
        }
        join(before, middle, after);
    } else if (before != kNone) {
        Chain& chain = chains_[before];
        if (middle != nullptr)
            chain.points.push_back(*middle);
        chain.points.push_back(to.point);
        chain.tail = endSlot;
        *endSlot = before;
    } else if (after != kNone) {
        Chain& chain = chains_[after];
        if (middle != nullptr)
            chain.points.push_front(*middle);
        chain.points.push_front(from.point);
        chain.head = startSlot;
        *startSlot = after;
    } else {
        const std::int32_t id = newChain();
        Chain& chain = chains_[id];
        chain.band = band;
        chain.points.push_back(from.point);
        if (middle != nullptr)
            chain.points.push_back(*middle);
        chain.points.push_back(to.point);
        chain.head = startSlot;
        chain.tail = endSlot;
        *startSlot = id;
        *endSlot = id;
    }
}

// Hands the chain on as a ring. A block's corner on two cuts puts the corner pixel's centre into
// the ring twice in a row; it goes in once.
void BandTracer::closeRing(std::int32_t id, std::int32_t band) {
    Chain& chain = chains_[id];
    PixelRing ring;
    ring.reserve(chain.points.size());
    const bool twice = cuts_.left || cuts_.top || cuts_.right || cuts_.bottom;
    for (const PixelPoint& p : chain.points)
        if (!twice || ring.empty() || p.x != ring.back().x || p.y != ring.back().y)
            ring.push_back(p);
    if (twice && ring.size() > 1 && ring.back().x == ring.front().x && ring.back().y == ring.front().y)
        ring.pop_back();
    chain.points.clear();
    free_.push_back(id);
    sink_.ring(band, std::move(ring));
}

// Joins `first`, then `middle`, then `second` into one chain, moving the shorter one.
void BandTracer::join(std::int32_t first, const PixelPoint* middle, std::int32_t second) {
    Chain& a = chains_[first];
    Chain& b = chains_[second];
    if (a.points.size() >= b.points.size()) {
        if (middle != nullptr)
            a.points.push_back(*middle);
        a.points.insert(a.points.end(), b.points.begin(), b.points.end());
        a.tail = b.tail;
        *a.tail = first;
        b.points.clear();
        free_.push_back(second);
    } else {
        if (middle != nullptr)
            b.points.push_front(*middle);
        b.points.insert(b.points.begin(), a.points.begin(), a.points.end());
        b.head = a.head;
        *b.head = second;
        a.points.clear();
        free_.push_back(first);
    }
}

} // namespace orolith::dem
