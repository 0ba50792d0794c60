#include "gui/download_dialog.h"

#include "core/tiles/srtm_tile.h"
#include "gui/byte_text.h"
#include "gui/desktop.h"
#include "gui/desktop_places.h"
#include "gui/maps_folder_row.h"
#include "gui/path_text.h"
#include "gui/tile_fetch_panel.h"

#include <QButtonGroup>
#include <QDir>
#include <QGridLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace orolith::gui {

namespace {

// The picture button's icon: a globe with an arrow pointing down into a tray.
QIcon globeDownloadIcon() {
    QPixmap pixmap(128, 128); // drawn large, so that it stays sharp when scaled up
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.scale(2, 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 90, 150), 3));
    painter.setBrush(QColor(170, 210, 240));
    painter.drawEllipse(QRectF(6, 4, 40, 40));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(17, 4, 18, 40));
    painter.drawLine(QPointF(6, 24), QPointF(46, 24));
    QPainterPath arrow;
    arrow.moveTo(44, 26);
    arrow.lineTo(56, 26);
    arrow.lineTo(56, 42);
    arrow.lineTo(62, 42);
    arrow.lineTo(50, 56);
    arrow.lineTo(38, 42);
    arrow.lineTo(44, 42);
    arrow.closeSubpath();
    painter.setPen(QPen(QColor(20, 90, 30), 2));
    painter.setBrush(QColor(60, 170, 70));
    painter.drawPath(arrow);
    painter.setPen(QPen(QColor(60, 60, 60), 3));
    painter.drawLine(QPointF(34, 60), QPointF(62, 60));
    return QIcon(pixmap);
}

QLineEdit* entry(QWidget* parent, const char* name, const QString& text) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

int runDownloadDialog(QWidget* parent, int region, const HomePlaces& places, download::FetchedArea* areaToOpen,
                      DownloadPlace* place, QString* areaFolder) {
    DownloadWindow window(region, parent, places, place ? *place : DownloadPlace{});
    window.exec();
    if (areaToOpen)
        *areaToOpen = window.areaToOpen();
    if (areaFolder)
        *areaFolder = window.areaFolder(window.areaToOpen());
    if (place)
        *place = window.place();
    return window.region();
}

DownloadWindow::DownloadWindow(int region, QWidget* parent, const HomePlaces& homePlaces, const DownloadPlace& place)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      region_(clampSrtmContinent(region)) {
    setObjectName("download");
    setWindowTitle(tr("Download map data"));
    setModal(true);
    const HomePlaces places = homePlaces.tiles.empty() ? windowPlaces(QString()) : homePlaces;
    defaultMaps_ = QDir::toNativeSeparators(fromPath(places.maps));

    coordinate_ = entry(this, "Text3",
                        place.coordinate.isEmpty() ? QStringLiteral("50.7531/-3.4354") : place.coordinate);
    coordinate_->setPlaceholderText(tr("Paste coordinates"));
    coordinate_->setMinimumWidth(200);
    auto* check = new QPushButton(tr("check"), this);
    check->setObjectName("Command2");
    tileName_ = entry(this, "Text1", "N50W001");
    tileName_->setMaximumWidth(110);

    auto* group = new QButtonGroup(this);
    auto* continents = new QGridLayout;
    for (int i = 0; i < kSrtmContinentCount; ++i) {
        const std::string_view caption = kSrtmContinents[static_cast<std::size_t>(i)];
        auto* option = new QRadioButton(QString::fromLatin1(caption.data(), qsizetype(caption.size())), this);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        group->addButton(option, i);
        continents->addWidget(option, i % 3, i / 3);
        continents_[static_cast<std::size_t>(i)] = option;
    }
    continents_[static_cast<std::size_t>(region_)]->setChecked(true);

    auto* download = new QToolButton(this);
    download->setObjectName("Picture2");
    download->setToolTip(tr("Download map data"));
    download->setIcon(globeDownloadIcon());
    download->setIconSize(QSize(48, 48));
    download->setAutoRaise(true);
    address_ = entry(this, "Text2", tr("Copy URL"));
    address_->setReadOnly(true);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName("Command1");
    check->setAutoDefault(false);
    close->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->addWidget(coordinate_, 0, 0, 1, 2);
    grid->addWidget(check, 0, 2);
    grid->addWidget(tileName_, 1, 0);
    grid->addLayout(continents, 2, 0, 1, 2);
    grid->addWidget(download, 1, 2, 2, 1, Qt::AlignCenter);
    grid->addWidget(address_, 3, 0, 1, 3);
    fetch_ = new TileFetchPanel(
        places, [this] { return coordinate_->text(); }, [this] { return std::max(selectedContinent(), 0); }, this);
    maps_ = new MapsFolderRow(place.mapsFolder.isEmpty() ? defaultMaps_ : place.mapsFolder, defaultMaps_, this);
    connect(fetch_, &TileFetchPanel::boxChanged, maps_, &MapsFolderRow::showAreaOf);
    fetch_->setBox(place.box);
    fetch_->offerModelBox(place.modelBox);
    grid->addWidget(fetch_, 4, 0, 1, 3);
    grid->addWidget(maps_, 5, 0, 1, 3);
    grid->addWidget(close, 6, 2);
    address_->setMinimumWidth(440);
    connect(fetch_, &TileFetchPanel::openTiles, this, [this](const download::FetchedArea& area) {
        areaToOpen_ = area;
        keepChoice();
        accept();
    });

    connect(check, &QPushButton::clicked, this, &DownloadWindow::checkCoordinate);
    connect(coordinate_, &QLineEdit::returnPressed, this, &DownloadWindow::checkCoordinate);
    connect(coordinate_, &QLineEdit::textChanged, this, &DownloadWindow::showTileOfCoordinate);
    showTileOfCoordinate();
    connect(download, &QToolButton::clicked, this, &DownloadWindow::openTileAddress);
    connect(close, &QPushButton::clicked, this, [this] {
        keepChoice();
        accept();
    });
}

