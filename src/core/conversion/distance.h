#pragma once
// Great-circle distance between two points given as text ("latitude,longitude" in decimal
// degrees), by the spherical law of cosines. Used to leave out polygons whose outline stays
// open by more than the user's maximum distance.

#include <string>
#include <string_view>

namespace orolith {

// The value of pi the distance figures are built on (15 significant digits).
inline constexpr double kDistancePi = 3.14159265358979;

double degreesToRadians(double degrees);
double radiansToDegrees(double radians);

// Arc cosine in radians from the arc tangent. Arguments that rounding carried beyond ±1
// are taken as ±1, so equal points always give 0.
double arcCosine(double x);

// Distance of two point texts. Unit "K" (any case): metres; "N": nautical miles; any other
// text: statute miles. An empty first point and two equal points give 0. A point piece that is missing or not
// a number counts as 0; `failure`, when given, then receives a description of the problem (it is left
// unchanged when both points read cleanly).
double distance(std::string_view first, std::string_view second, std::string_view unit,
                std::string* failure = nullptr);

} // namespace orolith
