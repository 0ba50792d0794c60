#pragma once
// How far mkgmap has come and how long it may still take, from the map tiles it has finished
// and the time it has run. Plain arithmetic without a clock: the caller passes the seconds
// since mkgmap started, so the window and the command line share it and tests need no timing.
//
// mkgmap compiles the map tiles one after another and then writes gmapsupp.img. Until a tile
// is finished nothing tells how long one takes, so the share creeps towards the first tile's
// end (half of it after a minute) and no time left is given; from then on a tile is expected
// to take as long as the finished ones took on average.

#include <cstddef>
#include <optional>
#include <string>

namespace orolith::garmin {

struct MkgmapProgress {
    std::size_t tiles = 0;      // map tiles in the run
    std::size_t finished = 0;   // compiled so far
    double elapsed = 0;         // seconds since mkgmap started
    double percent = 0;         // of mkgmap's whole run, 0..100
    std::optional<double> left; // seconds, once a tile is finished and while tiles remain
};

class MkgmapClock {
  public:
    explicit MkgmapClock(std::size_t tiles) : tiles_(tiles == 0 ? 1 : tiles) {}

    // mkgmap has finished `finished` map tiles after `elapsed` seconds.
    MkgmapProgress at(std::size_t finished, double elapsed);

  private:
    std::size_t tiles_;
    std::size_t finished_ = 0;
    double lastFinish_ = 0; // seconds at which the last tile was seen finished
};

// "Compiling map tile 2 of 4 with mkgmap, 1 min 05 s, about 3 min 10 s left", or "Writing
// gmapsupp.img with mkgmap, 5 min 02 s" once every tile is compiled.
std::string mkgmapProgressText(const MkgmapProgress& progress);

} // namespace orolith::garmin
