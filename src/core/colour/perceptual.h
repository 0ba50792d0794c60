#pragma once
// Colours as the eye measures them: OKLab, in which the ramps mix their colours, and CIELAB
// with the CIEDE2000 difference, by which neighbouring bands are told apart.

#include "core/colour/colour_value.h"

namespace orolith {

struct OkLab {
    double l = 0.0; // lightness, 0 (black) .. 1 (white)
    double a = 0.0;
    double b = 0.0;
};

struct CieLab {
    double l = 0.0; // lightness, 0 .. 100
    double a = 0.0;
    double b = 0.0;
};

OkLab okLabOf(const Rgb& rgb);
// The nearest displayable colour: channels outside the screen's range are clipped.
Rgb rgbOf(const OkLab& lab);

// The colour `t` (0..1) of the way from `from` to `to`, mixed in OKLab.
Rgb mixOkLab(const Rgb& from, const Rgb& to, double t);

// The colour with its OKLab lightness and chroma scaled: (0.5, 0.7) is a night colour.
Rgb darkened(const Rgb& rgb, double lightness, double chroma);

CieLab cieLabOf(const Rgb& rgb); // D65 white

// The CIEDE2000 difference of two colours (1 is about the smallest a trained eye sees).
double ciede2000(const Rgb& x, const Rgb& y);
double ciede2000(const CieLab& x, const CieLab& y);

} // namespace orolith
