#pragma once
// Writing a Polish map: the header block, then one block per polygon and detail level, and
// optionally the same outline again as a contour line. The blocks are collected in a buffer
// and go to a temporary file that replaces the map only when everything was written.

#include "core/atomic_file.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orolith {

// The header block that opens every map, ending in an empty line.
std::string mapHeader();

// Appends one vertex to a Data line's vertex list: "(" latitude "," longitude ")", separated
// by ","; a vertex whose text would hold "(," loses the ",". True when the vertex text went
// in unchanged ("(" latitude "," longitude ")").
bool appendVertex(std::string& vertices, std::string_view latitude, std::string_view longitude);
// The same for fields known to hold no "(".
bool appendVertexWithoutParenthesis(std::string& vertices, std::string_view latitude,
                                    std::string_view longitude);

class MapWriter {
  public:
    explicit MapWriter(std::string path);

    // Creates the temporary file and writes the header. False with error() on failure.
    bool open();
    // The polygon's block for each level digit in order, then (with `contour`) the last
    // one again as a polyline.
    void polygon(std::string_view type, std::string_view levelDigits, std::string_view vertices,
                 bool contour);
    // Writes what is left and puts the map in place. False with error() on failure.
    bool commit();
    // Drops everything written so far; the path is untouched.
    void abandon();

    // False once a write has failed; error() then says why.
    bool good() const { return error_.empty(); }
    const std::string& error() const { return error_; }

  private:
    void block(std::string_view kind, std::string_view type, char level, std::string_view vertices);
    void flush();

    AtomicFile file_;
    std::string buffer_;
    std::string error_;
    std::uint64_t written_ = 0;
    std::uint64_t writtenBack_ = 0;
};

} // namespace orolith
