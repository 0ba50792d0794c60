#pragma once
// Reading Geo Vector text as a stream. The text is cut at every "L " (the record separator,
// wherever it stands) and at every CR LF pair (a lone LF ends nothing). The reader hands out
// the pieces between those cuts one by one, so the file is never held in memory as a whole:
// the buffer grows only to hold the longest single piece. Large files are read through a
// memory map instead (core/platform/mapped_input.h), whose pages are handed back behind the
// reader.

#include "core/platform/mapped_input.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orolith {

// What stands at one end of a piece.
enum class Cut : std::uint8_t {
    FileStart,
    Record, // "L "
    Line,   // CR LF
    FileEnd,
};

struct Piece {
    std::string_view text; // valid until the next call of the reader
    Cut before = Cut::FileStart;
    Cut after = Cut::FileEnd;
};

class GeoVectorReader {
  public:
    static constexpr std::uint64_t kMapFrom = std::uint64_t{16} << 20;

    // `blockSize`: bytes read at a time (the buffer grows beyond it only for longer pieces).
    // Files of `mapFrom` bytes or more are mapped where the system allows it.
    explicit GeoVectorReader(std::size_t blockSize = std::size_t{4} << 20, std::uint64_t mapFrom = kMapFrom)
        : blockSize_(blockSize), mapFrom_(mapFrom) {}
    ~GeoVectorReader();
    GeoVectorReader(const GeoVectorReader&) = delete;
    GeoVectorReader& operator=(const GeoVectorReader&) = delete;

    // Opens the file; false with errorString() when it cannot be read.
    bool open(const std::filesystem::path& path);
    // Starts again from the beginning of the file.
    bool rewind();

    // The next piece; false at the end of the file or after a read failure (see errorString()).
    bool next(Piece& piece);
    // Right after a piece cut by CR LF: every further complete line up to the next "L " (or
    // as far as the buffer holds), each with its CR LF, in one view; false when there is no
    // complete line there (next() then takes over). The lines count as pieces handed out.
    bool nextLines(std::string_view& lines);
    // Skips everything up to and including the next "L "; false when there is none.
    // The next piece is then the head line of a record.
    bool skipToRecord();

    // The system's description of a read failure; empty while there was none.
    const std::string& errorString() const { return error_; }
    // Bytes consumed so far.
    std::uint64_t position() const { return consumedBefore_ + begin_; }

  private:
    bool refill();
    std::size_t findSeparator();
    std::size_t findLineBreak();
    void releaseBehind();

    std::size_t blockSize_;
    std::uint64_t mapFrom_;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    MappedInput mapped_;
    const char* data_ = nullptr; // the buffer's bytes, or the mapped file's
    std::size_t begin_ = 0; // first unread byte
    std::size_t releaseAt_ = 0; // a mapped file's pages behind begin_ go back from here
    std::size_t end_ = 0;   // end of the bytes in the buffer
    bool eof_ = false;
    bool finished_ = false;
    bool atHead_ = false; // an "L " was just consumed and no piece handed out since
    Cut lastCut_ = Cut::FileStart;
    // Search caches: a found position (or npos) and how far nothing was found.
    std::size_t separatorAt_ = 0;
    std::size_t separatorSearched_ = 0;
    std::size_t lineBreakAt_ = 0;
    std::size_t lineBreakSearched_ = 0;
    std::uint64_t consumedBefore_ = 0;
    std::string error_;
};

// A record's key: its head line after the first space (the whole line when there is none),
// cut before the first ".". "23 100.0" gives "100", "-12.75" gives "-12".
std::string_view elevationTextOf(std::string_view headLine);

// The fields 1 and 2 of a vertex line cut at single spaces: longitude and latitude.
// False when the line has fewer than three fields.
bool vertexFields(std::string_view line, std::string_view& longitude, std::string_view& latitude);

} // namespace orolith
