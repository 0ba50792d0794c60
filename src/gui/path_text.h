#pragma once
// Paths between the window's texts and the core: built from the platform's own file names
// (wide on Windows, the local 8-bit encoding elsewhere), so every name a dialog offers opens.

#include <QFile>
#include <QString>
#include <filesystem>

namespace orolith::gui {

inline std::filesystem::path toPath(const QString& text) {
#ifdef _WIN32
    return std::filesystem::path(text.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(text).toStdString());
#endif
}

inline QString fromPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

} // namespace orolith::gui
