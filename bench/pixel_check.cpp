// Checks a band map against the .hgt tile it was made of: every pixel centre with data should
// lie in exactly one polygon of the finest level (even-odd over its block's Data lines), of its
// own band. A polygon type stands for the band most of its pixels have.
//   pixel_check MAP.mp TILE.hgt [INTERVAL [BASE]]
// prints the pixels with data, the share that agrees, and those covered never or twice.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct Tile {
    std::size_t size = 0;
    double west = 0, north = 0; // of the first pixel centre
    std::vector<std::int32_t> bands;
};

bool readTile(const std::string& path, double interval, double base, Tile& tile) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    tile.size = static_cast<std::size_t>(std::llround(std::sqrt(static_cast<double>(bytes.size()) / 2.0)));
    const std::string name = path.substr(path.find_last_of('/') + 1);
    if (tile.size < 2 || tile.size * tile.size * 2 != bytes.size() || name.size() < 7)
        return false;
    const double lat = std::stod(name.substr(1, 2)), lon = std::stod(name.substr(4, 3));
    tile.north = (name[0] == 'S' ? -lat : lat) + 1.0;
    tile.west = name[3] == 'W' ? -lon : lon;
    tile.bands.resize(tile.size * tile.size);
    for (std::size_t i = 0; i < tile.bands.size(); ++i) {
        const auto value = static_cast<std::int16_t>((static_cast<unsigned char>(bytes[2 * i]) << 8) |
                                                     static_cast<unsigned char>(bytes[2 * i + 1]));
        tile.bands[i] = value == -32768 ? INT32_MIN : static_cast<std::int32_t>(std::floor((value - base) / interval));
    }
    return true;
}

using Ring = std::vector<std::pair<double, double>>; // pixel x, y of the centres' grid

// The pixel centres inside the block's rings (even-odd), row by row.
template <class Visit> void fill(const std::vector<Ring>& rings, std::size_t size, Visit visit) {
    std::map<long, std::vector<double>> crossings;
    for (const Ring& ring : rings)
        for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
            auto [x0, y0] = ring[i];
            auto [x1, y1] = ring[i + 1];
            if (y0 == y1)
                continue;
            if (y0 > y1) {
                std::swap(x0, x1);
                std::swap(y0, y1);
            }
            for (long y = static_cast<long>(std::ceil(y0)); static_cast<double>(y) < y1; ++y)
                if (y >= 0 && static_cast<std::size_t>(y) < size)
                    crossings[y].push_back(x0 + (x1 - x0) * (static_cast<double>(y) - y0) / (y1 - y0));
        }
    for (auto& [y, xs] : crossings) {
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
            for (long x = std::max(0L, static_cast<long>(std::ceil(xs[i])));
                 static_cast<double>(x) < xs[i + 1] && x < static_cast<long>(size); ++x)
                visit(static_cast<std::size_t>(y) * size + static_cast<std::size_t>(x));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pixel_check MAP.mp TILE.hgt [INTERVAL [BASE]]\n");
        return 2;
    }
    Tile tile;
    if (!readTile(argv[2], argc > 3 ? std::stod(argv[3]) : 25.0, argc > 4 ? std::stod(argv[4]) : 0.0, tile)) {
        std::fprintf(stderr, "%s is no square .hgt tile named like N46E007.hgt\n", argv[2]);
        return 1;
    }
    const double step = static_cast<double>(tile.size - 1);
    std::vector<std::uint8_t> cover(tile.bands.size(), 0);
    std::vector<std::uint32_t> typeOf(tile.bands.size(), 0);
    std::map<std::uint32_t, std::map<std::int32_t, std::size_t>> votes;
    std::ifstream map(argv[1], std::ios::binary);
    std::string line;
    std::vector<Ring> rings;
    std::uint32_t type = 0;
    char finest = 0;
    while (std::getline(map, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "[POLYGON]") {
            rings.clear();
        } else if (line.rfind("Type=0x", 0) == 0) {
            type = static_cast<std::uint32_t>(std::stoul(line.substr(7), nullptr, 16));
        } else if (line.rfind("Data", 0) == 0 && line.size() > 5) {
            finest = finest == 0 ? line[4] : std::min(finest, line[4]);
            if (line[4] != finest)
                continue;
            Ring& ring = rings.emplace_back();
            for (std::size_t at = line.find('('); at != std::string::npos; at = line.find('(', at + 1)) {
                double lat = 0, lon = 0;
                if (std::sscanf(line.c_str() + at, "(%lf,%lf)", &lat, &lon) == 2)
                    ring.emplace_back((lon - tile.west) * step, (tile.north - lat) * step);
            }
        } else if (line == "[END]" && !rings.empty()) {
            fill(rings, tile.size, [&](std::size_t pixel) {
                cover[pixel] = static_cast<std::uint8_t>(std::min(cover[pixel] + 1, 2));
                typeOf[pixel] = type;
                if (tile.bands[pixel] != INT32_MIN)
                    ++votes[type][tile.bands[pixel]];
            });
            rings.clear();
        }
    }
    std::map<std::uint32_t, std::int32_t> bandOf;
    for (const auto& [t, counts] : votes)
        bandOf[t] = std::max_element(counts.begin(), counts.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; })->first;
    std::size_t data = 0, agree = 0, never = 0, twice = 0;
    for (std::size_t i = 0; i < tile.bands.size(); ++i) {
        if (tile.bands[i] == INT32_MIN)
            continue;
        ++data;
        never += cover[i] == 0;
        twice += cover[i] == 2;
        agree += cover[i] == 1 && bandOf[typeOf[i]] == tile.bands[i];
    }
    std::printf("pixels %zu, agree %.3f %%, uncovered %zu, covered twice %zu\n", data,
                100.0 * static_cast<double>(agree) / static_cast<double>(std::max<std::size_t>(data, 1)), never,
                twice);
    return 0;
}
