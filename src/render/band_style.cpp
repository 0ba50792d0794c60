#include "render/band_style.h"

#include "core/platform/text_number.h"
#include "core/style/band_tint.h"
#include "core/style/typ_writer.h"

#include <algorithm>

namespace orolith::render {

namespace {

// The bitmap text of one band (32 quoted rows) as a tile in `colour`.
QImage tileOf(const std::string& bitmap, const QColor& colour) {
    QImage tile(32, 32, QImage::Format_ARGB32_Premultiplied);
    tile.fill(Qt::transparent);
    const QRgb ink = colour.rgba();
    std::size_t at = 0;
    for (int y = 0; y < 32; ++y) {
        at = bitmap.find('"', at) + 1; // opening quote
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        for (int x = 0; x < 32; ++x)
            if (bitmap[at + static_cast<std::size_t>(x)] == '1')
                line[x] = ink;
        at = bitmap.find('"', at) + 1; // past the closing quote
    }
    return tile;
}

} // namespace

std::optional<StyleChoice> styleChoiceOf(const orolith::StyleOptions& options, const Palette& palette, Host& host) {
    StyleChoice choice;
    auto pattern = checkStyle(options, host);
    if (!pattern)
        return std::nullopt;
    choice.maxDrawOrder = options.maxDrawOrder;
    choice.pattern = std::move(*pattern);
    choice.palette = palette;
    choice.oneColour = options.oneColour;
    choice.rowPerBand = options.rowPerBand;
    return choice;
}

int bandDrawOrder(std::size_t band, std::int16_t maxDrawOrder) {
    const auto d = static_cast<std::int64_t>(band / 4 + 1);
    return static_cast<int>(std::min<std::int64_t>(d, std::max<std::int16_t>(maxDrawOrder, 1)));
}

std::vector<BandLook> bandLooks(const StyleChoice& style, const TypeList& types, std::int32_t lowest) {
    std::vector<BandLook> looks;
    looks.reserve(types.size());
    // A ramp of shares always has the listed bands' range to take them of.
    const BandColours colours = colourBands(style.palette, style.oneColour, style.tint, types, lowest);
    for (std::size_t i = 0; i < colours.day.size(); ++i) {
        const Rgb rgb = colours.day[i];
        BandLook look;
        look.colour = QColor(rgb.red, rgb.green, rgb.blue);
        look.tile = tileOf(fillPatternBitmap(style.pattern, static_cast<std::int32_t>(i), style.rowPerBand), look.colour);
        look.drawOrder = bandDrawOrder(i, style.maxDrawOrder);
        looks.push_back(std::move(look));
    }
    return looks;
}

} // namespace orolith::render
