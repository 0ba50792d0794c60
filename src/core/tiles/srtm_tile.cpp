#include "core/tiles/srtm_tile.h"

#include "core/app/app_info.h"
#include "core/platform/text_number.h"
#include "core/platform/text_split.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace orolith {

namespace {

char separatorOf(std::string_view text) {
    if (text.find('/') != std::string_view::npos)
        return '/';
    if (text.find(',') != std::string_view::npos)
        return ',';
    return '\\';
}

// |degrees| zero-padded to `width` digits behind the hemisphere letter.
std::string hemisphereText(char letter, int degrees, std::size_t width) {
    std::string digits = std::to_string(std::abs(degrees));
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return letter + digits;
}

} // namespace

int clampSrtmContinent(int index) {
    if (index < 0)
        return 0;
    return index >= kSrtmContinentCount ? kSrtmContinentCount - 1 : index;
}

std::optional<int> srtmContinentByName(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kSrtmContinentCount)
        return text[0] - '0';
    for (int i = 0; i < kSrtmContinentCount; ++i) {
        const std::string_view name = kSrtmContinents[static_cast<std::size_t>(i)];
        const bool same = std::equal(text.begin(), text.end(), name.begin(), name.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
        if (same)
            return i;
    }
    return std::nullopt;
}

TileNameResult srtmTileName(std::string_view coordinate) {
    const char separator = separatorOf(coordinate);
    const std::vector<std::string_view> pieces = splitAt(coordinate, std::string_view(&separator, 1));
    if (pieces.size() < 2)
        return {TileProblem::NoSeparator, {}, {}};
    if (!hasLeadingDecimal(pieces[0]) || !hasLeadingDecimal(pieces[1]))
        return {TileProblem::NotACoordinate, {}, {}};
    const double latitude = leadingDecimal(pieces[0]);
    const double longitude = leadingDecimal(pieces[1]);
    if (!(latitude >= -90 && latitude <= 90 && longitude >= -180 && longitude <= 180))
        return {TileProblem::NotACoordinate, {}, {}};
    const TileCorner tile = tileOfPoint(latitude, longitude);
    return {TileProblem::None, tileName(tile), tile};
}

TileCorner tileOfPoint(double latitude, double longitude) {
    const int lat = static_cast<int>(std::floor(latitude));
    const int lon = static_cast<int>(std::floor(longitude));
    return {std::clamp(lat, -90, 89), std::clamp(lon, -180, 179)};
}

std::string tileName(TileCorner tile) {
    return hemisphereText(tile.lat >= 0 ? 'N' : 'S', tile.lat, 2) +
           hemisphereText(tile.lon < 0 ? 'W' : 'E', tile.lon, 3);
}

std::string_view tileProblemMessage(TileProblem problem) {
    switch (problem) {
    case TileProblem::NoSeparator:
        return " N/S , EW  or NS/EW";
    case TileProblem::NotACoordinate:
        return "Latitude -90 to 90 and longitude -180 to 180 in degrees, ie 50.7531/-3.4354";
    case TileProblem::None:
        break;
    }
    return {};
}

TileNameCheck checkTileName(std::string_view name) {
    if (name.empty())
        return TileNameCheck::Empty;
    return name.size() == 7 ? TileNameCheck::Ok : TileNameCheck::WrongLength;
}

std::string srtmDownloadAddress(int continentIndex, std::string_view name) {
    std::string address(app::kSrtmBaseUrl);
    address += kSrtmContinents[static_cast<std::size_t>(clampSrtmContinent(continentIndex))];
    address += '/';
    address += name;
    address += ".hgt.zip";
    return address;
}

} // namespace orolith
