#pragma once
// The vertex list of a polygon's Data lines, built from Geo Vector vertex lines: each line's
// fields 1 and 2 (longitude, latitude) become "(" latitude "," longitude ")", separated by
// ",". Whole runs of lines go through in one pass over their bytes; this is the conversion's
// innermost loop, so it allocates only when the list outgrows its memory and never fills
// memory that is written over at once.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace orolith {

class VertexList {
  public:
    // What a run of lines gave.
    struct RunCounts {
        std::int64_t lines = 0;
        std::int64_t shortLines = 0;      // lines with fewer than three fields, left out
        std::int64_t firstShortLine = -1; // index of the first of them in the run
    };

    void clear();
    // Every line of `lines` (each ending in CR LF; no other CR LF inside) as one vertex.
    RunCounts addLines(std::string_view lines);
    // One vertex from its fields.
    void add(std::string_view latitude, std::string_view longitude);

    std::string_view text() const { return {data_.get(), size_}; }
    std::int64_t count() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The first and last vertex as point texts, "latitude,longitude" as read.
    std::string_view firstPoint() const { return pointOf(first_); }
    std::string_view lastPoint() const { return pointOf(last_); }

  private:
    // Where a vertex's point text is: inside the list, or (when the list holds it changed)
    // in a copy of its own.
    struct End {
        bool inList = true;
        std::size_t start = 0; // of the point text in the list
        std::size_t length = 0;
        std::string copy;
    };

    // The bytes addUsualLine may read from a line's start (a window of 32, then a fixed-size
    // copy of each field), and may write past the end of the list.
    static constexpr std::ptrdiff_t kUsualLineReach = 64;
    static constexpr std::size_t kListSlack = 32;

    void reserve(std::size_t more);
    const char* addUsualLine(const char* line);
    const char* addAnyLine(const char* line, RunCounts& counts);
    void addPlain(const char* latitude, std::size_t latitudeSize, const char* longitude,
                  std::size_t longitudeSize);
    void addChanged(std::string_view latitude, std::string_view longitude);
    static void noteEnd(End& end, bool inList, std::size_t start, std::string_view latitude,
                        std::string_view longitude);
    std::string_view pointOf(const End& end) const;

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::int64_t count_ = 0;
    End first_, last_;
};

} // namespace orolith
