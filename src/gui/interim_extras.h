#pragma once
// INTERIM stand-ins for the colour picker and the tile download window, built on another
// branch; this file goes away when they are merged.
#include <QString>

#include <cstdint>

class QWidget;

namespace orolith::gui {

struct PickerResult {
    std::int32_t curcolor = -1;
    bool colchanged = false;
};
PickerResult runColourPicker(QWidget* parent, std::int32_t curcolor, const QString& sysdir);
int runDownloadDialog(QWidget* parent, int region);

} // namespace orolith::gui
