#include "gui/tile_fetch_panel.h"

#include "download/fetch_estimate.h"
#include "download/source_settings.h"
#include "download/tile_area.h"
#include "gui/byte_text.h"
#include "gui/desktop.h"
#include "gui/progress_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

namespace orolith::gui {

namespace dl = orolith::download;

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

constexpr int kProgressSteps = 1000;
// Larger downloads are asked about first.
constexpr std::size_t kAskAboveTiles = 50;
constexpr std::uint64_t kAskAboveBytes = std::uint64_t{1} << 30;

QString boxText(const dl::BoundingBox& box) {
    return QStringLiteral("%1,%2,%3,%4").arg(box.south).arg(box.west).arg(box.north).arg(box.east);
}

// Hands the fetch's news to the panel on the window's thread; a panel already gone gets none.
class PanelListener : public dl::FetchListener {
  public:
    PanelListener(QPointer<QObject> panel, std::function<void(dl::FetchProgress)> show,
                  std::shared_ptr<std::atomic<bool>> stop)
        : panel_(std::move(panel)), show_(std::move(show)), stop_(std::move(stop)) {}
    void progress(const dl::FetchProgress& progress) override {
        QMetaObject::invokeMethod(panel_.data(), [show = show_, progress] { show(progress); }, Qt::QueuedConnection);
    }
    bool cancelled() override { return stop_->load(); }

  private:
    QPointer<QObject> panel_;
    std::function<void(dl::FetchProgress)> show_;
    std::shared_ptr<std::atomic<bool>> stop_;
};

} // namespace

TileFetchPanel::TileFetchPanel(const HomePlaces& places, std::function<QString()> coordinate,
                               std::function<int()> continent, QWidget* parent)
    : QWidget(parent), sourcesFile_(dl::sourceSettingsIn(places.settings)), cacheRoot_(places.tiles),
      coordinate_(std::move(coordinate)), continent_(std::move(continent)) {
    const dl::SourceSettings settings = dl::readSourceSettings(sourcesFile_);
    sources_ = new QListWidget(this);
    sources_->setObjectName("sourceList");
    for (const dl::SourceKind kind : dl::kAllSources) {
        auto* item = new QListWidgetItem(fromView(dl::sourceTitle(kind)), sources_);
        item->setData(Qt::UserRole, static_cast<int>(kind));
        item->setToolTip(fromView(dl::sourceAttribution(kind)));
        const bool chosen = std::find(settings.chosen.begin(), settings.chosen.end(), kind) != settings.chosen.end();
        item->setCheckState(chosen ? Qt::Checked : Qt::Unchecked);
    }
    sources_->setMaximumHeight(sources_->sizeHintForRow(0) * 4 + 2 * sources_->frameWidth() + 4);
    box_ = new QLineEdit(this);
    box_->setObjectName("boxEdit");
    box_->setPlaceholderText(tr("South,West,North,East"));
    auto* fromTile = new QPushButton(tr("Tile of the coordinate"), this);
    fromTile->setObjectName("boxFromTile");
    download_ = new QPushButton(tr("Download"), this);
    download_->setObjectName("downloadButton");
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName("cancelButton");
    open_ = new QPushButton(tr("Open the tiles"), this);
    open_->setObjectName("openTilesButton");
    fromModel_ = new QPushButton(tr("Extent of the open model"), this);
    fromModel_->setObjectName("boxFromModel");
    fromModel_->setEnabled(false);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("downloadProgress");
    status_ = new QLabel(this);
    status_->setObjectName("downloadStatus");
    status_->setWordWrap(true);
    for (QPushButton* button : {fromTile, fromModel_, download_, cancel_, open_})
        button->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(tr("Sources, asked in this order:"), this), 0, 0, 1, 3);
    grid->addWidget(sources_, 1, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Bounding box:"), this), 2, 0);
    grid->addWidget(box_, 2, 1);
    grid->addWidget(fromTile, 2, 2);
    grid->addWidget(fromModel_, 3, 2);
    grid->addWidget(progress_, 4, 0, 1, 2);
    grid->addWidget(download_, 4, 2);
    grid->addWidget(status_, 5, 0, 1, 2);
    grid->addWidget(cancel_, 5, 2);
    grid->addWidget(open_, 6, 2);

    connect(box_, &QLineEdit::textChanged, this, &TileFetchPanel::boxChanged);
    connect(fromTile, &QPushButton::clicked, this, &TileFetchPanel::takeCoordinateTile);
    connect(fromModel_, &QPushButton::clicked, this, [this] { box_->setText(modelBox_); });
    connect(download_, &QPushButton::clicked, this, &TileFetchPanel::startDownload);
    connect(cancel_, &QPushButton::clicked, this, &TileFetchPanel::cancel);
    connect(open_, &QPushButton::clicked, this, [this] { emit openTiles(area_); });
    open_->setEnabled(false);
    setRunning(false);
}

