#pragma once
// How each band looks on the receiver, as the TYP file describes it: its 32 x 32 bitmap with
// the "1" pixels in the band's colour and the "0" pixels transparent, and its draw order.

#include "core/host.h"
#include "core/style/band_tint.h"
#include "core/style/palette.h"
#include "core/style/pattern.h"
#include "core/style/typ_writer.h"

#include <QColor>
#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

namespace orolith::render {

struct BandLook {
    QColor colour;
    QImage tile; // 32 x 32, premultiplied ARGB: the colour where the bitmap has "1"
    int drawOrder = 1;
};

struct StyleChoice {
    Pattern pattern;             // checked rows (see patternFromText)
    Palette palette = defaultPalette();
    TintChoice tint; // the classic table unless a ramp is chosen
    std::int16_t maxDrawOrder = 14; // above 0
    bool oneColour = false;
    bool rowPerBand = false;
};

// The window's (or the command line's) style settings checked as the TYP writer checks them:
// a zero draw order, an empty or invalid pattern are reported to `host` and give nothing.
std::optional<StyleChoice> styleChoiceOf(const orolith::StyleOptions& options, const Palette& palette, Host& host);

// The look of every listed band, the lowest elevation of the list being `lowest`.
std::vector<BandLook> bandLooks(const StyleChoice& style, const TypeList& types, std::int32_t lowest);

// The draw order of band `band`: four bands share one, counting from 1, capped at the maximum.
int bandDrawOrder(std::size_t band, std::int16_t maxDrawOrder);

} // namespace orolith::render
