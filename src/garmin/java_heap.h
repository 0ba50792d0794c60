#pragma once
// How much memory mkgmap's Java may take: enough for the largest map tile it compiles, times
// the tiles it compiles at once, and never more than the machine can give. A fixed share of
// the machine's memory let Java grow to several gigabytes for work that needs one.

#include "garmin/map_tiles.h"
#include "garmin/mkgmap_program.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orolith::garmin {

// The heap in MiB for tiles of at most `tileVertices` vertices (each counted once per level it
// shows at), `parallelTiles` of them at once, on a machine of `machineBytes` of memory:
// kHeapBaseMiB plus kHeapBytesPerVertex for each vertex of each tile at once, at most
// kHeapMachineShare of the machine, at least kHeapBaseMiB (or the whole share when that is less).
inline constexpr std::uint64_t kHeapBaseMiB = 256;
inline constexpr std::uint64_t kHeapBytesPerVertex = 100;
inline constexpr double kHeapMachineShare = 0.6;
std::uint64_t javaHeapMiB(std::uint64_t tileVertices, std::size_t parallelTiles, std::uint64_t machineBytes);

// The machine's physical memory in bytes; 0 when unknown.
std::uint64_t machineMemory();

// Gives `command` the heap "-Xmx<heapMiB>m" in place of the share of the machine it names.
void setJavaHeap(MkgmapCommand& command, std::uint64_t heapMiB);

// The heap for compiling `tiles` of the surveyed map, set on `command`.
void sizeJavaHeap(MkgmapCommand& command, const MapSurvey& survey,
                  const std::vector<std::vector<std::uint32_t>>& tiles);

} // namespace orolith::garmin
