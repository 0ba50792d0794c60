#include "core/colour/perceptual.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orolith {

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int encoded(double linearValue) {
    const double c = std::clamp(linearValue, 0.0, 1.0);
    const double v = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return static_cast<int>(std::lround(v * 255.0));
}

double labF(double t) {
    constexpr double delta = 6.0 / 29.0;
    return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
}

double degrees(double radians) {
    const double d = radians * 180.0 / std::numbers::pi;
    return d < 0 ? d + 360.0 : d;
}

double radians(double degreesValue) {
    return degreesValue * std::numbers::pi / 180.0;
}

} // namespace

OkLab okLabOf(const Rgb& rgb) {
    const double r = linear(rgb.red), g = linear(rgb.green), b = linear(rgb.blue);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Rgb rgbOf(const OkLab& lab) {
    const double l = std::pow(lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3);
    const double m = std::pow(lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3);
    const double s = std::pow(lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3);
    return {encoded(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            encoded(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            encoded(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

Rgb mixOkLab(const Rgb& from, const Rgb& to, double t) {
    const OkLab x = okLabOf(from);
    const OkLab y = okLabOf(to);
    return rgbOf({x.l + (y.l - x.l) * t, x.a + (y.a - x.a) * t, x.b + (y.b - x.b) * t});
}

Rgb darkened(const Rgb& rgb, double lightness, double chroma) {
    const OkLab lab = okLabOf(rgb);
    return rgbOf({lab.l * lightness, lab.a * chroma, lab.b * chroma});
}

CieLab cieLabOf(const Rgb& rgb) {
    const double r = linear(rgb.red), g = linear(rgb.green), b = linear(rgb.blue);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    return {116 * labF(y) - 16, 500 * (labF(x) - labF(y)), 200 * (labF(y) - labF(z))};
}

double ciede2000(const Rgb& first, const Rgb& second) {
    return ciede2000(cieLabOf(first), cieLabOf(second));
}

double ciede2000(const CieLab& p, const CieLab& q) {
    const double c7 = std::pow((std::hypot(p.a, p.b) + std::hypot(q.a, q.b)) / 2, 7);
    const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + std::pow(25.0, 7))));
    const double a1 = p.a * (1 + g), a2 = q.a * (1 + g);
    const double c1 = std::hypot(a1, p.b), c2 = std::hypot(a2, q.b);
    const double h1 = c1 == 0 ? 0 : degrees(std::atan2(p.b, a1));
    const double h2 = c2 == 0 ? 0 : degrees(std::atan2(q.b, a2));
    double dh = 0;
    if (c1 * c2 != 0)
        dh = std::abs(h2 - h1) <= 180 ? h2 - h1 : h2 - h1 > 180 ? h2 - h1 - 360 : h2 - h1 + 360;
    const double dL = q.l - p.l, dC = c2 - c1;
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(radians(dh / 2));
    const double meanL = (p.l + q.l) / 2, meanC = (c1 + c2) / 2;
    double meanH = h1 + h2;
    if (c1 * c2 != 0)
        meanH = std::abs(h1 - h2) <= 180 ? (h1 + h2) / 2
                : h1 + h2 < 360          ? (h1 + h2 + 360) / 2
                                         : (h1 + h2 - 360) / 2;
    const double t = 1 - 0.17 * std::cos(radians(meanH - 30)) + 0.24 * std::cos(radians(2 * meanH)) +
                     0.32 * std::cos(radians(3 * meanH + 6)) - 0.20 * std::cos(radians(4 * meanH - 63));
    const double sl = 1 + 0.015 * (meanL - 50) * (meanL - 50) / std::sqrt(20 + (meanL - 50) * (meanL - 50));
    const double sc = 1 + 0.045 * meanC, sh = 1 + 0.015 * meanC * t;
    const double meanC7 = std::pow(meanC, 7);
    const double rt = -2 * std::sqrt(meanC7 / (meanC7 + std::pow(25.0, 7))) *
                      std::sin(radians(60 * std::exp(-std::pow((meanH - 275) / 25, 2))));
    const double l = dL / sl, c = dC / sc, h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

} // namespace orolith
