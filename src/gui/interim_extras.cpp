// INTERIM stand-ins for the secondary windows built on other branches.
#include "gui/interim_extras.h"

namespace orolith::gui {

QString runSettingsDialog(QWidget*, const QString& toolPath, const QString&) {
    return toolPath;
}
void runAboutDialog(QWidget*) {}
void openHelp() {}
PickerResult runColourPicker(QWidget*, std::int32_t, const QString&) {
    return {};
}
int runDownloadDialog(QWidget*, int region) {
    return region;
}
void UpdateCheck::start() {
    emit finished();
}

} // namespace orolith::gui
