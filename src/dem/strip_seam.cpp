#include "dem/strip_seam.h"

#include <unordered_map>

namespace orolith::dem {

std::vector<SeamRing> joinAtSeam(std::vector<BandTracer::OpenChain>&& above,
                                 std::vector<BandTracer::OpenChain>&& below) {
    std::unordered_map<std::size_t, std::size_t> aboveByHead, belowByHead;
    for (std::size_t i = 0; i < above.size(); ++i)
        aboveByHead[above[i].head] = i;
    for (std::size_t i = 0; i < below.size(); ++i)
        belowByHead[below[i].head] = i;
    std::vector<bool> used(above.size(), false);
    std::vector<SeamRing> rings;
    // A chain above ends where one below starts, and that one ends where the next above starts.
    auto append = [](PixelRing& ring, const std::deque<PixelPoint>& points) {
        ring.insert(ring.end(), points.begin() + 1, points.end()); // the first point is the joint
    };
    for (std::size_t start = 0; start < above.size(); ++start) {
        if (used[start])
            continue;
        SeamRing ring{above[start].band, PixelRing(above[start].points.begin(), above[start].points.end())};
        used[start] = true;
        std::size_t current = start;
        for (;;) {
            const auto down = belowByHead.find(above[current].tail);
            if (down == belowByHead.end())
                break; // cannot happen when both strips were traced from the same row
            const BandTracer::OpenChain& lower = below[down->second];
            append(ring.points, lower.points);
            const auto up = aboveByHead.find(lower.tail);
            if (up == aboveByHead.end())
                break;
            current = up->second;
            if (current == start) {
                ring.points.pop_back(); // back at the first point
                rings.push_back(std::move(ring));
                break;
            }
            used[current] = true;
            append(ring.points, above[current].points);
        }
    }
    return rings;
}

} // namespace orolith::dem
