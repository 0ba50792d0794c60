#pragma once
// The 8-digit number that names a Garmin map tile, and the family ID that ties the map to
// its style. Two layers with the same number clash on a device, so the number is derived
// from the area the map covers unless the user gives one.

#include <cstdint>
#include <optional>
#include <string_view>

namespace orolith::garmin {

struct GeoBounds {
    double minLat = 0, minLon = 0, maxLat = 0, maxLon = 0;
};

inline constexpr std::uint32_t kFirstMapNumber = 10000000;
inline constexpr std::uint32_t kLastMapNumber = 99999999;

// The same area always gives the same number, different areas (apart from rare
// collisions) different ones; it leaves room for consecutive tile numbers after it.
std::uint32_t mapNumberForArea(const GeoBounds& bounds);

// Exactly 8 digits, 10000000..99999999.
std::optional<std::uint32_t> parseMapNumber(std::string_view text);

// A decimal 1..65535.
std::optional<int> parseFamilyId(std::string_view text);

} // namespace orolith::garmin
