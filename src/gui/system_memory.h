#pragma once
// The share of the computer's physical memory in use, as the About window shows it.

#include <QByteArray>
#include <QString>

namespace orolith::gui {

// The platform's figure for the share of physical memory in use, 0 to 100; -1 when the
// system does not say.
int memoryLoadPercent();

// The figure from the text of /proc/meminfo: (MemTotal - MemAvailable) / MemTotal, rounded;
// -1 when either line is missing or MemTotal is 0.
int memoryLoadFromMeminfo(const QByteArray& meminfo);

// "System:" followed by the figure as a signed number (a blank before a non-negative one)
// and "%": 5 gives "System: 5%".
QString memoryLabelText(int percent);

} // namespace orolith::gui
