#include "dem/hole_cut.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>

namespace orolith::dem {

namespace {

// Where a cut from a hole meets the ring north of it.
struct Joint {
    std::uint32_t edge = 0; // the edge it lies on, or the vertex it meets (`atVertex`)
    double along = 0.0;     // how far along the edge, for the order of several joints on one
    bool atVertex = false;
    bool atEnd = false; // at a hole's own first vertex: joined when the ring closes there
    std::uint32_t child = 0;
    GeoPoint point;
};

// The edges of every ring sorted into vertical strips, so that the edges a line of longitude
// crosses are found without looking at the others.
class EdgeStrips {
  public:
    explicit EdgeStrips(const std::vector<Ring>& rings) : rings_(rings) {
        double minX = std::numeric_limits<double>::max(), maxX = std::numeric_limits<double>::lowest();
        for (const Ring& ring : rings)
            for (const GeoPoint& p : ring) {
                minX = std::min(minX, p.lon);
                maxX = std::max(maxX, p.lon);
            }
        offsets_.push_back(0);
        for (const Ring& ring : rings)
            offsets_.push_back(offsets_.back() + static_cast<std::uint32_t>(ring.size() - 1));
        const std::uint32_t edges = offsets_.back();
        strips_ = std::clamp<std::uint32_t>(edges / 8, 1, 4096);
        left_ = minX;
        scale_ = maxX > minX ? strips_ / (maxX - minX) : 0.0;
        start_.assign(strips_ + 1, 0);
        forEachEdge([&](std::uint32_t, std::uint32_t from, std::uint32_t to) {
            for (std::uint32_t s = from; s <= to; ++s)
                ++start_[s + 1];
        });
        for (std::uint32_t s = 0; s < strips_; ++s)
            start_[s + 1] += start_[s];
        entries_.resize(start_.back());
        std::vector<std::uint32_t> fill(start_.begin(), start_.end() - 1);
        forEachEdge([&](std::uint32_t id, std::uint32_t from, std::uint32_t to) {
            for (std::uint32_t s = from; s <= to; ++s)
                entries_[fill[s]++] = id;
        });
    }

    // The first vertex or edge point due north of `from` on a ring other than `ring`; false
    // when there is none.
    bool firstNorth(std::uint32_t ring, const GeoPoint& from, std::uint32_t& hitRing, Joint& joint) const {
        const double x = from.lon;
        double best = std::numeric_limits<double>::infinity();
        const std::uint32_t s = stripOf(x);
        for (std::uint32_t e = start_[s]; e < start_[s + 1]; ++e) {
            const std::uint32_t id = entries_[e];
            const std::uint32_t r = ringOf(id);
            if (r == ring)
                continue;
            const std::uint32_t i = id - offsets_[r];
            const GeoPoint& a = rings_[r][i];
            const GeoPoint& b = rings_[r][i + 1];
            if (a.lon == x) {
                if (a.lat > from.lat && a.lat <= best) {
                    best = a.lat;
                    hitRing = r;
                    joint = {i, 0.0, true, false, 0, a};
                }
            } else if ((a.lon < x && x < b.lon) || (b.lon < x && x < a.lon)) {
                const double along = (x - a.lon) / (b.lon - a.lon);
                const double y = a.lat + (b.lat - a.lat) * along;
                if (y > from.lat && y < best) {
                    best = y;
                    hitRing = r;
                    joint = {i, along, false, false, 0, {x, y}};
                }
            }
        }
        return best != std::numeric_limits<double>::infinity();
    }

    // True when no vertex but `a` and `b` lies inside or on the triangle a, b, c; false also
    // when the triangle reaches over too many strips to look.
    bool emptyTriangle(const GeoPoint& a, const GeoPoint& b, const GeoPoint& c) const {
        const auto side = [](const GeoPoint& p, const GeoPoint& q, const GeoPoint& r) {
            const double cross = (q.lon - p.lon) * (r.lat - p.lat) - (q.lat - p.lat) * (r.lon - p.lon);
            return (cross > 0) - (cross < 0);
        };
        const std::uint32_t first = stripOf(std::min({a.lon, b.lon, c.lon}));
        const std::uint32_t last = stripOf(std::max({a.lon, b.lon, c.lon}));
        if (last - first > kMostStrips)
            return false;
        for (std::uint32_t e = start_[first]; e < start_[last + 1]; ++e) {
            const std::uint32_t id = entries_[e];
            const GeoPoint& v = rings_[ringOf(id)][id - offsets_[ringOf(id)]];
            if (v == a || v == b)
                continue;
            const int s1 = side(a, b, v), s2 = side(b, c, v), s3 = side(c, a, v);
            if (!((s1 < 0 || s2 < 0 || s3 < 0) && (s1 > 0 || s2 > 0 || s3 > 0)))
                return false;
        }
        return true;
    }

