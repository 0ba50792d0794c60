#pragma once
// One HTTP transfer of one tile into its ".part" file: libcurl set up with the limits, the
// body appended to what an earlier attempt left (or started over when the server ignores
// the range asked for), and only a successful response's body written. A part is resumed
// only under the validator (ETag or Last-Modified) its first bytes came with, kept beside it
// in "<part>.validator", so that a file changed on the server starts over.

#include "download/tile_fetcher.h"

#include <curl/curl.h>
#include <fstream>
#include <memory>
#include <string_view>
#include <optional>

class QLockFile;

namespace orolith::download {

// Removes a part file and its validator.
void removePart(const std::filesystem::path& part);

class TileTransfer {
  public:
    enum class Abort { None, Oversize, BadRange, WriteError, ErrorBody };

    TileTransfer(std::filesystem::path partPath, const std::string& url, const FetchLimits& limits);
    ~TileTransfer();
    TileTransfer(const TileTransfer&) = delete;
    TileTransfer& operator=(const TileTransfer&) = delete;

    // Opens the part file; false with `problem` set when it cannot be written.
    bool open(std::string& problem);
    CURL* handle() const { return easy_; }
    // Closes the part file (before it is checked or renamed).
    void close();

    long status() const;
    Abort abort() const { return abort_; }
    const char* curlMessage() const { return errorText_; }
    std::uint64_t resumedFrom() const { return offset_; }
    std::uint64_t takeNewBytes(); // bytes written since the last call
    // The bytes of the response still to come, once a 200 or 206 gave its length.
    std::optional<std::uint64_t> bytesToCome() const;
    const std::filesystem::path& partPath() const { return partPath_; }

  private:
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self);
    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self);
    std::size_t writeBody(const char* data, std::size_t size);
    bool startBody();
    void takeValidator(std::string_view line);

    std::filesystem::path partPath_;
    std::string url_;
    std::string range_;
    std::string validator_;    // of the part's first bytes; empty: none known
    std::string newValidator_; // of the response being read
    curl_slist* headers_ = nullptr;
    FetchLimits limits_;
    CURL* easy_ = nullptr;
    std::ofstream file_;
    std::uint64_t offset_ = 0;   // bytes the part held when the request went out
    std::uint64_t written_ = 0;  // bytes of this response written
    std::uint64_t reported_ = 0; // of written_, already counted by takeNewBytes
    long long rangeStart_ = -1;  // from the response's Content-Range
    bool bodyStarted_ = false;
    bool keepBody_ = false;
    Abort abort_ = Abort::None;
    char errorText_[CURL_ERROR_SIZE] = {};
};

} // namespace orolith::download
