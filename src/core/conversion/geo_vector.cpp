#include "core/conversion/geo_vector.h"

#include "core/platform/atomic_file.h"
#include "core/platform/file_open.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace orolith {

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
// How far a mapped file's reader moves on before it hands back the pages behind it.
constexpr std::size_t kReleaseStep = std::size_t{8} << 20;

} // namespace

GeoVectorReader::~GeoVectorReader() {
    if (file_ != nullptr)
        std::fclose(file_);
}

bool GeoVectorReader::open(const std::filesystem::path& path) {
    mapped_.unmap();
    if (file_ != nullptr)
        std::fclose(file_);
    errno = 0;
    file_ = openFile(path, "rb");
    if (file_ == nullptr) {
        error_ = systemErrorText(errno != 0 ? errno : ENOENT);
        return false;
    }
    if (mapped_.map(file_, mapFrom_)) {
        buffer_ = {};
    } else {
        buffer_.assign(std::max<std::size_t>(blockSize_, 4), '\0');
        data_ = buffer_.data();
    }
    return rewind();
}

bool GeoVectorReader::rewind() {
    if (file_ == nullptr)
        return false;
    std::clearerr(file_);
    if (!mapped_.mapped() && std::fseek(file_, 0, SEEK_SET) != 0) {
        error_ = systemErrorText(errno != 0 ? errno : EIO);
        return false;
    }
    begin_ = end_ = 0;
    finished_ = atHead_ = eof_ = false;
    releaseAt_ = kNone;
    if (mapped_.mapped()) { // read whole from the start
        data_ = mapped_.data();
        end_ = mapped_.size();
        eof_ = true;
        releaseAt_ = kReleaseStep;
    }
    lastCut_ = Cut::FileStart;
    separatorAt_ = lineBreakAt_ = kNone;
    separatorSearched_ = lineBreakSearched_ = 0;
    consumedBefore_ = 0;
    error_.clear();
    return true;
}

// Moves the unread bytes to the front and reads more behind them; the buffer doubles when
// one piece fills it. False at the end of the file or on a read failure.
bool GeoVectorReader::refill() {
    if (eof_ || file_ == nullptr)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        auto shift = [this](std::size_t& at) { at = at != kNone && at >= begin_ ? at - begin_ : kNone; };
        shift(separatorAt_);
        shift(lineBreakAt_);
        separatorSearched_ = separatorSearched_ > begin_ ? separatorSearched_ - begin_ : 0;
        lineBreakSearched_ = lineBreakSearched_ > begin_ ? lineBreakSearched_ - begin_ : 0;
        consumedBefore_ += begin_;
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) {
        buffer_.resize(buffer_.size() * 2);
        data_ = buffer_.data();
    }
    errno = 0;
    const std::size_t count = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
    end_ += count;
    if (count == 0) {
        if (std::ferror(file_) != 0)
            error_ = systemErrorText(errno != 0 ? errno : EIO);
        eof_ = true;
        return false;
    }
    return true;
}

// Position of the next "L " at or after begin_, or kNone when the bytes read so far hold
// none (an "L" in the last byte is undecided until more is read).
std::size_t GeoVectorReader::findSeparator() {
    if (separatorAt_ != kNone && separatorAt_ >= begin_)
        return separatorAt_;
    separatorAt_ = kNone;
    const char* data = data_;
    std::size_t from = std::max(begin_, separatorSearched_);
    while (from < end_) {
        const void* hit = std::memchr(data + from, 'L', end_ - from);
        if (hit == nullptr) {
            from = end_;
            break;
        }
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (at + 1 >= end_) {
            from = eof_ ? end_ : at;
            break;
        }
        if (data[at + 1] == ' ') {
            separatorAt_ = separatorSearched_ = at;
            return at;
        }
        from = at + 1;
    }
    separatorSearched_ = from;
    return kNone;
}

