#pragma once
// The lock a run holds on a tile while it fetches it: a file beside the tile in the cache, so
// that runs sharing a cache take turns. A lock is stale, and taken over, when its owner is gone
// (on this host), when it is older than any transfer may last (an owner on another host), or
// when it cannot be read at all some seconds after it was made.

#include <QLockFile>
#include <chrono>
#include <filesystem>
#include <memory>

namespace orolith::download {

enum class LockState { Taken, Busy, Failed };

std::unique_ptr<QLockFile> takeTileLock(const std::filesystem::path& lockPath,
                                        std::chrono::seconds staleAfter, LockState& state);

} // namespace orolith::download
