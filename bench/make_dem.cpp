// Writes synthetic SRTM tiles: fractal terrain of 0 to 2500 m with about 3 m of noise (none
// with --smooth), as big-endian 16-bit .hgt files of 1201² or 3601² heights. Heights are a function of the
// global position, so neighbouring tiles share their edge rows and columns exactly.
//   make_dem SIZE LAT LON COUNT_LAT COUNT_LON FOLDER [--voids] [--smooth]
// writes COUNT_LAT × COUNT_LON tiles from the cell LAT/LON north- and eastwards.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::uint64_t mix(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

// A random value in 0..1 for a lattice point of an octave.
double lattice(std::int64_t x, std::int64_t y, int octave) {
    const std::uint64_t h = mix(static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^
                                mix(static_cast<std::uint64_t>(y) + static_cast<std::uint64_t>(octave) * 7919));
    return static_cast<double>(h >> 11) / 9007199254740992.0;
}

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

double valueNoise(double x, double y, int octave) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const double a = lattice(ix, iy, octave), b = lattice(ix + 1, iy, octave);
    const double c = lattice(ix, iy + 1, octave), d = lattice(ix + 1, iy + 1, octave);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Height in metres at a global position in degrees.
double height(double lon, double lat, std::int64_t gx, std::int64_t gy, bool noisy) {
    double sum = 0.0, amplitude = 1.0, frequency = 6.0, total = 0.0;
    for (int octave = 0; octave < 9; ++octave) {
        sum += amplitude * valueNoise(lon * frequency, lat * frequency, octave);
        total += amplitude;
        amplitude *= 0.5;
        frequency *= 2.0;
    }
    const double terrain = std::pow(sum / total, 1.6) * 2500.0 / 0.65;
    const double noise = noisy ? (lattice(gx, gy, 99) - 0.5) * 6.0 : 0.0; // about ±3 m
    return std::fmax(0.0, std::fmin(2500.0, terrain + noise));
}

std::string tileName(int lat, int lon) {
    char name[32];
    std::snprintf(name, sizeof name, "%c%02d%c%03d.hgt", lat >= 0 ? 'N' : 'S', std::abs(lat), lon >= 0 ? 'E' : 'W',
                  std::abs(lon));
    return name;
}

bool writeTile(int size, int lat, int lon, const std::string& folder, bool voids, bool noisy) {
    const int steps = size - 1;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 2);
    std::size_t at = 0;
    for (int row = 0; row < size; ++row) {
        const std::int64_t gy = static_cast<std::int64_t>(lat + 1) * steps - row;
        for (int col = 0; col < size; ++col) {
            const std::int64_t gx = static_cast<std::int64_t>(lon) * steps + col;
            const double y = static_cast<double>(gy) / steps, x = static_cast<double>(gx) / steps;
            double h = height(x, y, gx, gy, noisy);
            // Voids: a few blobs where the noise of a coarse octave is high.
            if (voids && valueNoise(x * 40.0, y * 40.0, 50) > 0.93)
                h = -32768.0;
            const auto value = static_cast<std::int16_t>(std::lround(h));
            bytes[at++] = static_cast<unsigned char>((static_cast<std::uint16_t>(value) >> 8) & 0xFF);
            bytes[at++] = static_cast<unsigned char>(static_cast<std::uint16_t>(value) & 0xFF);
        }
    }
    std::ofstream out(folder + "/" + tileName(lat, lon), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 7) {
        std::fprintf(stderr, "usage: make_dem SIZE LAT LON COUNT_LAT COUNT_LON FOLDER [--voids] [--smooth]\n");
        return 2;
    }
    const int size = std::atoi(argv[1]);
    if (size != 1201 && size != 3601) {
        std::fprintf(stderr, "make_dem: SIZE is 1201 or 3601\n");
        return 2;
    }
    const int lat = std::atoi(argv[2]), lon = std::atoi(argv[3]);
    const int countLat = std::atoi(argv[4]), countLon = std::atoi(argv[5]);
    bool voids = false, noisy = true;
    for (int i = 7; i < argc; ++i) {
        voids = voids || std::string(argv[i]) == "--voids";
        noisy = noisy && std::string(argv[i]) != "--smooth";
    }
    for (int i = 0; i < countLat; ++i)
        for (int j = 0; j < countLon; ++j)
            if (!writeTile(size, lat + i, lon + j, argv[6], voids, noisy)) {
                std::fprintf(stderr, "make_dem: cannot write into %s\n", argv[6]);
                return 1;
            }
    return 0;
}
