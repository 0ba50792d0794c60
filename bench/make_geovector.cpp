// Writes synthetic Geo Vector text: elevation-band rings around hills, as a GIS export
// would give them. Deterministic: the same arguments always give the same bytes.
//
//   make_geovector OUTPUT SIZE_MB DISTINCT   large input of about SIZE_MB megabytes with
//                                            DISTINCT elevations, rings of 10 to 2000 vertices
//   make_geovector --sample OUTPUT           the small bundled sample

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double between(double low, double high) { return low + (high - low) * uniform(); }
    int below(int limit) { return static_cast<int>(next() % static_cast<std::uint64_t>(limit)); }

  private:
    std::uint64_t state_;
};

constexpr double kPi = 3.14159265358979323846;

class Output {
  public:
    explicit Output(std::FILE* file) : file_(file) { buffer_.reserve(kChunk + 4096); }
    ~Output() { flush(); }
    void text(std::string_view bytes) {
        buffer_.append(bytes);
        if (buffer_.size() >= kChunk)
            flush();
    }
    void number(double value) {
        char digits[64];
        const auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 6);
        buffer_.append(digits, result.ptr);
    }
    void integer(long long value) {
        char digits[32];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        buffer_.append(digits, result.ptr);
    }
    std::uint64_t written() const { return written_ + buffer_.size(); }
    void flush() {
        written_ += std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
        buffer_.clear();
    }

  private:
    static constexpr std::size_t kChunk = std::size_t{1} << 20;
    std::FILE* file_;
    std::string buffer_;
    std::uint64_t written_ = 0;
};

struct Ring {
    double longitude, latitude; // centre
    double radius;              // degrees of latitude
    int vertices;
    double gap; // 0: closed; else the share of the circle left open
};

void writeRing(Output& out, Random& random, long long id, long long elevation, const Ring& ring) {
    out.text("L ");
    out.integer(id);
    out.text(" ");
    out.integer(elevation);
    out.text(".0\r\n");
    const double stretch = 1.0 / std::cos(ring.latitude * kPi / 180.0);
    const double sweep = 2 * kPi * (1.0 - ring.gap);
    const int count = ring.gap > 0 ? ring.vertices : ring.vertices - 1;
    double firstLongitude = 0, firstLatitude = 0;
    for (int i = 0; i < count; ++i) {
        const double angle = sweep * i / (ring.gap > 0 ? count - 1 : count);
        const double wobble = 1.0 + 0.08 * std::sin(5 * angle) + random.between(-0.02, 0.02);
        const double longitude = ring.longitude + std::cos(angle) * ring.radius * wobble * stretch;
        const double latitude = ring.latitude + std::sin(angle) * ring.radius * wobble;
        if (i == 0) {
            firstLongitude = longitude;
            firstLatitude = latitude;
        }
        out.text(" ");
        out.number(longitude);
        out.text(" ");
        out.number(latitude);
        out.text("\r\n");
    }
    if (ring.gap == 0) { // closed: the first vertex again
        out.text(" ");
        out.number(firstLongitude);
        out.text(" ");
        out.number(firstLatitude);
        out.text("\r\n");
    }
}

void preamble(Output& out) {
    out.text("Geo Vector export: elevation bands\r\n");
    out.text("Units: decimal degrees (WGS84), elevation in metres\r\n");
}

// A few hills with nested bands every 100 m; the lowest bands of the big hill run off the
// edge of the data and stay open, two of them by more than 45 km.
void writeSample(Output& out) {
    Random random(7);
    preamble(out);
    struct Hill {
        double longitude, latitude;
        int top;
        double base;
    };
    const Hill hills[] = {{7.42, 46.31, 2500, 0.60}, {7.95, 46.55, 1700, 0.30}, {6.88, 46.12, 1200, 0.22}};
    long long id = 1;
    for (const Hill& hill : hills) {
        for (int elevation = 100; elevation <= hill.top; elevation += 100) {
            const double share = 1.0 - static_cast<double>(elevation - 100) / hill.top;
            Ring ring{hill.longitude, hill.latitude, hill.base * share + 0.01, 12 + random.below(18), 0.0};
            if (&hill == &hills[0] && elevation <= 300)
                ring.gap = elevation <= 200 ? 0.12 : 0.01;
            writeRing(out, random, id++, elevation, ring);
        }
    }
}

void writeLarge(Output& out, double megabytes, int distinct) {
    Random random(20260601);
    preamble(out);
    const auto target = static_cast<std::uint64_t>(megabytes * 1e6);
    long long id = 1;
    while (out.written() < target) {
        Ring ring{random.between(-10.0, 30.0), random.between(35.0, 60.0), random.between(0.005, 0.4), 0,
                  0.0};
        // Mostly small rings, a few long ones: 10 .. 2000 vertices.
        const double u = random.uniform();
        ring.vertices = 10 + static_cast<int>(1990 * u * u * u);
        if (random.below(20) == 0)
            ring.gap = random.between(0.001, 0.3);
        writeRing(out, random, id++, 20 + 10LL * random.below(distinct), ring);
    }
}

} // namespace

int main(int argc, char** argv) {
    const bool sample = argc == 3 && std::string(argv[1]) == "--sample";
    if (!sample && argc != 4) {
        std::fprintf(stderr,
                     "usage: make_geovector OUTPUT SIZE_MB DISTINCT | make_geovector --sample OUTPUT\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[sample ? 2 : 1], "wb");
    if (file == nullptr) {
        std::perror(argv[sample ? 2 : 1]);
        return 1;
    }
    {
        Output out(file);
        if (sample)
            writeSample(out);
        else
            writeLarge(out, std::atof(argv[2]), std::max(1, std::atoi(argv[3])));
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
