#pragma once
// The elevation tile download window: a coordinate becomes an SRTM tile name, the tile's
// address in the chosen continent folder is shown and opened in the browser.

#include "download/fetched_area.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;

namespace orolith::gui {

class TileFetchPanel;

// Shows the window modally on the continent `region` (above 5: the last one) and returns the
// continent chosen when it closed. `home` holds the tile cache; after "Open the tiles" the
// fetched area is in `areaToOpen` (no tiles otherwise).
int runDownloadDialog(QWidget* parent, int region, const QString& home, download::FetchedArea* areaToOpen);

class DownloadWindow : public QDialog {
    Q_OBJECT
  public:
    explicit DownloadWindow(int region, QWidget* parent = nullptr, const QString& home = QString());

    // The continent kept when the window closed (the one it opened with until then).
    int region() const { return region_; }
    // The area "Open the tiles" handed over (without tiles otherwise).
    const download::FetchedArea& areaToOpen() const { return areaToOpen_; }

  public slots:
    void reject() override; // the title-bar close and Escape keep the choice as Close does
    void done(int result) override; // a running download is cancelled first

  private:
    void checkCoordinate();
    void openTileAddress();
    void keepChoice();
    int selectedContinent() const;

    QLineEdit* coordinate_ = nullptr;
    QLineEdit* tileName_ = nullptr;
    QLineEdit* address_ = nullptr;
    std::array<QRadioButton*, 6> continents_{};
    TileFetchPanel* fetch_ = nullptr;
    download::FetchedArea areaToOpen_;
    int region_ = 0;
};

} // namespace orolith::gui
