#pragma once
// The two reading passes of a conversion: collecting the elevations (and the lowest one),
// then writing every polygon to the map.

#include "core/conversion/elevation_types.h"
#include "core/conversion/geo_vector.h"
#include "core/host.h"
#include "core/conversion/map_writer.h"

#include <cstdint>
#include <string>

namespace orolith {

enum class ScanOutcome { Done, Cancelled, ReadFailed };

struct ScanCounts {
    std::int64_t records = 0; // record separators
    bool anyVertex = false;   // some record holds at least one vertex line
};

// Reads every record's head line from the start of the file into `table`, and looks at the
// lines after the heads until one of them is a vertex.
ScanOutcome scanElevations(GeoVectorReader& reader, ElevationTypes& table, Host& host, ScanCounts& counts);

struct WriteSettings {
    std::string levelDigits; // never empty
    double maxDistance = 0;  // metres
    bool addContours = false;
    std::int64_t records = 0; // as counted by scanElevations, for the progress
};

struct WriteOutcome {
    std::int64_t notIncluded = 0;
    std::int64_t tooFar = 0; // of those, left out for the distance between their ends
    bool cancelled = false;
    std::string readError; // the system's description when reading failed
};

// Reads the file again from the start and hands every polygon within the maximum distance
// to `writer`. Failures of single vertices and points are reported through `host`.
WriteOutcome writePolygons(GeoVectorReader& reader, const ElevationTypes& table,
                           const WriteSettings& settings, MapWriter& writer, Host& host);

} // namespace orolith
