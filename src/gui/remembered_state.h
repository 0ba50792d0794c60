#pragma once
// What the window remembers between runs besides the settings file (whose 20 lines other
// tools read): the band options of elevation models, the download window's area, and the
// window's size and place. Kept in window.ini beside the settings file, one "key=value" a line under
// "[group]" headers, written whole when the window closes.

#include <QByteArray>
#include <QString>

namespace orolith::gui {

struct RememberedState {
    // The band options, as the boxes show them.
    QString interval = QStringLiteral("25");
    QString base = QStringLiteral("0");
    int smooth = 0;
    bool fillVoids = false;
    QString simplify; // empty: a tenth of a pixel
    // The download window's coordinate and area boxes.
    QString downloadCoordinate;
    QString downloadArea;
    QString downloadMapsFolder; // empty: the default
    // QWidget::saveGeometry and the split between the side panel and the map.
    QByteArray geometry;
    QByteArray split;

    bool operator==(const RememberedState&) const = default;
};

QString rememberedStateFile(const QString& settingsFolder);

// The state kept in `file`; the defaults for what it lacks (or when there is no file).
RememberedState loadRememberedState(const QString& file);

// False with `error` when the file could not be written.
bool saveRememberedState(const QString& file, const RememberedState& state, QString& error);

} // namespace orolith::gui
