#include "garmin/mkgmap_progress.h"

#include "core/platform/size_text.h"

#include <algorithm>

namespace orolith::garmin {

namespace {

// The share of the first tile shown before any tile is finished: a half after a minute,
// never the whole.
constexpr double kCreepSeconds = 60;
// A tile that takes longer than the mean shows at most this share of it done.
constexpr double kMostOfATile = 0.95;

} // namespace

MkgmapProgress MkgmapClock::at(std::size_t finished, double elapsed) {
    finished = std::min(finished, tiles_);
    elapsed = std::max(elapsed, 0.0);
    if (finished != finished_) {
        finished_ = finished;
        lastFinish_ = elapsed;
    }
    MkgmapProgress progress;
    progress.tiles = tiles_;
    progress.finished = finished;
    progress.elapsed = elapsed;
    if (finished == tiles_) {
        progress.percent = 100;
        return progress;
    }
    const double sinceLast = elapsed - lastFinish_;
    double partial = sinceLast / (sinceLast + kCreepSeconds);
    if (finished > 0) {
        const double perTile = lastFinish_ / static_cast<double>(finished);
        partial = perTile > 0 ? std::min(sinceLast / perTile, kMostOfATile) : kMostOfATile;
        progress.left = std::max(0.0, perTile * static_cast<double>(tiles_ - finished) - sinceLast);
    }
    progress.percent = 100 * (static_cast<double>(finished) + partial) / static_cast<double>(tiles_);
    return progress;
}

std::string mkgmapProgressText(const MkgmapProgress& progress) {
    std::string text = progress.finished < progress.tiles
                           ? "Compiling map tile " + std::to_string(progress.finished + 1) + " of " +
                                 std::to_string(progress.tiles) + " with mkgmap"
                           : std::string("Writing gmapsupp.img with mkgmap");
    text += ", " + durationText(progress.elapsed);
    if (progress.left)
        text += ", about " + durationText(*progress.left) + " left";
    return text;
}

} // namespace orolith::garmin
