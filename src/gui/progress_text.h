#pragma once
// Sizes, durations and the state of a long run as the window words them.

#include "download/tile_fetcher.h"

#include <QString>
#include <cstdint>

namespace orolith::gui {

// "512 bytes", "20.0 KiB", "3.4 MiB", "1.2 GiB".
QString byteSizeText(std::uint64_t bytes);

// "45 s", "3 min 05 s", "2 h 10 min".
QString durationText(double seconds);

// "3 of 24 tiles, 20.1 MiB of about 480.0 MiB, 2.5 MiB/s, 3 min 04 s left"; the time left
// once something has arrived and an expected size is known.
QString fetchProgressText(const download::FetchProgress& progress, std::uint64_t expectedBytes);

// "Tile 2 of 6 … 1 min 10 s, about 2 min 30 s left": a run's stage, its time so far and,
// once `share` (0..1) of it is done, the time it will take yet.
QString runTimeText(const QString& stage, double seconds, double share);

} // namespace orolith::gui
