#pragma once
// The download window's fetching part: the sources to ask (in order), the bounding box,
// "Download" with a progress bar and "Cancel", and "Open the tiles" once they are in the
// cache. The fetch runs on a thread of its own; the window stays responsive, and closing it
// cancels the fetch and waits for the thread.

#include "core/settings/home_places.h"
#include "download/fetched_area.h"
#include "download/tile_fetcher.h"

#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace orolith::gui {

class TileFetchPanel : public QWidget {
    Q_OBJECT
  public:
    // `places` names the download settings' folder and the tile cache. `coordinate` gives
    // the coordinate box's text, `continent` the continent chosen for the SRTM-3 layout.
    TileFetchPanel(const HomePlaces& places, std::function<QString()> coordinate, std::function<int()> continent,
                   QWidget* parent = nullptr);
    ~TileFetchPanel() override;

    bool running() const { return worker_.joinable(); }
    // The tile cache the downloads go to.
    const std::filesystem::path& cacheRoot() const { return cacheRoot_; }
    QString box() const;
    void setBox(const QString& box);
    // Offers the open elevation model's extent ("S,W,N,E") as the bounding box; empty: none.
    void offerModelBox(const QString& box);
    // Stops a running fetch and waits for its thread; what was fetched stays in the cache.
    void cancel();

  signals:
    void boxChanged(const QString& box);
    // "Open the tiles": the fetched area, its tiles as GDAL opens them and its sea tiles.
    void openTiles(const download::FetchedArea& area);

  private:
    void takeCoordinateTile();
    void startDownload();
    void showProgress(const download::FetchProgress& progress);
    void finish(const download::FetchReport& report);
    void setRunning(bool running);
    // Asks before a large download; false when the user declines.
    bool largeDownloadAgreed(std::size_t tiles, std::uint64_t bytes);
    std::vector<download::SourceKind> chosenSources() const;

    std::filesystem::path sourcesFile_; // the download settings
    std::filesystem::path cacheRoot_;
    std::function<QString()> coordinate_;
    std::function<int()> continent_;
    QListWidget* sources_ = nullptr;
    QLineEdit* box_ = nullptr;
    QPushButton* download_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* fromModel_ = nullptr;
    QString modelBox_;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<TileCorner> tiles_; // of the last download
    std::uint64_t tileBytes_ = 0;   // a typical tile of the first source
    std::uint64_t expectedBytes_ = 0; // as announced, or about, from typical tile sizes
    download::FetchedArea area_;    // what "Open the tiles" hands over
    std::shared_ptr<std::atomic<bool>> stop_;
    std::thread worker_;
};

} // namespace orolith::gui
