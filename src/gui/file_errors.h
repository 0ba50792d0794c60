#pragma once
// The one place where the window turns what a reader or writer of the program's own files
// (settings, palettes, patterns) reports into a message for the user.

#include "core/platform/file_format.h"

#include <QString>

class QWidget;

namespace orolith::gui {

// The message for a failed read or write of `path`: "Cannot read file:" and the path when
// there is no such file, the format's own text otherwise; translated where it is fixed text.
QString fileErrorText(const FileFormat& format, const QString& path);

// Shows fileErrorText in a message box over `parent`.
void reportFileError(QWidget* parent, const FileFormat& format, const QString& path);

// The outcome `done` of a read or write by `format`, after reporting its error when it failed.
bool fileDone(QWidget* parent, bool done, const FileFormat& format, const QString& path);

} // namespace orolith::gui
