#include "core/conversion/band_outline.h"

namespace orolith {

bool isBandEdge(const BandPolygon& polygon, std::size_t ring, std::size_t i) {
    if (ring >= polygon.outlineSides.size())
        return true;
    const std::vector<std::uint8_t>& sides = polygon.outlineSides[ring];
    return i + 1 >= sides.size() || (sides[i] & sides[i + 1]) == 0;
}

std::vector<Ring> outlineLines(const BandPolygon& polygon) {
    std::vector<Ring> lines;
    for (std::size_t r = 0; r < polygon.rings.size(); ++r) {
        const Ring& ring = polygon.rings[r];
        if (ring.size() < 2)
            continue;
        const std::size_t segments = ring.size() - 1; // the last point repeats the first
        std::size_t gap = segments;
        for (std::size_t i = 0; i < segments && gap == segments; ++i)
            if (!isBandEdge(polygon, r, i))
                gap = i;
        if (gap == segments) {
            lines.push_back(ring);
            continue;
        }
        // Runs start after a stretch along the outline and end at one (the last step is the
        // stretch `gap` again), so none is split at the ring's start.
        Ring line;
        for (std::size_t step = 1; step <= segments; ++step) {
            const std::size_t i = (gap + step) % segments;
            if (isBandEdge(polygon, r, i)) {
                if (line.empty())
                    line.push_back(ring[i]);
                line.push_back(ring[i + 1]);
            } else if (!line.empty()) {
                lines.push_back(std::move(line));
                line.clear();
            }
        }
    }
    return lines;
}

} // namespace orolith
