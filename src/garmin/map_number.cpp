#include "garmin/map_number.h"

#include <cstdio>

namespace orolith::garmin {

namespace {

// Room kept above the derived number for the tiles that follow it.
constexpr std::uint32_t kTileRoom = 100000;

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::optional<std::uint64_t> digitsValue(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

} // namespace

std::uint32_t mapNumberForArea(const GeoBounds& bounds) {
    // Rounded to about ten metres, so that the same area read twice gives the same text.
    char text[128];
    std::snprintf(text, sizeof text, "%.4f %.4f %.4f %.4f", bounds.minLat, bounds.minLon, bounds.maxLat,
                  bounds.maxLon);
    const std::uint32_t span = kLastMapNumber - kTileRoom - kFirstMapNumber + 1;
    return kFirstMapNumber + static_cast<std::uint32_t>(fnv1a(text) % span);
}

std::optional<std::uint32_t> parseMapNumber(std::string_view text) {
    if (text.size() != 8)
        return std::nullopt;
    const auto value = digitsValue(text, 8);
    if (!value || *value < kFirstMapNumber)
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

std::optional<int> parseFamilyId(std::string_view text) {
    const auto value = digitsValue(text, 5);
    if (!value || *value < 1 || *value > 65535)
        return std::nullopt;
    return static_cast<int>(*value);
}

} // namespace orolith::garmin
