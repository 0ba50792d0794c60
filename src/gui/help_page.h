#pragma once
// The user's guide that ships with the program: one HTML page, opened locally in the
// browser, so help works without a network; where no browser is found, in a window of the
// program's own.

#include <QString>

class QWidget;

namespace orolith::gui {

// Where the guide lies: the installed copy (share/doc/orolith-creator/manual.html beside
// the program's bin folder, or manual.html next to the executable), else the copy in the
// source tree the program was built from. Empty when none exists.
QString manualPath();

// Opens the guide in the desktop's browser, or else in the program's own viewer over
// `parent`; says so when the guide cannot be found.
void openHelp(QWidget* parent);

} // namespace orolith::gui
