#include "gui/file_errors.h"

#include "gui/byte_text.h"
#include "gui/desktop.h"

#include <QCoreApplication>
#include <QDir>

namespace orolith::gui {

namespace {

// The readers' fixed texts, listed here for translators; they are looked up by their words.
[[maybe_unused]] const char* const kFixedTexts[] = {
    QT_TRANSLATE_NOOP("FileErrors", "Not a valid settings file."),
    QT_TRANSLATE_NOOP("FileErrors", "Not a valid palette file."),
    QT_TRANSLATE_NOOP("FileErrors", "Not a valid pattern file."),
};

} // namespace

QString fileErrorText(const FileFormat& format, const QString& path) {
    switch (format.error()) {
    case FileError::None:
        return {};
    case FileError::Missing:
        return QCoreApplication::translate("FileErrors", "Cannot read file:") + QDir::toNativeSeparators(path);
    case FileError::NotValid:
        return QCoreApplication::translate("FileErrors", format.errorString().c_str());
    case FileError::NotWritten:
        break;
    }
    return fromBytes(format.errorString());
}

void reportFileError(QWidget* parent, const FileFormat& format, const QString& path) {
    Desktop::instance().message(parent, fileErrorText(format, path));
}

bool fileDone(QWidget* parent, bool done, const FileFormat& format, const QString& path) {
    if (!done)
        reportFileError(parent, format, path);
    return done;
}

} // namespace orolith::gui