TileFetchPanel::~TileFetchPanel() {
    cancel();
}

void TileFetchPanel::cancel() {
    if (!worker_.joinable())
        return;
    stop_->store(true);
    worker_.join(); // the fetch looks at the flag several times a second
}

QString TileFetchPanel::box() const {
    return box_->text();
}

void TileFetchPanel::setBox(const QString& box) {
    box_->setText(box);
}

void TileFetchPanel::offerModelBox(const QString& box) {
    modelBox_ = box;
    fromModel_->setEnabled(!box.isEmpty());
    fromModel_->setToolTip(box);
}

void TileFetchPanel::takeCoordinateTile() {
    const TileNameResult tile = srtmTileName(toBytes(coordinate_()));
    if (tile.problem != TileProblem::None) {
        Desktop::instance().message(this, fromView(tileProblemMessage(tile.problem)));
        return;
    }
    box_->setText(boxText(dl::boxOfTile(tile.tile)));
}

std::vector<dl::SourceKind> TileFetchPanel::chosenSources() const {
    std::vector<dl::SourceKind> kinds;
    for (int row = 0; row < sources_->count(); ++row) {
        if (sources_->item(row)->checkState() == Qt::Checked)
            kinds.push_back(static_cast<dl::SourceKind>(sources_->item(row)->data(Qt::UserRole).toInt()));
    }
    return kinds;
}

void TileFetchPanel::startDownload() {
    if (running())
        return;
    std::string problem;
    const auto box = dl::parseBoundingBox(toBytes(box_->text()), problem);
    if (!box) {
        Desktop::instance().message(this, tr("The bounding box: ") + fromView(problem));
        return;
    }
    const std::vector<TileCorner> tiles = dl::tilesCovering(*box);
    if (tiles.size() > dl::kMaxTilesPerFetch) {
        Desktop::instance().message(this, tr("The bounding box covers %1 tiles; at most %2 are fetched at once.")
                                              .arg(tiles.size())
                                              .arg(dl::kMaxTilesPerFetch));
        return;
    }
    dl::SourceSettings settings = dl::readSourceSettings(sourcesFile_);
    settings.chosen = chosenSources();
    if (settings.chosen.empty()) {
        Desktop::instance().message(this, tr("Tick at least one source."));
        return;
    }
    tileBytes_ = dl::typicalTileBytes(settings.chosen.front());
    const std::uint64_t expected = tiles.size() * tileBytes_;
    if (!largeDownloadAgreed(tiles.size(), expected))
        return;
    std::string error;
    dl::writeSourceSettings(sourcesFile_, settings, error); // a choice not kept is no failure
    dl::FetchOptions options;
    for (const dl::SourceKind kind : settings.chosen)
        options.sources.push_back(dl::configuredSource(settings, kind, continent_()));
    options.cacheRoot = cacheRoot_;

    tiles_ = tiles;
    expectedBytes_ = expected;
    area_ = {};
    open_->setEnabled(false);
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    status_->setText(tiles.size() == 1
                         ? tr("1 tile, about %1").arg(byteSizeText(expected))
                         : tr("%1 tiles, about %2").arg(tiles.size()).arg(byteSizeText(expected)));
    setRunning(true);
    stop_ = std::make_shared<std::atomic<bool>>(false);
    QPointer<QObject> self(this);
    worker_ = std::thread([this, self, tiles, options, stop = stop_] {
        PanelListener listener(self, [this](dl::FetchProgress p) { showProgress(p); }, stop);
        auto report = std::make_shared<dl::FetchReport>(dl::fetchTiles(tiles, options, listener));
        QMetaObject::invokeMethod(self.data(), [this, report] { finish(*report); }, Qt::QueuedConnection);
    });
}