void DownloadWindow::done(int result) {
    fetch_->cancel();
    QDialog::done(result);
}

void DownloadWindow::reject() {
    keepChoice();
    QDialog::reject();
}

int DownloadWindow::selectedContinent() const {
    for (int i = 0; i < kSrtmContinentCount; ++i) {
        if (continents_[static_cast<std::size_t>(i)]->isChecked())
            return i;
    }
    return -1;
}

void DownloadWindow::keepChoice() {
    if (const int chosen = selectedContinent(); chosen >= 0)
        region_ = chosen;
}

// The maps folder is kept only when the user chose another than the default, which then
// follows the desktop's documents folder.
DownloadPlace DownloadWindow::place() const {
    const QString maps = maps_->folder() == defaultMaps_ ? QString() : maps_->folder();
    return {coordinate_->text(), fetch_->box(), QString(), maps};
}

QString DownloadWindow::areaFolder(const download::FetchedArea& area) const {
    return QDir::toNativeSeparators(fromPath(download::areaFolder(toPath(maps_->folder()), area.name)));
}

// The tile of the coordinate follows the coordinate as it is typed; a text that is no
// coordinate (yet) leaves the name as it was.
void DownloadWindow::showTileOfCoordinate() {
    const TileNameResult tile = srtmTileName(coordinate_->text().toStdString());
    if (tile.problem == TileProblem::None)
        tileName_->setText(QString::fromStdString(tile.name));
}

// "check": the tile of the coordinate into the name box, and shown.
void DownloadWindow::checkCoordinate() {
    const TileNameResult tile = srtmTileName(coordinate_->text().toStdString());
    if (tile.problem != TileProblem::None) {
        Desktop::instance().message(this,
                                    QString::fromStdString(std::string(tileProblemMessage(tile.problem))));
        return;
    }
    tileName_->setText(QString::fromStdString(tile.name));
    Desktop::instance().message(this, tileName_->text());
}

// The picture button: the address of the named tile in the chosen continent, shown and opened.
void DownloadWindow::openTileAddress() {
    const std::string name = tileName_->text().toStdString();
    const TileNameCheck check = checkTileName(name);
    if (check == TileNameCheck::Empty)
        Desktop::instance().message(
            this, QString::fromLatin1(kTileEmptyMessage.data(), qsizetype(kTileEmptyMessage.size())));
    if (tileName_->text().size() != 7) {
        Desktop::instance().message(
            this, QString::fromLatin1(kTileLengthMessage.data(), qsizetype(kTileLengthMessage.size())));
        return;
    }
    const QString address =
        QString::fromStdString(srtmDownloadAddress(std::max(selectedContinent(), 0), name));
    address_->setText(address);
    address_->setCursorPosition(0); // the address from its start, "https://" included
    Desktop::instance().openUrl(address);
}

} // namespace orolith::gui
