// INTERIM stand-ins for the colour picker and the tile download window.
#include "gui/interim_extras.h"

namespace orolith::gui {

PickerResult runColourPicker(QWidget*, std::int32_t, const QString&) { return {}; }
int runDownloadDialog(QWidget*, int region) { return region; }

} // namespace orolith::gui
