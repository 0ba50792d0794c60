#pragma once
// Files and folders dropped on the window, as the inputs to open: a folder stands for the
// elevation tiles in it.

#include <QList>
#include <QStringList>
#include <QUrl>

namespace orolith::gui {

// The local files among `urls`, each folder replaced by the elevation tiles directly in it
// (sorted by name). Empty when nothing usable was dropped.
QStringList droppedInputs(const QList<QUrl>& urls);

// True for the names of elevation tiles and rasters the window opens (.hgt, .hgt.gz, .zip,
// GeoTIFF, ASCII grid, VRT), in any letter case.
bool hasElevationSuffix(const QString& name);

// The name GDAL reads the file by: a gzip-compressed file through its /vsigzip/ layer.
QString rasterSourceName(const QString& path);

} // namespace orolith::gui
