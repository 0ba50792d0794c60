// Times the colour picker's arithmetic: the shade strip is rebuilt on every mouse move of a
// drag, the field picture once per opening. Usage: colour_model_bench [ROUNDS]
#include "core/colour/colour_model.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double microsecondsSince(Clock::time_point start, long rounds) {
    const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
    return elapsed.count() / static_cast<double>(rounds);
}

} // namespace

int main(int argc, char** argv) {
    const long rounds = argc > 1 ? std::max(1L, std::atol(argv[1])) : 200000L;
    std::int64_t checksum = 0;

    auto start = Clock::now();
    for (long i = 0; i < rounds; ++i) {
        const std::int32_t colour = static_cast<std::int32_t>((i * 2654435761L) & 0xFFFFFF);
        const orolith::ShadeCells cells = orolith::shadeCells(colour, 227);
        checksum += cells[7].colour + orolith::shadePointerPosition(colour);
        const orolith::Hsv hsv = orolith::rgbToHsv(colour);
        checksum += orolith::hsvToRgb(hsv.hue, hsv.saturation, hsv.value);
    }
    const double perMove = microsecondsSince(start, rounds);

    const long pictures = std::max(1L, rounds / 1000);
    start = Clock::now();
    for (long i = 0; i < pictures; ++i)
        checksum += orolith::fieldPicture()[static_cast<std::size_t>(i % 1000)];
    const double perPicture = microsecondsSince(start, pictures);

    std::printf("shade strip + pointer + HSV round trip: %.3f us per colour (%ld colours)\n", perMove,
                rounds);
    std::printf("field picture 233 x 227: %.1f us (%ld pictures)\n", perPicture, pictures);
    std::printf("checksum %lld\n", static_cast<long long>(checksum));
    return 0;
}
