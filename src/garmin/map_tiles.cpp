#include "garmin/map_tiles.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <memory>
#include <string_view>

namespace orolith::garmin {

namespace {

struct BlockReader {
    MapBlock block;
    float minLat = std::numeric_limits<float>::max(), minLon = minLat;
    float maxLat = std::numeric_limits<float>::lowest(), maxLon = maxLat;
    int level = -1, endLevel = -1;
    bool open = false;

    void start(std::uint64_t offset) {
        *this = {};
        block.offset = offset;
        open = true;
    }
    void data(std::string_view line) { // "Data0=(lat,lon),(lat,lon)"
        const std::size_t equals = line.find('=');
        if (equals > 4 && line[4] >= '0' && line[4] <= '9')
            level = line[4] - '0';
        for (std::size_t at = line.find('(', equals); at != std::string_view::npos; at = line.find('(', at + 1)) {
            ++block.vertices;
            double lat = 0, lon = 0;
            const char* end = line.data() + line.size();
            const auto first = std::from_chars(line.data() + at + 1, end, lat);
            if (first.ec != std::errc{} || first.ptr == end || *first.ptr != ',')
                continue;
            if (std::from_chars(first.ptr + 1, end, lon).ec != std::errc{})
                continue;
            minLat = std::min(minLat, static_cast<float>(lat));
            maxLat = std::max(maxLat, static_cast<float>(lat));
            minLon = std::min(minLon, static_cast<float>(lon));
            maxLon = std::max(maxLon, static_cast<float>(lon));
        }
    }
    void finish(std::uint64_t end, MapSurvey& survey) {
        open = false;
        block.length = static_cast<std::uint32_t>(end - block.offset);
        block.levels = static_cast<std::uint8_t>(endLevel > level && level >= 0 ? endLevel - level + 1 : 1);
        block.vertices *= block.levels;
        if (minLat <= maxLat) {
            block.lat = (minLat + maxLat) / 2;
            block.lon = (minLon + maxLon) / 2;
            GeoBounds& b = survey.bounds;
            const bool first = survey.vertices == 0;
            b.minLat = first ? minLat : std::min<double>(b.minLat, minLat);
            b.maxLat = first ? maxLat : std::max<double>(b.maxLat, maxLat);
            b.minLon = first ? minLon : std::min<double>(b.minLon, minLon);
            b.maxLon = first ? maxLon : std::max<double>(b.maxLon, maxLon);
            survey.vertices += block.vertices;
        }
        survey.weightedBlocks += block.levels;
        survey.blocks.push_back(block);
    }
};

using Group = std::vector<std::uint32_t>;

bool fits(const MapSurvey& survey, const Group& group, const TileLimits& limits) {
    std::uint64_t blocks = 0, vertices = 0;
    for (std::uint32_t i : group) {
        blocks += survey.blocks[i].levels;
        vertices += survey.blocks[i].vertices;
    }
    return blocks <= limits.blocks && vertices <= limits.vertices;
}

// Halves the group along the longer side of its extent at the point where half of its
// vertices lie on either side, until every part fits.
void bisect(const MapSurvey& survey, Group group, const TileLimits& limits, std::vector<Group>& out) {
    if (group.size() < 2 || fits(survey, group, limits)) {
        std::sort(group.begin(), group.end());
        out.push_back(std::move(group));
        return;
    }
    float minLat = survey.blocks[group[0]].lat, maxLat = minLat;
    float minLon = survey.blocks[group[0]].lon, maxLon = minLon;
    std::uint64_t total = 0;
    for (std::uint32_t i : group) {
        const MapBlock& b = survey.blocks[i];
        minLat = std::min(minLat, b.lat), maxLat = std::max(maxLat, b.lat);
        minLon = std::min(minLon, b.lon), maxLon = std::max(maxLon, b.lon);
        total += b.vertices + 1;
    }
    const bool byLon = maxLon - minLon >= maxLat - minLat;
    std::stable_sort(group.begin(), group.end(), [&](std::uint32_t a, std::uint32_t b) {
        return byLon ? survey.blocks[a].lon < survey.blocks[b].lon : survey.blocks[a].lat < survey.blocks[b].lat;
    });
    std::size_t middle = 0;
    for (std::uint64_t sum = 0; middle + 1 < group.size() && sum * 2 < total; ++middle)
        sum += survey.blocks[group[middle]].vertices + 1;
    middle = std::max<std::size_t>(middle, 1);
    Group upper(group.begin() + static_cast<std::ptrdiff_t>(middle), group.end());
    group.resize(middle);
    bisect(survey, std::move(group), limits, out);
    bisect(survey, std::move(upper), limits, out);
}

std::string headerWithNumber(const std::string& header, std::uint32_t number) {
    const std::size_t at = header.find("\nID = ");
    if (at == std::string::npos)
        return header;
    const std::size_t end = header.find('\r', at + 1);
    return header.substr(0, at + 6) + std::to_string(number) + header.substr(end);
}

} // namespace

bool surveyMap(const std::filesystem::path& map, MapSurvey& survey, std::string& error) {
    survey = {};
    std::ifstream in(map, std::ios::binary);
    if (!in) {
        error = "cannot read the map " + map.string();
        return false;
    }
    BlockReader reader;
    std::uint64_t offset = 0;
    for (std::string line; std::getline(in, line);) {
        const std::uint64_t next = offset + line.size() + (in.eof() ? 0 : 1);
        std::string_view text = line;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (text == "[POLYGON]" || text == "[POLYLINE]") {
            reader.start(offset);
        } else if (reader.open && text.starts_with("Data")) {
            reader.data(text);
        } else if (reader.open && text.starts_with("EndLevel=") && text.size() > 9) {
            reader.endLevel = text[9] - '0';
        } else if (reader.open && text == "[END]") {
            reader.finish(next, survey);
        }
        offset = next;
    }
    if (in.bad()) {
        error = "cannot read the map " + map.string();
        return false;
    }
    if (survey.vertices == 0) {
        error = "the map " + map.string() + " holds no polygon";
        return false;
    }
    in.clear();
    in.seekg(0);
    const std::uint64_t headerSize = survey.blocks.front().offset;
    survey.header.resize(headerSize);
    in.read(survey.header.data(), static_cast<std::streamsize>(headerSize));
    return true;
}

std::vector<std::vector<std::uint32_t>> planTiles(const MapSurvey& survey, const TileLimits& limits) {
    Group all(survey.blocks.size());
    for (std::uint32_t i = 0; i < all.size(); ++i)
        all[i] = i;
    std::vector<Group> tiles;
    bisect(survey, std::move(all), limits, tiles);
    return tiles;
}

bool writeTiles(const std::filesystem::path& map, const MapSurvey& survey,
                const std::vector<std::vector<std::uint32_t>>& tiles, const std::filesystem::path& folder,
                std::uint32_t firstNumber, std::vector<std::filesystem::path>& written, std::string& error) {
    std::vector<std::uint32_t> tileOf(survey.blocks.size());
    std::vector<std::unique_ptr<std::ofstream>> outs;
    written.clear();
    for (std::size_t t = 0; t < tiles.size(); ++t) {
        for (std::uint32_t i : tiles[t])
            tileOf[i] = static_cast<std::uint32_t>(t);
        const auto number = static_cast<std::uint32_t>(firstNumber + t);
        written.push_back(folder / (std::to_string(number) + ".mp"));
        outs.push_back(std::make_unique<std::ofstream>(written.back(), std::ios::binary | std::ios::trunc));
        *outs.back() << headerWithNumber(survey.header, number);
    }
    std::ifstream in(map, std::ios::binary);
    std::string bytes;
    for (std::size_t i = 0; i < survey.blocks.size() && in; ++i) {
        const MapBlock& block = survey.blocks[i];
        bytes.resize(block.length);
        in.seekg(static_cast<std::streamoff>(block.offset));
        in.read(bytes.data(), block.length);
        outs[tileOf[i]]->write(bytes.data(), block.length);
    }
    bool good = static_cast<bool>(in);
    for (auto& out : outs) {
        out->close();
        good = good && !out->fail();
    }
    if (!good)
        error = "cannot write the map tiles into " + folder.string();
    return good;
}

} // namespace orolith::garmin
