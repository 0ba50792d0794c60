#pragma once
// INTERIM stand-ins for the secondary windows built on other branches; this file goes away
// when they are merged.
#include <QObject>
#include <QString>

class QWidget;

namespace orolith::gui {

QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& apppath);
void runAboutDialog(QWidget* parent);
void openHelp();

struct PickerResult {
    int curcolor = -1;
    bool colchanged = false;
};
PickerResult runColourPicker(QWidget* parent, int curcolor, const QString& sysdir);
int runDownloadDialog(QWidget* parent, int region);

class UpdateCheck : public QObject {
    Q_OBJECT
  public:
    explicit UpdateCheck(QObject* parent = nullptr) : QObject(parent) {}
    void start(const QString& url);
  signals:
    void newerVersionFound(const QString& version);
};

} // namespace orolith::gui
