// Times the TYP writer: builds a band list of N elevations and writes the TYP file and the
// companion list into a scratch folder, several times, and prints the best run. With a ramp
// (a built-in name) it also times colouring the bands alone.
//   typ_bench [BANDS] [FOLDER] [RAMP]

#include "core/conversion/elevation_types.h"
#include "core/style/typ_writer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct QuietHost : orolith::Host {
    void message(orolith::MessageKind, std::string_view) override {}
    bool ask(std::string_view) override { return false; }
};

} // namespace

int main(int argc, char** argv) {
    const int bands = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const std::filesystem::path folder = argc > 2
                                             ? std::filesystem::path(argv[2])
                                             : std::filesystem::temp_directory_path() / "orolith-typ-bench";
    std::filesystem::create_directories(folder);

    orolith::TypJob job;
    job.style.patternText = std::string(orolith::kDefaultPatternText);
    job.style.typPath = (folder / "bench-typ.txt").string();
    job.companionPath = (folder / "test.tpgn").string();
    std::uint32_t type = 0x10300;
    for (int i = 0; i < bands; ++i) {
        job.types.push_back({std::to_string(i * 25), orolith::typeText(static_cast<std::int32_t>(type))});
        if (++type % 32 == 0)
            type += 224;
    }

    if (argc > 3) {
        const auto ramp = orolith::builtInRamp(argv[3]);
        if (!ramp) {
            std::fprintf(stderr, "typ_bench: no built-in ramp %s\n", argv[3]);
            return 2;
        }
        job.tint.ramp = *ramp;
        double colouring = 1e9;
        std::size_t coloured = 0;
        for (int run = 0; run < 5; ++run) {
            const auto start = std::chrono::steady_clock::now();
            coloured = orolith::colourBands(job.palette, false, job.tint, job.types, 0).day.size();
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            colouring = std::min(colouring, took.count());
        }
        std::printf("%zu bands coloured from the %s ramp in %.1f ms (best of 5)\n", coloured, argv[3], colouring);
    }

    QuietHost host;
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!orolith::writeTypFile(job, host).written) {
            std::fprintf(stderr, "typ_bench: the TYP file was not written\n");
            return 1;
        }
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    std::printf("%d bands: TYP %.1f MB + companion %.1f MB written in %.1f ms (best of 5)\n", bands,
                static_cast<double>(std::filesystem::file_size(job.style.typPath)) / 1e6,
                static_cast<double>(std::filesystem::file_size(job.companionPath)) / 1e6, best);
    return 0;
}