  private:
    static constexpr std::uint32_t kMostStrips = 64;

    template <class F> void forEachEdge(F&& f) const {
        for (std::uint32_t r = 0; r < rings_.size(); ++r)
            for (std::uint32_t i = 0; i + 1 < rings_[r].size(); ++i) {
                const GeoPoint& a = rings_[r][i];
                const GeoPoint& b = rings_[r][i + 1];
                f(offsets_[r] + i, stripOf(std::min(a.lon, b.lon)), stripOf(std::max(a.lon, b.lon)));
            }
    }
    std::uint32_t stripOf(double x) const {
        const double s = std::floor((x - left_) * scale_);
        return s <= 0 ? 0 : std::min(strips_ - 1, static_cast<std::uint32_t>(s));
    }
    std::uint32_t ringOf(std::uint32_t id) const {
        return static_cast<std::uint32_t>(std::upper_bound(offsets_.begin(), offsets_.end(), id) - offsets_.begin() - 1);
    }

    const std::vector<Ring>& rings_;
    std::vector<std::uint32_t> offsets_; // first edge id of each ring
    std::uint32_t strips_ = 1;
    double left_ = 0.0, scale_ = 0.0;
    std::vector<std::uint32_t> start_;   // first entry of each strip
    std::vector<std::uint32_t> entries_; // edge ids, strip after strip
};

std::uint32_t northernmost(const Ring& ring) {
    std::uint32_t top = 0;
    for (std::uint32_t i = 1; i + 1 < ring.size(); ++i)
        if (ring[i].lat > ring[top].lat)
            top = i;
    return top;
}

double twiceArea(const Ring& ring) {
    double twice = 0.0;
    for (std::size_t i = 0; i + 1 < ring.size(); ++i)
        twice += ring[i].lon * ring[i + 1].lat - ring[i + 1].lon * ring[i].lat;
    return twice;
}

// A cut that meets an edge between its ends needs a new vertex there, which rounding to the
// map's decimals moves off the edge the neighbouring band keeps. Where the triangle of the
// hole's top, that point and an end of the edge holds no other vertex, and nothing else is
// joined along that edge or at that end, the cut goes to the end instead: it crosses nothing
// (any ring or cut crossing it would have to have a vertex in the triangle or cross the edge).
void settleOnVertices(const std::vector<Ring>& rings, const EdgeStrips& strips, const std::vector<std::uint32_t>& starts,
                      std::vector<std::vector<Joint>>& joints) {
    using Vertex = std::pair<std::uint32_t, std::uint32_t>; // ring, index
    std::map<Vertex, int> claims;                           // cuts ending there, or to be
    std::map<Vertex, int> edgeJoints;
    for (std::uint32_t r = 0; r < rings.size(); ++r) {
        if (r > 0)
            claims[{r, starts[r]}] += 2;
        for (const Joint& joint : joints[r])
            (joint.atVertex ? claims : edgeJoints)[{r, joint.edge}] += joint.atVertex ? 2 : 1;
    }
    std::vector<std::pair<Joint*, Vertex>> proposals;
    for (std::uint32_t r = 0; r < rings.size(); ++r)
        for (Joint& joint : joints[r]) {
            // A hole with a cut arriving at its top keeps its own cut straight north: which
            // side of it the other goes in on is decided for that direction.
            if (joint.atVertex || edgeJoints[{r, joint.edge}] != 1 || claims[{joint.child, starts[joint.child]}] > 2)
                continue;
            const std::uint32_t n = static_cast<std::uint32_t>(rings[r].size() - 1);
            const GeoPoint& top = rings[joint.child][starts[joint.child]];
            for (const std::uint32_t end : {joint.edge, (joint.edge + 1) % n}) {
                const Vertex vertex{r, end};
                if (claims.count(vertex) == 0 && strips.emptyTriangle(top, rings[r][end], joint.point)) {
                    proposals.emplace_back(&joint, vertex);
                    ++claims[vertex];
                    break;
                }
            }
        }
    for (const auto& [joint, vertex] : proposals)
        if (claims[vertex] == 1)
            *joint = {vertex.second, 0.0, true, false, joint->child, rings[vertex.first][vertex.second]};
}

class Splicer {
  public:
    Splicer(const std::vector<Ring>& rings, std::vector<std::uint32_t> starts, std::vector<std::vector<Joint>> joints)
        : rings_(rings), starts_(std::move(starts)), joints_(std::move(joints)) {}

