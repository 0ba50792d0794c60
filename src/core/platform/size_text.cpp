#include "core/platform/size_text.h"

#include <cmath>
#include <iterator>

namespace orolith {

std::string sizeText(std::uint64_t bytes) {
    if (bytes < 1024)
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    static constexpr const char* kUnits[] = {"KiB", "MiB", "GiB", "TiB"};
    std::size_t unit = 0;
    std::uint64_t scale = 1024;
    while (unit + 1 < std::size(kUnits) && bytes >= scale * 1024) {
        scale *= 1024;
        ++unit;
    }
    // Tenths of the unit, rounded; below 10 of a unit one decimal is shown.
    const std::uint64_t tenths = (bytes * 10 + scale / 2) / scale;
    if (tenths < 100)
        return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " " + kUnits[unit];
    return std::to_string((bytes + scale / 2) / scale) + " " + kUnits[unit];
}

std::string durationText(double seconds) {
    const long long total = std::isfinite(seconds) && seconds > 0 ? std::llround(seconds) : 0;
    const auto twoDigits = [](long long value) { return (value < 10 ? "0" : "") + std::to_string(value); };
    if (total < 60)
        return std::to_string(total) + " s";
    if (total < 3600)
        return std::to_string(total / 60) + " min " + twoDigits(total % 60) + " s";
    return std::to_string(total / 3600) + " h " + twoDigits(total / 60 % 60) + " min";
}

} // namespace orolith
