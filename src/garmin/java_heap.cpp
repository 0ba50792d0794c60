#include "garmin/java_heap.h"

#include <algorithm>
#include <thread>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace orolith::garmin {

std::uint64_t javaHeapMiB(std::uint64_t tileVertices, std::size_t parallelTiles, std::uint64_t machineBytes) {
    const std::uint64_t jobs = std::max<std::size_t>(parallelTiles, 1);
    const std::uint64_t wanted = kHeapBaseMiB + jobs * tileVertices * kHeapBytesPerVertex / (1024 * 1024);
    if (machineBytes == 0)
        return wanted;
    const auto share = static_cast<std::uint64_t>(static_cast<double>(machineBytes) * kHeapMachineShare) / (1024 * 1024);
    return std::min(wanted, share);
}

std::uint64_t machineMemory() {
#ifdef _WIN32
    return 0;
#else
    const long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
    return pages > 0 && size > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size) : 0;
#endif
}

void setJavaHeap(MkgmapCommand& command, std::uint64_t heapMiB) {
    const std::string heap = "-Xmx" + std::to_string(heapMiB) + "m";
    for (std::string& word : command.leadingArguments)
        if (word == kJavaHeapOption)
            word = heap;
    if (command.javaToolOptions == kJavaHeapOption)
        command.javaToolOptions = heap;
}

void sizeJavaHeap(MkgmapCommand& command, const MapSurvey& survey,
                  const std::vector<std::vector<std::uint32_t>>& tiles) {
    std::uint64_t largest = 0;
    for (const auto& tile : tiles) {
        std::uint64_t vertices = 0;
        for (std::uint32_t block : tile)
            vertices += survey.blocks[block].vertices;
        largest = std::max(largest, vertices);
    }
    // mkgmap compiles one tile per core at once.
    const std::size_t atOnce = std::min<std::size_t>(tiles.size(), std::max(1u, std::thread::hardware_concurrency()));
    setJavaHeap(command, javaHeapMiB(largest, atOnce, machineMemory()));
}

} // namespace orolith::garmin
