#include "core/conversion/map_writer.h"

#include <algorithm>
#include <cstring>

namespace orolith {

namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 20;
// Buffers handed over and not yet written: enough for the disk and the conversion to keep
// going side by side while one of them is slower for a moment.
constexpr std::size_t kMaxPending = 16;

constexpr std::string_view kHeaderLines[] = {
    "[IMG ID]",        "ID = 84887331",       "Name=",           "Preprocess = f", "TreSize = 586",
    "TreMargin = 0#",  "RgnLimit = 127",      "Transparent = Y", "POIIndex = Y",   "POINumberFirst = Y",
    "POIZipFirst = N", "Copyright = PROGRAM", "Levels = 6",      "Level0 = 24",    "Level1 = 22",
    "Level2 = 20",     "Level3 = 18",         "Level4 = 16",     "Level5 = 15",    "Zoom0 = 0",
    "Zoom1 = 1",       "Zoom2 = 2",           "Zoom3 = 3",       "Zoom4 = 4",      "Zoom5 = 5",
    "[END-IMG ID]",
};

} // namespace

std::string mapHeader(std::string_view copyright) {
    std::string header;
    for (std::string_view line : kHeaderLines) {
        if (line.rfind("Copyright = ", 0) == 0 && !copyright.empty()) {
            std::string value(copyright);
            std::replace_if(value.begin(), value.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
            header.append("Copyright = ").append(value).append("\r\n");
            continue;
        }
        header.append(line).append("\r\n");
    }
    header.append("\r\n");
    return header;
}

// Every "(," of the vertex text becomes "(", scanning left to right without looking at the
// result again. Only an empty latitude, one starting with "," or a field holding "(" can
// give one.
bool appendVertex(std::string& vertices, std::string_view latitude, std::string_view longitude) {
    if (!vertices.empty())
        vertices += ',';
    std::string text = "(";
    text.append(latitude).append(",").append(longitude).append(")");
    std::size_t from = 0;
    for (std::size_t at = text.find("(,"); at != std::string::npos; at = text.find("(,", from)) {
        vertices.append(text, from, at + 1 - from);
        from = at + 2;
    }
    vertices.append(text, from);
    return from == 0;
}

MapWriter::MapWriter(std::filesystem::path path, ExistingTarget existing) : file_(std::move(path), existing) {
    buffer_.reserve(kFlushSize + (kFlushSize >> 2));
}

MapWriter::~MapWriter() {
    stopWriting();
}

bool MapWriter::open(std::string_view copyright) {
    if (!file_.open()) {
        fail(file_.error());
        return false;
    }
    file_.expectLarge();
    buffer_ = mapHeader(copyright);
    thread_ = std::thread(&MapWriter::writeLoop, this);
    return true;
}

void MapWriter::fail(const std::string& error) {
    if (!good())
        return;
    error_ = error;
    failed_.store(true, std::memory_order_release);
}

char endLevelOf(std::string_view levelDigits, std::size_t index) {
    if (index + 1 >= levelDigits.size() || levelDigits[index + 1] - levelDigits[index] < 2)
        return 0;
    return static_cast<char>(levelDigits[index + 1] - 1);
}

void MapWriter::block(std::string_view kind, std::string_view type, char level, char endLevel,
                      std::string_view vertices, std::string_view label) {
    buffer_.append("[").append(kind).append("]\r\nType=0x").append(type);
    if (!label.empty())
        buffer_.append("\r\nLabel=").append(label);
    if (endLevel != 0)
        buffer_.append("\r\nEndLevel=").push_back(endLevel);
    buffer_.append("\r\nData");
    buffer_ += level;
    buffer_ += '=';
    buffer_.append(vertices).append("\r\n[END]\r\n");
}

void MapWriter::polygon(std::string_view type, std::string_view levelDigits, std::string_view vertices,
                        bool contour) {
    if (!good() || levelDigits.empty())
        return;
    for (std::size_t i = 0; i < levelDigits.size(); ++i) {
        block("POLYGON", type, levelDigits[i], endLevelOf(levelDigits, i), vertices);
        if (contour)
            block("POLYLINE", type, levelDigits[i], endLevelOf(levelDigits, i), vertices);
    }
    if (buffer_.size() >= kFlushSize)
        flush();
}

void MapWriter::declareElevationInMetres() {
    const std::size_t end = buffer_.find("[END-IMG ID]");
    if (end != std::string::npos)
        buffer_.insert(end, "Elevation=M\r\n");
}

void MapWriter::labelledLine(std::string_view type, std::string_view label, char level, char endLevel,
                             std::string_view vertices) {
    if (!good())
        return;
    block("POLYLINE", type, level, endLevel, vertices, label);
    if (buffer_.size() >= kFlushSize)
        flush();
}

void MapWriter::bandPolygon(std::string_view type, std::string_view levelDigits,
                            const std::vector<std::string>& rings, bool contour) {
    if (!good() || levelDigits.empty() || rings.empty())
        return;
    for (std::size_t i = 0; i < levelDigits.size(); ++i) {
        const char endLevel = endLevelOf(levelDigits, i);
        buffer_.append("[POLYGON]\r\nType=0x").append(type);
        if (endLevel != 0)
            buffer_.append("\r\nEndLevel=").push_back(endLevel);
        for (const std::string& ring : rings) {
            buffer_.append("\r\nData");
            buffer_ += levelDigits[i];
            buffer_.append("=").append(ring);
        }
        buffer_.append("\r\n[END]\r\n");
        if (contour)
            for (const std::string& ring : rings)
                block("POLYLINE", type, levelDigits[i], endLevel, ring);
    }
    if (buffer_.size() >= kFlushSize)
        flush();
}

void MapWriter::polygonAcrossLevels(std::string_view type, std::string_view levelDigits,
                                    const std::vector<std::string>& rings, const std::vector<std::string>& contours) {
    if (!good() || levelDigits.empty() || rings.empty())
        return;
    const char endLevel = levelDigits.size() > 1 ? levelDigits.back() : 0;
    buffer_.append("[POLYGON]\r\nType=0x").append(type);
    if (endLevel != 0)
        buffer_.append("\r\nEndLevel=").push_back(endLevel);
    for (const std::string& ring : rings) {
        buffer_.append("\r\nData");
        buffer_ += levelDigits.front();
        buffer_.append("=").append(ring);
    }
    buffer_.append("\r\n[END]\r\n");
    // The outlines as lines over the same levels as the polygon.
    for (const std::string& ring : contours)
        block("POLYLINE", type, levelDigits.front(), endLevel, ring);
    if (buffer_.size() >= kFlushSize)
        flush();
}

void MapWriter::flush() {
    if (!thread_.joinable()) {
        buffer_.clear();
        return;
    }
    std::string next;
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return pending_.size() < kMaxPending; });
        pending_.push_back(std::move(buffer_));
        if (!spare_.empty()) {
            next = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    changed_.notify_all();
    buffer_ = std::move(next);
    buffer_.clear();
    buffer_.reserve(kFlushSize + (kFlushSize >> 2));
}

void MapWriter::writeLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !pending_.empty() || stopping_; });
        if (pending_.empty())
            return;
        lock.unlock();
        write(pending_.front());
        lock.lock();
        spare_.push_back(std::move(pending_.front()));
        pending_.pop_front();
        changed_.notify_all();
    }
}

void MapWriter::write(const std::string& bytes) {
    if (!good() || bytes.empty())
        return;
    if (!file_.write(bytes))
        fail(file_.error());
}

void MapWriter::stopWriting() {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool MapWriter::commit() {
    if (!thread_.joinable() && good())
        fail(file_.error().empty() ? "the map was not opened" : file_.error());
    flush();
    stopWriting();
    if (good() && !file_.commit())
        fail(file_.error());
    if (!good())
        file_.abandon();
    return good();
}

void MapWriter::abandon() {
    stopWriting();
    buffer_.clear();
    file_.abandon();
}

} // namespace orolith
