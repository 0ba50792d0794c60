#pragma once
// Writing a Polish map: the header block, then one block per polygon and detail level, and
// optionally the same outline again as a contour line. The blocks are collected in a buffer;
// full buffers go to a temporary file from a thread of the writer's own, so that building
// the next one overlaps with the system's copying, and the temporary file replaces the map
// only when everything was written.

#include "core/platform/atomic_file.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace orolith {

// The header block that opens every map, ending in an empty line. A `copyright` text (the
// attribution the map's data asks for) replaces the Copyright line's "PROGRAM".
std::string mapHeader(std::string_view copyright = {});

// Appends one vertex to a Data line's vertex list: "(" latitude "," longitude ")", separated
// by ","; a vertex whose text would hold "(," loses the ",". True when the vertex text went
// in unchanged ("(" latitude "," longitude ")"). The conversion's own loop is VertexList.
bool appendVertex(std::string& vertices, std::string_view latitude, std::string_view longitude);

// The level up to which the block of levelDigits[index] is shown: the next selected level
// minus one when that lies more than one level higher, else 0 (no EndLevel line). Without it
// a map of levels 0 and 3 would be blank at the zooms of levels 1 and 2.
char endLevelOf(std::string_view levelDigits, std::size_t index);

class MapWriter {
  public:
    // With ExistingTarget::Keep the map is not put in place over a file that appeared meanwhile.
    explicit MapWriter(std::filesystem::path path, ExistingTarget existing = ExistingTarget::Replace);
    ~MapWriter();
    MapWriter(const MapWriter&) = delete;
    MapWriter& operator=(const MapWriter&) = delete;

    // Creates the temporary file and writes the header. False with errorString() on failure.
    bool open(std::string_view copyright = {});
    // The polygon's block for each level digit in order, each with its EndLevel line where
    // endLevelOf gives one and (with `contour`) followed at once by the same block as a polyline.
    void polygon(std::string_view type, std::string_view levelDigits, std::string_view vertices,
                 bool contour);
    // A polygon with holes: for each level digit one block whose first Data line is the outer
    // ring and every further one (same level) a hole; with `contour` each level's block is
    // followed by every ring as a polyline block of that level.
    void bandPolygon(std::string_view type, std::string_view levelDigits, const std::vector<std::string>& rings,
                     bool contour);
    // Says in the header that elevations (contour line labels) are in metres rather than feet;
    // call right after open().
    void declareElevationInMetres();
    // A labelled line (a contour line) at one level, shown up to `endLevel` (0: its own only).
    void labelledLine(std::string_view type, std::string_view label, char level, char endLevel,
                      std::string_view vertices);
    // A band polygon written once for every selected level: one block at the finest level whose
    // EndLevel is the coarsest (none for a single level). Its first Data line is the outer ring,
    // every further one a hole; each of `contours` follows as a polyline over the same levels.
    void polygonAcrossLevels(std::string_view type, std::string_view levelDigits,
                             const std::vector<std::string>& rings, const std::vector<std::string>& contours);
    // Writes what is left and puts the map in place. False with errorString() on failure.
    bool commit();
    // Drops everything written so far; the path is untouched.
    void abandon();

    // False once a write has failed; errorString() then says why.
    bool good() const { return !failed_.load(std::memory_order_acquire); }
    const std::string& errorString() const { return error_; }
    // commit() failed because a file appeared at the path and was not to be replaced.
    bool targetAppeared() const { return file_.targetAppeared(); }

  private:
    void block(std::string_view kind, std::string_view type, char level, char endLevel,
               std::string_view vertices, std::string_view label = {});
    void flush();     // hands the buffer to the writing thread
    void writeLoop(); // the writing thread
    void write(const std::string& bytes);
    void stopWriting(); // waits until everything handed over was written
    void fail(const std::string& error);

    AtomicFile file_;
    std::string buffer_;              // being filled
    std::deque<std::string> pending_; // handed over, the first one being written
    std::vector<std::string> spare_;  // written, kept for filling again
    bool stopping_ = false;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
    std::atomic<bool> failed_{false};
    std::string error_; // set once, before failed_
};

} // namespace orolith
