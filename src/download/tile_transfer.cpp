#include "download/tile_transfer.h"

#include "core/app/app_info.h"

#include <cctype>
#include <charconv>
#include <mutex>
#include <optional>
#include <string_view>
#include <system_error>

namespace orolith::download {

namespace fs = std::filesystem;

namespace {

void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool startsWithNoCase(std::string_view text, std::string_view head) {
    if (text.size() < head.size())
        return false;
    for (std::size_t i = 0; i < head.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(head[i])))
            return false;
    }
    return true;
}

// "Content-Range: bytes 100-199/200" gives 100; anything else -1.
long long rangeStartOf(std::string_view line) {
    constexpr std::string_view kName = "content-range:";
    if (!startsWithNoCase(line, kName))
        return -1;
    line.remove_prefix(kName.size());
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    if (!startsWithNoCase(line, "bytes "))
        return -1;
    line.remove_prefix(6);
    long long start = -1;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), start);
    return error == std::errc() && end != line.data() + line.size() && *end == '-' ? start : -1;
}

// The value of header `name` (lower case, with its colon) when `line` is that header.
std::optional<std::string> headerValue(std::string_view line, std::string_view name) {
    if (!startsWithNoCase(line, name))
        return std::nullopt;
    line.remove_prefix(name.size());
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' '))
        line.remove_suffix(1);
    return std::string(line);
}

fs::path validatorPath(const fs::path& part) {
    return fs::path(part).concat(".validator");
}

std::string readValidator(const fs::path& part) {
    std::ifstream in(validatorPath(part), std::ios::binary);
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace

void removePart(const fs::path& part) {
    std::error_code error;
    fs::remove(part, error);
    fs::remove(validatorPath(part), error);
}

TileTransfer::TileTransfer(fs::path partPath, const std::string& url, const FetchLimits& limits)
    : partPath_(std::move(partPath)), url_(url), limits_(limits) {
    initialiseCurl();
}

TileTransfer::~TileTransfer() {
    if (easy_)
        curl_easy_cleanup(easy_);
    curl_slist_free_all(headers_);
}

bool TileTransfer::open(std::string& problem) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(partPath_, error);
    offset_ = error ? 0 : size;
    validator_ = offset_ > 0 ? readValidator(partPath_) : std::string();
    if (validator_.empty())
        offset_ = 0; // bytes of unknown origin: started over
    file_.open(partPath_, std::ios::binary | (offset_ > 0 ? std::ios::app : std::ios::trunc));
    if (!file_) {
        problem = "cannot write " + partPath_.string();
        return false;
    }
    easy_ = curl_easy_init();
    if (!easy_) {
        problem = "cannot start a transfer";
        return false;
    }
    static const std::string agent = "orolith-creator/" + std::string(app::kVersionText);
    curl_easy_setopt(easy_, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(easy_, CURLOPT_USERAGENT, agent.c_str());
    curl_easy_setopt(easy_, CURLOPT_PRIVATE, this);
    curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorText_);
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, limits_.maxRedirects);
    curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT, limits_.connectSeconds);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, limits_.stallSeconds);
    curl_easy_setopt(easy_, CURLOPT_TIMEOUT, limits_.totalSeconds);
    curl_easy_setopt(easy_, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits_.maxTileBytes));
    if (offset_ > 0) { // a plain range, not curl's resume: a server that ignores it is handled here
        range_ = std::to_string(offset_) + "-";
        curl_easy_setopt(easy_, CURLOPT_RANGE, range_.c_str());
        // The rest of the same file, or (when it changed) all of the new one.
        headers_ = curl_slist_append(headers_, ("If-Range: " + validator_).c_str());
        curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_);
    }
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &TileTransfer::onHeader);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &TileTransfer::onBody);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    return true;
}

void TileTransfer::close() {
    if (file_.is_open())
        file_.close();
}

long TileTransfer::status() const {
    long code = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &code);
    return code;
}

std::uint64_t TileTransfer::takeNewBytes() {
    const std::uint64_t fresh = written_ - reported_;
    reported_ = written_;
    return fresh;
}

std::optional<std::uint64_t> TileTransfer::bytesToCome() const {
    const long code = status();
    curl_off_t length = -1;
    if ((code != 200 && code != 206) ||
        curl_easy_getinfo(easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK || length < 0)
        return std::nullopt;
    const auto announced = static_cast<std::uint64_t>(length);
    return announced > written_ ? announced - written_ : 0;
}

std::size_t TileTransfer::onHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto* transfer = static_cast<TileTransfer*>(self);
    const std::string_view line(data, size * count);
    if (startsWithNoCase(line, "HTTP/")) { // each response of a redirect chain starts afresh
        transfer->rangeStart_ = -1;
        transfer->newValidator_.clear();
    } else if (const long long start = rangeStartOf(line); start >= 0) {
        transfer->rangeStart_ = start;
    } else {
        transfer->takeValidator(line);
    }
    return size * count;
}

// A strong ETag identifies the file's version; without one, its Last-Modified time does.
void TileTransfer::takeValidator(std::string_view line) {
    if (const auto tag = headerValue(line, "etag:"); tag && !tag->empty() && !tag->starts_with("W/"))
        newValidator_ = *tag;
    else if (const auto time = headerValue(line, "last-modified:"); time && newValidator_.empty())
        newValidator_ = *time;
}

std::size_t TileTransfer::onBody(char* data, std::size_t size, std::size_t count, void* self) {
    return static_cast<TileTransfer*>(self)->writeBody(data, size * count);
}

// At the first bytes of the final response: keep the body only of a 200 or of a 206 that
// continues exactly where the part ends; a 200 to a range request starts the part over.
bool TileTransfer::startBody() {
    bodyStarted_ = true;
    const long code = status();
    if (code == 206) {
        if (rangeStart_ != static_cast<long long>(offset_) ||
            (!newValidator_.empty() && newValidator_ != validator_)) {
            abort_ = Abort::BadRange;
            return false;
        }
        keepBody_ = true;
    } else if (code == 200) {
        keepBody_ = true;
        if (offset_ > 0) {
            file_.close();
            file_.open(partPath_, std::ios::binary | std::ios::trunc);
            offset_ = 0;
        }
        std::error_code error;
        fs::remove(validatorPath(partPath_), error);
        if (!newValidator_.empty()) {
            std::ofstream out(validatorPath(partPath_), std::ios::binary | std::ios::trunc);
            out << newValidator_ << "\r\n";
        }
    }
    return true;
}

std::size_t TileTransfer::writeBody(const char* data, std::size_t size) {
    if (!bodyStarted_ && !startBody())
        return 0;
    if (!keepBody_) {
        abort_ = Abort::ErrorBody; // an error page: the status says enough, the body is not read
        return 0;
    }
    if (offset_ + written_ + size > limits_.maxTileBytes) {
        abort_ = Abort::Oversize;
        return 0;
    }
    file_.write(data, static_cast<std::streamsize>(size));
    if (!file_) {
        abort_ = Abort::WriteError;
        return 0;
    }
    written_ += size;
    return size;
}

} // namespace orolith::download
