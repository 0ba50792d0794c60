#include "core/conversion/vertex_list.h"

#include "core/conversion/map_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__) || defined(_M_X64)
// Where the 32 bytes at `text` hold the bytes that shape a line: bit i for text[i].
struct ByteMasks {
    std::uint32_t space, carriageReturn, lineFeed, parenthesis;

    explicit ByteMasks(const char* text) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + 16));
        auto mask = [&](char c) {
            const __m128i wanted = _mm_set1_epi8(c);
            return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(low, wanted))) |
                   static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(high, wanted))) << 16;
        };
        space = mask(' ');
        carriageReturn = mask('\r');
        lineFeed = mask('\n');
        parenthesis = mask('(');
    }
};
#endif

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

// A vertex line's vertex goes to the list as "(" field 2 "," field 1 ")". Each line is read
// once: lines of the usual shape in a few word-wide steps, any other byte by byte.
VertexList::RunCounts VertexList::addLines(std::string_view lines) {
    RunCounts counts;
    assert(lines.size() >= 2 && lines.substr(lines.size() - 2) == "\r\n");
    // A line of n bytes gives at most n bytes of list: its CR LF and two spaces make room
    // for the brackets and the two commas.
    reserve(lines.size() + kListSlack);
    const char* p = lines.data();
    const char* const end = p + lines.size();
    while (p < end) {
        const char* next = end - p >= kUsualLineReach ? addUsualLine(p) : nullptr;
        if (next != nullptr)
            ++counts.lines;
        else
            next = addAnyLine(p, counts);
        p = next;
    }
    return counts;
}

// The usual line, " " longitude " " latitude CR LF in at most 32 bytes, neither field
// holding "(" and the latitude neither empty nor starting with ",": its vertex is added and
// the next line's start returned. Anything else gives nullptr and adds nothing. Reads at
// most kUsualLineReach bytes from `line` and writes at most kListSlack bytes past the
// vertex text.
const char* VertexList::addUsualLine(const char* line) {
#if defined(__SSE2__) || defined(_M_X64)
    const ByteMasks masks(line);
    const std::uint32_t stops = masks.space | masks.carriageReturn | masks.parenthesis;
    if ((masks.space & 1u) == 0)
        return nullptr;
    const std::uint32_t afterFirst = stops & ~1u;
    const int longitudeEnd = std::countr_zero(afterFirst); // 32 when there is no stop
    if (longitudeEnd >= 31 || ((masks.space >> longitudeEnd) & 1u) == 0)
        return nullptr;
    const int latitudeEnd = std::countr_zero(afterFirst & (afterFirst - 1));
    if (latitudeEnd >= 31 || latitudeEnd == longitudeEnd + 1 ||
        ((masks.carriageReturn >> latitudeEnd) & 1u) == 0 ||
        ((masks.lineFeed >> (latitudeEnd + 1)) & 1u) == 0 || line[longitudeEnd + 1] == ',')
        return nullptr;
    const char* const longitude = line + 1;
    const char* const latitude = line + longitudeEnd + 1;
    const auto longitudeSize = static_cast<std::size_t>(longitudeEnd - 1);
    const auto latitudeSize = static_cast<std::size_t>(latitudeEnd - longitudeEnd - 1);
    char* out = data_.get() + size_;
    if (size_ != 0)
        *out++ = ',';
    *out++ = '(';
    const auto start = static_cast<std::size_t>(out - data_.get());
    std::memcpy(out, latitude, 32); // fixed size: a few moves, no call; the excess is overwritten
    out += latitudeSize;
    *out++ = ',';
    std::memcpy(out, longitude, 32);
    out += longitudeSize;
    *out++ = ')';
    size_ = static_cast<std::size_t>(out - data_.get());
    const std::size_t length = latitudeSize + 1 + longitudeSize;
    if (count_++ == 0)
        first_ = {true, start, length, {}};
    last_.inList = true;
    last_.start = start;
    last_.length = length;
    return line + latitudeEnd + 2;
#else
    (void)line;
    return nullptr;
#endif
}

// Any line: the spaces that bound its first three fields, a "(" in the fields 1 and 2, and
// the CR LF that ends it, in one pass. Returns the next line's start.
const char* VertexList::addAnyLine(const char* p, RunCounts& counts) {
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
    ++counts.lines;
    if (found < 2) {
        if (counts.shortLines++ == 0)
            counts.firstShortLine = counts.lines - 1;
        return lineEnd + 2;
    }
    const char* const longitude = spaces[0] + 1;
    const char* const latitude = spaces[1] + 1;
    const char* const latitudeEnd = found == 3 ? spaces[2] : lineEnd;
    const auto latitudeSize = static_cast<std::size_t>(latitudeEnd - latitude);
    const auto longitudeSize = static_cast<std::size_t>(spaces[1] - longitude);
    if (!parenthesis && latitudeSize > 0 && *latitude != ',')
        addPlain(latitude, latitudeSize, longitude, longitudeSize);
    else
        addChanged({latitude, latitudeSize}, {longitude, longitudeSize});
    return lineEnd + 2;
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
