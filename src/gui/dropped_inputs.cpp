#include "gui/dropped_inputs.h"

#include <QDir>
#include <QFileInfo>

namespace orolith::gui {

namespace {

const QStringList kElevationSuffixes{
    QStringLiteral(".hgt"),  QStringLiteral(".hgt.gz"), QStringLiteral(".zip"), QStringLiteral(".tif"),
    QStringLiteral(".tiff"), QStringLiteral(".asc"),    QStringLiteral(".vrt")};

} // namespace

bool hasElevationSuffix(const QString& name) {
    for (const QString& suffix : kElevationSuffixes)
        if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive))
            return true;
    return false;
}

QString rasterSourceName(const QString& path) {
    return path.endsWith(QStringLiteral(".gz"), Qt::CaseInsensitive) ? QStringLiteral("/vsigzip/") + path
                                                                     : path;
}

QStringList droppedInputs(const QList<QUrl>& urls) {
    QStringList inputs;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isFile()) {
            inputs << QDir::toNativeSeparators(info.absoluteFilePath());
            continue;
        }
        if (!info.isDir())
            continue;
        const QFileInfoList entries = QDir(info.absoluteFilePath()).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo& entry : entries)
            if (hasElevationSuffix(entry.fileName()))
                inputs << QDir::toNativeSeparators(entry.absoluteFilePath());
    }
    return inputs;
}

} // namespace orolith::gui