// Position of the CR of the next CR LF at or after begin_, or kNone.
std::size_t GeoVectorReader::findLineBreak() {
    if (lineBreakAt_ != kNone && lineBreakAt_ >= begin_)
        return lineBreakAt_;
    lineBreakAt_ = kNone;
    const char* data = data_;
    std::size_t from = std::max(begin_, lineBreakSearched_);
    while (from < end_) {
        const void* hit = std::memchr(data + from, '\n', end_ - from);
        if (hit == nullptr) {
            from = end_;
            break;
        }
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (at > begin_ && data[at - 1] == '\r') {
            lineBreakAt_ = lineBreakSearched_ = at - 1;
            return at - 1;
        }
        from = at + 1;
    }
    lineBreakSearched_ = from;
    return kNone;
}

// Hands the pages of a mapped file behind the reader back, a step at a time.
void GeoVectorReader::releaseBehind() {
    mapped_.release(begin_);
    releaseAt_ = begin_ + kReleaseStep;
}

bool GeoVectorReader::next(Piece& piece) {
    if (finished_)
        return false;
    if (begin_ >= releaseAt_)
        releaseBehind();
    for (;;) {
        const std::size_t separator = findSeparator();
        const std::size_t lineBreak = findLineBreak();
        const std::size_t at = std::min(separator, lineBreak);
        if (at != kNone) {
            const Cut cut = at == separator ? Cut::Record : Cut::Line;
            piece = {std::string_view(data_ + begin_, at - begin_), lastCut_, cut};
            lastCut_ = cut;
            atHead_ = cut == Cut::Record;
            begin_ = at + 2;
            return true;
        }
        if (!refill()) {
            finished_ = true;
            if (!error_.empty())
                return false;
            piece = {std::string_view(data_ + begin_, end_ - begin_), lastCut_, Cut::FileEnd};
            atHead_ = false;
            begin_ = end_;
            return true;
        }
    }
}

bool GeoVectorReader::nextLines(std::string_view& lines) {
    if (finished_ || lastCut_ != Cut::Line)
        return false;
    const std::size_t separator = findSeparator();
    const char* data = data_;
    // Back from the next "L " (just after a CR LF in a well-formed file) or from the end of
    // the bytes read (less than a line away from one) to the last CR LF.
    std::size_t at = separator == kNone ? end_ : separator;
    while (at >= begin_ + 2 && !(data[at - 1] == '\n' && data[at - 2] == '\r'))
        --at;
    if (at < begin_ + 2)
        return false;
    lines = std::string_view(data + begin_, at - begin_);
    begin_ = at;
    atHead_ = false;
    return true;
}

bool GeoVectorReader::skipToRecord() {
    if (atHead_)
        return true;
    if (finished_)
        return false;
    if (begin_ >= releaseAt_)
        releaseBehind();
    for (;;) {
        const std::size_t separator = findSeparator();
        if (separator != kNone) {
            begin_ = separator + 2;
            lastCut_ = Cut::Record;
            atHead_ = true;
            return true;
        }
        begin_ = std::max(begin_, separatorSearched_);
        if (!refill()) {
            finished_ = true;
            begin_ = end_;
            return false;
        }
    }
}

std::string_view elevationTextOf(std::string_view headLine) {
    const std::size_t space = headLine.find(' ');
    std::string_view text = space == std::string_view::npos ? headLine : headLine.substr(space + 1);
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? text : text.substr(0, point);
}

bool vertexFields(std::string_view line, std::string_view& longitude, std::string_view& latitude) {
    std::size_t spaces[3] = {0, 0, line.size()};
    int found = 0;
    for (std::size_t i = 0; i < line.size() && found < 3; ++i)
        if (line[i] == ' ')
            spaces[found++] = i;
    if (found < 2)
        return false;
    longitude = line.substr(spaces[0] + 1, spaces[1] - spaces[0] - 1);
    latitude = line.substr(spaces[1] + 1, spaces[2] - spaces[1] - 1);
    return true;
}

} // namespace orolith
