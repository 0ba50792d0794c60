#pragma once
// The elevation tile download window: a coordinate becomes an SRTM tile name, the tile's
// address in the chosen continent folder is shown and opened in the browser.

#include "core/settings/home_places.h"
#include "download/fetched_area.h"

#include <QDialog>
#include <array>

class QLineEdit;
class QRadioButton;

namespace orolith::gui {

class MapsFolderRow;
class TileFetchPanel;

// The place the window asks about, kept from one opening to the next.
struct DownloadPlace {
    QString coordinate; // the coordinate box; empty: the window's example
    QString box;        // the bounding box
    QString modelBox;   // the open elevation model's extent, "S,W,N,E"; empty: none is open
    QString mapsFolder; // where the areas' maps go; empty: the default, places.maps
};

// Shows the window modally on the continent `region` (above 5: the last one) and returns the
// continent chosen when it closed. `places` names the tile cache, the download settings and
// the default maps folder (empty: the desktop's); after "Open the tiles" the fetched area is
// in `areaToOpen` (no tiles otherwise) and the folder its map goes to in `areaFolder`.
// `place` is shown, and holds what the boxes held when the window closed.
int runDownloadDialog(QWidget* parent, int region, const HomePlaces& places, download::FetchedArea* areaToOpen,
                      DownloadPlace* place = nullptr, QString* areaFolder = nullptr);

class DownloadWindow : public QDialog {
    Q_OBJECT
  public:
    explicit DownloadWindow(int region, QWidget* parent = nullptr, const HomePlaces& places = {},
                            const DownloadPlace& place = {});

    // The continent kept when the window closed (the one it opened with until then).
    int region() const { return region_; }
    // The area "Open the tiles" handed over (without tiles otherwise).
    const download::FetchedArea& areaToOpen() const { return areaToOpen_; }
    // The coordinate, bounding box and maps folder as the boxes hold them now.
    DownloadPlace place() const;
    // The folder the area's map goes to: a folder of its own in the maps folder.
    QString areaFolder(const download::FetchedArea& area) const;

  public slots:
    void reject() override; // the title-bar close and Escape keep the choice as Close does
    void done(int result) override; // a running download is cancelled first

  private:
    void checkCoordinate();
    void showTileOfCoordinate();
    void openTileAddress();
    void keepChoice();
    int selectedContinent() const;

    QLineEdit* coordinate_ = nullptr;
    QLineEdit* tileName_ = nullptr;
    QLineEdit* address_ = nullptr;
    std::array<QRadioButton*, 6> continents_{};
    TileFetchPanel* fetch_ = nullptr;
    MapsFolderRow* maps_ = nullptr;
    QString defaultMaps_;
    download::FetchedArea areaToOpen_;
    int region_ = 0;
};

} // namespace orolith::gui
