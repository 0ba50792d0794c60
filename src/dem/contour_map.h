#pragma once
// The contour lines of an elevation model written into its map: types 0x20 (minor), 0x21
// (intermediate) and 0x22 (major), each labelled with its elevation. Minor lines show at the
// most detailed selected level only, intermediate ones one level further, major ones up to the
// coarsest selected level.

#include "core/conversion/map_writer.h"
#include "core/host.h"
#include "dem/contour_lines.h"
#include "dem/dem_bands.h"

#include <string>
#include <string_view>

namespace orolith::dem {

// The Garmin line type of a kind of contour line ("20", "21", "22").
std::string contourType(ContourKind kind);

// Traces the contour lines of the opened `bands` and writes them. False when tracing failed, the
// host cancelled, or there were more lines than one map tile holds; `error` then says why
// (empty when cancelled). `count` tells what was written.
bool writeContourLines(DemBands& bands, const DemOptions& dem, std::string_view levelDigits,
                       MapWriter& writer, Host& host, ContourCount& count, std::string& error);

// The final message's note on the lines: "1234 contour lines every 10 m (56 tiny closed loops dropped)."
std::string contourNote(const ContourCount& count, const ContourOptions& options);

} // namespace orolith::dem
