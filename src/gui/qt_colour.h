#pragma once
// A core colour value (red in the low byte) as the QColor that paints it.

#include "core/colour/colour_value.h"

#include <QColor>
#include <cstdint>

namespace orolith::gui {

inline QColor toQColor(std::int32_t colour) {
    const Rgb rgb = splitColour(colour);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

} // namespace orolith::gui
