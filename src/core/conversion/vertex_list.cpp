#include "core/conversion/vertex_list.h"

#include "core/conversion/map_writer.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>

namespace orolith {

namespace {

// The bytes the line scan stops at: a field ends at " ", a line at "\r" (when "\n" follows),
// and a "(" in the fields 1 and 2 makes the vertex text need a closer look.
constexpr std::array<bool, 256> kStops = [] {
    std::array<bool, 256> stops{};
    stops[static_cast<unsigned char>(' ')] = true;
    stops[static_cast<unsigned char>('\r')] = true;
    stops[static_cast<unsigned char>('(')] = true;
    return stops;
}();

constexpr std::size_t kInitialCapacity = std::size_t{64} << 10;

} // namespace

void VertexList::clear() {
    size_ = 0;
    count_ = 0;
}

void VertexList::reserve(std::size_t more) {
    if (capacity_ - size_ >= more)
        return;
    const std::size_t capacity = std::max({capacity_ * 2, size_ + more, kInitialCapacity});
    // Plain new: the bytes are written before they are read, so they are not cleared first.
    std::unique_ptr<char[]> data(new char[capacity]);
    if (size_ > 0)
        std::memcpy(data.get(), data_.get(), size_);
    data_ = std::move(data);
    capacity_ = capacity;
}

// A vertex line's vertex goes to the list as "(" field 2 "," field 1 ")", so each line is
// scanned once for the spaces that bound its first three fields and for the CR LF that ends
// it; the rest of the line after the third space is only looked at for that CR LF.
VertexList::RunCounts VertexList::addLines(std::string_view lines) {
    RunCounts counts;
    assert(lines.size() >= 2 && lines.substr(lines.size() - 2) == "\r\n");
    // A line of n bytes gives at most n bytes of list: its CR LF and two spaces make room
    // for the brackets and the two commas.
    reserve(lines.size());
    const char* p = lines.data();
    const char* const end = p + lines.size();
    while (p < end) {
        const char* spaces[3] = {nullptr, nullptr, nullptr};
        int found = 0;
        bool parenthesis = false;
        for (;;) {
            while (!kStops[static_cast<unsigned char>(*p)]) // the run ends in "\r\n": no bound check
                ++p;
            if (*p == ' ') {
                if (found < 3)
                    spaces[found++] = p;
            } else if (*p == '\r') {
                if (p[1] == '\n')
                    break;
            } else {
                parenthesis |= found == 1 || found == 2;
            }
            ++p;
        }
        const char* const lineEnd = p;
        p += 2;
        ++counts.lines;
        if (found < 2) {
            if (counts.shortLines++ == 0)
                counts.firstShortLine = counts.lines - 1;
            continue;
        }
        const char* const longitude = spaces[0] + 1;
        const char* const latitude = spaces[1] + 1;
        const char* const latitudeEnd = found == 3 ? spaces[2] : lineEnd;
        if (!parenthesis && latitude != latitudeEnd && *latitude != ',')
            addPlain(latitude, static_cast<std::size_t>(latitudeEnd - latitude), longitude,
                     static_cast<std::size_t>(spaces[1] - longitude));
        else
            addChanged({latitude, static_cast<std::size_t>(latitudeEnd - latitude)},
                       {longitude, static_cast<std::size_t>(spaces[1] - longitude)});
    }
    return counts;
}

void VertexList::add(std::string_view latitude, std::string_view longitude) {
    reserve(latitude.size() + longitude.size() + 4);
    if (latitude.find('(') == std::string_view::npos && longitude.find('(') == std::string_view::npos &&
        !latitude.empty() && latitude.front() != ',')
        addPlain(latitude.data(), latitude.size(), longitude.data(), longitude.size());
    else
        addChanged(latitude, longitude);
}

// The common case: the vertex text goes in as it is, "(" latitude "," longitude ")".
void VertexList::addPlain(const char* latitude, std::size_t latitudeSize, const char* longitude,
                          std::size_t longitudeSize) {
    char* const begin = data_.get() + size_;
    char* out = begin;
    if (size_ != 0)
        *out++ = ',';
    *out++ = '(';
    const std::size_t start = static_cast<std::size_t>(out - data_.get());
    std::memcpy(out, latitude, latitudeSize);
    out += latitudeSize;
    *out++ = ',';
    std::memcpy(out, longitude, longitudeSize);
    out += longitudeSize;
    *out++ = ')';
    size_ += static_cast<std::size_t>(out - begin);
    const std::size_t length = latitudeSize + 1 + longitudeSize;
    if (count_++ == 0) {
        first_.inList = true;
        first_.start = start;
        first_.length = length;
    }
    last_.inList = true;
    last_.start = start;
    last_.length = length;
}

// Rare: a field holds "(" or the latitude is empty or starts with ",". The vertex text is
// written by the map writer's rule, which may change it; the ends then keep a copy.
void VertexList::addChanged(std::string_view latitude, std::string_view longitude) {
    std::string text;
    const bool unchanged = appendVertex(text, latitude, longitude);
    if (size_ != 0)
        data_[size_++] = ',';
    const std::size_t start = size_ + 1;
    std::memcpy(data_.get() + size_, text.data(), text.size()); // never longer than the plain text
    size_ += text.size();
    if (count_++ == 0)
        noteEnd(first_, unchanged, start, latitude, longitude);
    noteEnd(last_, unchanged, start, latitude, longitude);
}

void VertexList::noteEnd(End& end, bool inList, std::size_t start, std::string_view latitude,
                         std::string_view longitude) {
    end.inList = inList;
    end.start = start;
    end.length = latitude.size() + 1 + longitude.size();
    if (!inList)
        end.copy.assign(latitude).append(",").append(longitude);
}

std::string_view VertexList::pointOf(const End& end) const {
    return end.inList ? std::string_view(data_.get() + end.start, end.length) : std::string_view(end.copy);
}

} // namespace orolith