    // Ring r from its first vertex round to it again, every ring joined to it on the way.
    void walk(std::uint32_t r, Ring& out, std::vector<bool>& added) const {
        const Ring& ring = rings_[r];
        const std::vector<Joint>& joints = joints_[r];
        const std::uint32_t n = static_cast<std::uint32_t>(ring.size() - 1), first = starts_[r];
        auto next = std::lower_bound(joints.begin(), joints.end(), first,
                                     [](const Joint& j, std::uint32_t edge) { return j.edge < edge; });
        for (std::uint32_t k = 0; k < n; ++k) {
            const std::uint32_t i = (first + k) % n;
            if (i == 0)
                next = joints.begin();
            out.push_back(ring[i]);
            added.push_back(false);
            for (; next != joints.end() && next->edge == i; ++next) {
                if (next->atEnd)
                    continue;
                if (!next->atVertex) {
                    out.push_back(next->point);
                    added.push_back(true);
                }
                walk(next->child, out, added);
                out.push_back(next->point);
                added.push_back(!next->atVertex);
            }
        }
        out.push_back(ring[first]);
        added.push_back(false);
        for (const Joint& joint : joints)
            if (joint.atEnd) {
                walk(joint.child, out, added);
                out.push_back(joint.point);
                added.push_back(false);
            }
    }

  private:
    const std::vector<Ring>& rings_;
    std::vector<std::uint32_t> starts_;
    std::vector<std::vector<Joint>> joints_;
};

} // namespace

Ring cutHoles(const std::vector<Ring>& rings, std::vector<bool>* added) {
    std::vector<bool> marks;
    std::vector<bool>& isNew = added != nullptr ? *added : marks;
    isNew.clear();
    if (rings.size() <= 1) {
        isNew.assign(rings.empty() ? 0 : rings.front().size(), false);
        return rings.empty() ? Ring() : rings.front();
    }
    const bool interiorLeft = twiceArea(rings.front()) > 0.0;
    const EdgeStrips strips(rings);
    std::vector<std::uint32_t> starts(rings.size(), 0);
    std::vector<std::vector<Joint>> joints(rings.size());
    for (std::uint32_t h = 1; h < rings.size(); ++h)
        starts[h] = northernmost(rings[h]);
    for (std::uint32_t h = 1; h < rings.size(); ++h) {
        const GeoPoint& top = rings[h][starts[h]];
        std::uint32_t parent = 0;
        Joint joint;
        if (!strips.firstNorth(h, top, parent, joint))
            return {};
        joint.child = h;
        // Meeting a hole at the vertex its own cut leaves from: the new cut goes in on the side
        // of that cut where the hole's next edge does not lie.
        if (joint.atVertex && parent != 0 && joint.edge == starts[parent]) {
            const double nextX = rings[parent][joint.edge + 1].lon;
            joint.atEnd = interiorLeft ? !(nextX < joint.point.lon) : !(nextX > joint.point.lon);
        }
        joints[parent].push_back(joint);
    }
    settleOnVertices(rings, strips, starts, joints);
    for (std::vector<Joint>& list : joints)
        std::sort(list.begin(), list.end(), [](const Joint& a, const Joint& b) {
            if (a.edge != b.edge)
                return a.edge < b.edge;
            if (a.atVertex != b.atVertex)
                return a.atVertex;
            return a.along < b.along;
        });
    std::size_t total = 0;
    for (const Ring& ring : rings)
        total += ring.size() + 3;
    Ring out;
    out.reserve(total);
    isNew.reserve(total);
    Splicer(rings, std::move(starts), std::move(joints)).walk(0, out, isNew);
    return out;
}

} // namespace orolith::dem
