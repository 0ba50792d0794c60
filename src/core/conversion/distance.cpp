#include "core/conversion/distance.h"

#include "core/platform/text_number.h"

#include <cmath>

namespace orolith {

namespace {

constexpr double kMilesPerDegree = 60 * 1.1515;

// A piece of a point text as a number: blanks around it allowed, an optional sign, digits
// with at most one decimal point and an optional exponent. Nothing else.
bool readNumber(std::string_view text, double& value) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto number = wholeDecimal(text);
    if (!number || std::isinf(*number))
        return false;
    value = *number;
    if (negative)
        value = -value;
    return true;
}

struct Point {
    double latitude = 0;
    double longitude = 0;
};

// Cuts at ","; piece 0 is the latitude, piece 1 the longitude, further pieces are ignored.
Point readPoint(std::string_view text, std::string* failure) {
    Point point;
    const std::size_t comma = text.find(',');
    const std::string_view latitude = text.substr(0, comma);
    bool ok = readNumber(latitude, point.latitude);
    if (comma == std::string_view::npos) {
        ok = false;
    } else {
        std::string_view longitude = text.substr(comma + 1);
        longitude = longitude.substr(0, longitude.find(','));
        ok = readNumber(longitude, point.longitude) && ok;
    }
    if (!ok && failure != nullptr && failure->empty())
        *failure = "the point \"" + std::string(text) + "\" is not a latitude and a longitude";
    return point;
}

} // namespace

double degreesToRadians(double degrees) {
    return degrees * kDistancePi / 180.0;
}

double radiansToDegrees(double radians) {
    return radians * 180.0 / kDistancePi;
}

double arcCosine(double x) {
    if (std::isnan(x))
        return x;
    if (x <= -1.0)
        return kDistancePi;
    if (x >= 1.0)
        return 0.0;
    return kDistancePi / 2 - std::atan(x / std::sqrt(1 - x * x));
}

double distance(std::string_view first, std::string_view second, std::string_view unit,
                std::string* failure) {
    if (first.empty())
        return 0.0;
    const Point a = readPoint(first, failure);
    const Point b = readPoint(second, failure);
    if (a.latitude == b.latitude && a.longitude == b.longitude)
        return 0.0; // the law of cosines leaves up to 0.1 m of rounding here; a closed ring is closed
    const double theta = a.longitude - b.longitude;
    const double x = std::sin(degreesToRadians(a.latitude)) * std::sin(degreesToRadians(b.latitude)) +
                     std::cos(degreesToRadians(a.latitude)) * std::cos(degreesToRadians(b.latitude)) *
                         std::cos(degreesToRadians(theta));
    const double miles = radiansToDegrees(arcCosine(x)) * kMilesPerDegree;
    const char letter = unit.empty() ? '\0' : unit.front();
    if (unit.size() == 1 && (letter == 'K' || letter == 'k'))
        return miles * 1.609344 * 1000;
    if (unit.size() == 1 && (letter == 'N' || letter == 'n'))
        return miles * 0.8684;
    return miles;
}

} // namespace orolith
