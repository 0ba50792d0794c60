// Tile download speed against a server on 127.0.0.1: 16 small GeoTIFF tiles (600 × 600
// Float32, 1.4 MB each) and 4 large ones (3600 × 3600, 52 MB), fetched by `orolith fetch`
// with 1 and with 4 connections into an empty cache, best of three; the fetching program's
// peak memory as /usr/bin/time reports it.
//
//   build/bench/fetch_bench build/src/cli/orolith
#include "download/tile_source.h"
#include "support/loopback_server.h"
#include "support/test_support.h"

#include <cpl_vsi.h>
#include <gdal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using orolith::TileCorner;
namespace dl = orolith::download;

// An uncompressed tile of noise: `side` × `side` Float32 cells covering the tile.
std::string noiseTile(TileCorner tile, int side) {
    const std::string name = "/vsimem/bench.tif";
    GDALDatasetH dataset = GDALCreate(GDALGetDriverByName("GTiff"), name.c_str(), side, side, 1, GDT_Float32, nullptr);
    double transform[6] = {double(tile.lon), 1.0 / side, 0, double(tile.lat + 1), 0, -1.0 / side};
    GDALSetGeoTransform(dataset, transform);
    std::mt19937 random(static_cast<unsigned>(tile.lon * 1000 + tile.lat));
    std::vector<float> row(static_cast<std::size_t>(side));
    for (int y = 0; y < side; ++y) {
        for (float& cell : row)
            cell = static_cast<float>(random() % 3000);
        if (GDALRasterIO(GDALGetRasterBand(dataset, 1), GF_Write, 0, y, side, 1, row.data(), side, 1, GDT_Float32, 0,
                         0) != CE_None)
            std::abort();
    }
    GDALClose(dataset);
    vsi_l_offset size = 0;
    GByte* data = VSIGetMemFileBuffer(name.c_str(), &size, TRUE);
    std::string bytes(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size));
    VSIFree(data);
    return bytes;
}

void run(const std::string& orolith, const std::string& label, int side, int tiles, int connections) {
    orolith::testing::LoopbackServer server;
    const dl::TileSource layout{dl::SourceKind::Copernicus30, "", 0};
    std::uint64_t bytes = 0;
    for (int i = 0; i < tiles; ++i) {
        orolith::testing::CannedReply reply;
        reply.body = noiseTile({45, i}, side);
        bytes += reply.body.size();
        server.serve(dl::tilePath(layout, {45, i}), reply);
    }
    double best = 1e9;
    long peakKiB = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        orolith::testing::TempDir cache;
        const std::string memory = (cache.path() / "peak").string();
        const std::string command = "/usr/bin/time -f %M -o '" + memory + "' '" + orolith + "' fetch --bbox 45," + std::to_string(0) + ",46," +
                                    std::to_string(tiles) + " --source copernicus30 --base-url " + server.baseUrl() +
                                    " --connections " + std::to_string(connections) + " --dir '" +
                                    cache.path().string() + "' > /dev/null";
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "fetch failed\n");
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        peakKiB = std::max(peakKiB, std::atol(orolith::testing::readBytes(memory).c_str()));
    }
    std::printf("| %s, %d connection%s | %d | %.1f | %.2f | %.1f | %.1f | %.1f |\n", label.c_str(), connections,
                connections == 1 ? "" : "s", tiles, static_cast<double>(bytes) / 1e6, best, tiles / best,
                static_cast<double>(bytes) / 1e6 / best, static_cast<double>(peakKiB) / 1024.0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: fetch_bench PATH-TO-orolith\n");
        return 2;
    }
    GDALAllRegister();
    std::printf("| Run | Tiles | MB | Best s | Tiles/s | MB/s | Peak RSS MiB |\n|---|---:|---:|---:|---:|---:|---:|\n");
    for (const int connections : {1, 4})
        run(argv[1], "16 tiles of 1.4 MB", 600, 16, connections);
    for (const int connections : {1, 4})
        run(argv[1], "4 tiles of 52 MB", 3600, 4, connections);
    return 0;
}
