#pragma once
// Putting the traced rings of a band together as polygons with holes. A hole waits until the
// smallest outer ring of its band around it closes; rings close from the top down, so the
// outer ring of a hole never closes before the hole does.

#include "dem/band_tracer.h"

#include <functional>
#include <map>
#include <vector>

namespace orolith::dem {

struct PixelPolygon {
    std::int32_t band = 0;
    std::vector<PixelRing> rings; // rings[0] outer, the rest holes
};

class RingAssembly : public RingSink {
  public:
    using PolygonSink = std::function<void(PixelPolygon&&)>;
    // Collinear points are dropped from every ring unless `keepCollinear`: a boundary shared by
    // two rings then keeps the same vertices on both, as simplifying it once for both needs.
    explicit RingAssembly(PolygonSink sink, bool keepCollinear = false)
        : sink_(std::move(sink)), keepCollinear_(keepCollinear) {}

    void ring(std::int32_t band, PixelRing&& points) override;
    void rowDone(double y) override;

    std::size_t waitingHoles() const { return holeCount_; }
    // The holes still waiting for their outer ring, by band, taken out.
    std::vector<std::pair<std::int32_t, PixelRing>> takeWaitingHoles();

  private:
    struct Bounds {
        double minX, minY, maxX, maxY;
    };
    struct Hole {
        PixelRing points;
        Bounds bounds;
    };
    struct Outer {
        std::int32_t band;
        PixelRing points;
        Bounds bounds;
        double area;
    };
    void close(Outer& outer);

    PolygonSink sink_;
    bool keepCollinear_ = false;
    std::vector<Outer> closedOuters_; // closed in the current row
    // Holes waiting for their outer ring, by band and by the x of their first point.
    std::map<std::int32_t, std::multimap<double, Hole>> holes_;
    std::size_t holeCount_ = 0;
};

// Drops points that lie on the straight line between their neighbours.
void dropCollinear(PixelRing& ring);
// The shoelace area: positive for outer rings (y growing downwards), negative for holes.
double signedArea(const PixelRing& ring);
// Which of `points` lie inside `ring` (even-odd), in one sweep over the ring's edges.
std::vector<bool> insideRing(const PixelRing& ring, const std::vector<PixelPoint>& points);

} // namespace orolith::dem
