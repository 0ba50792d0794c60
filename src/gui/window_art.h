#pragma once
// Small pictures the main window draws itself.

#include <QIcon>

namespace orolith::gui {

// The tile download button: a terrain tile with an arrow pointing down into it.
QIcon tileDownloadIcon();

} // namespace orolith::gui
