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

// Reads every record's head line from the start of the file into `table`; `records` gets
// the number of record separators.
ScanOutcome scanElevations(GeoVectorReader& reader, ElevationTypes& table, Host& host, std::int64_t& records);

struct WriteSettings {
    std::string levelDigits; // never empty
    double maxDistance = 0;  // metres
    bool addContours = false;
    std::int64_t records = 0; // as counted by scanElevations, for the progress
};

struct WriteOutcome {
    std::int64_t notIncluded = 0;
    bool cancelled = false;
    std::string readError; // the system's description when reading failed
};

// Reads the file again from the start and hands every polygon within the maximum distance
// to `writer`. Failures of single vertices and points are reported through `host`.
WriteOutcome writePolygons(GeoVectorReader& reader, const ElevationTypes& table,
                           const WriteSettings& settings, MapWriter& writer, Host& host);

} // namespace orolith
