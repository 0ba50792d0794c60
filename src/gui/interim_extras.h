#pragma once
// INTERIM stand-ins for the secondary windows built on other branches; this file goes away
// when they are merged.
#include <QObject>
#include <QString>
#include <QUrl>
#include <cstdint>

class QWidget;

namespace orolith::gui {

QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& apppath);
void runAboutDialog(QWidget* parent);
void openHelp();

struct PickerResult {
    std::int32_t curcolor = -1;
    bool colchanged = false;
};
PickerResult runColourPicker(QWidget* parent, std::int32_t curcolor, const QString& sysdir);
int runDownloadDialog(QWidget* parent, int region);

class UpdateCheck : public QObject {
    Q_OBJECT
  public:
    explicit UpdateCheck(const QUrl& url, QObject* parent = nullptr) : QObject(parent), url_(url) {}
    void start();
  signals:
    void newerVersionFound(const QString& version);
    void finished();

  private:
    QUrl url_;
};

} // namespace orolith::gui