bool TileFetchPanel::largeDownloadAgreed(std::size_t tiles, std::uint64_t bytes) {
    if (tiles <= kAskAboveTiles && bytes <= kAskAboveBytes)
        return true;
    return Desktop::instance().ask(
        this, tr("The area covers %1 tiles, about %2 to download.").arg(tiles).arg(byteSizeText(bytes)) +
                  QStringLiteral("\r\n\r\n") + tr("Download them?"));
}

// The bar follows the bytes as they arrive, against the size expected: what the servers
// announced, and a typical tile's size for the tiles not under way yet. Or it follows the
// tiles done, when they are further on (tiles from the cache and the sea cost no bytes).
void TileFetchPanel::showProgress(const dl::FetchProgress& p) {
    if (!running())
        return;
    expectedBytes_ = p.bytes + p.bytesAnnounced + p.tilesUnsized * tileBytes_;
    const double expected = static_cast<double>(expectedBytes_);
    const double byBytes = expected > 0 ? static_cast<double>(p.bytes) / expected : 0.0;
    const double byTiles =
        p.tilesTotal > 0 ? static_cast<double>(p.tilesDone) / static_cast<double>(p.tilesTotal) : 0.0;
    progress_->setValue(static_cast<int>(std::max(byBytes, byTiles) * kProgressSteps));
    status_->setText(fetchProgressText(p, expectedBytes_));
}

void TileFetchPanel::finish(const dl::FetchReport& report) {
    if (worker_.joinable())
        worker_.join();
    setRunning(false);
    int fetched = 0, cached = 0, sea = 0;
    QStringList failures;
    for (const dl::TileResult& tile : report.tiles) {
        fetched += tile.state == dl::TileState::Downloaded;
        cached += tile.state == dl::TileState::Cached;
        sea += tile.state == dl::TileState::None;
        if (tile.state == dl::TileState::Failed)
            failures.append(fromBytes(tileName(tile.tile) + ": " + tile.problem));
    }
    // Only a complete fetch fills the bar; a cancelled or failed one shows how far it got.
    if (report.cancelled) {
        status_->setText(tr("Cancelled: %1 tiles fetched; the next download goes on from there.").arg(fetched));
        return;
    }
    if (failures.isEmpty()) {
        area_ = dl::fetchedArea(tiles_, report);
        progress_->setValue(progress_->maximum());
    }
    status_->setText(tr("%1 fetched, %2 from the cache, %3 sea, %4 failed")
                         .arg(fetched)
                         .arg(cached)
                         .arg(sea)
                         .arg(failures.size()));
    open_->setEnabled(!area_.rasters.empty());
    if (!failures.isEmpty())
        Desktop::instance().message(this, tr("These tiles could not be fetched:\n") + failures.join('\n'));
    else if (area_.rasters.empty())
        Desktop::instance().message(this, tr("No source has a tile of this area: it is all sea."));
}

void TileFetchPanel::setRunning(bool running) {
    download_->setEnabled(!running);
    cancel_->setEnabled(running);
    sources_->setEnabled(!running);
    box_->setEnabled(!running);
}

} // namespace orolith::gui
