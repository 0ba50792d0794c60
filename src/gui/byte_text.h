#pragma once
// Conversions between the window's texts and the core's byte strings (paths are UTF-8).

#include <QString>
#include <string>
#include <string_view>

namespace orolith::gui {

inline std::string toBytes(const QString& text) {
    return text.toStdString();
}

inline QString fromBytes(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace orolith::gui
