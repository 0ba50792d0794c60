#include "gui/maps_folder_row.h"

#include "download/fetched_area.h"
#include "download/tile_area.h"
#include "gui/byte_text.h"
#include "gui/desktop.h"
#include "gui/path_text.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orolith::gui {

namespace dl = orolith::download;

MapsFolderRow::MapsFolderRow(const QString& folder, const QString& defaultFolder, QWidget* parent)
    : QWidget(parent), default_(QDir::toNativeSeparators(defaultFolder)) {
    folder_ = new QLineEdit(QDir::toNativeSeparators(folder), this);
    folder_->setObjectName("mapsFolder");
    folder_->setPlaceholderText(default_);
    auto* choose = new QPushButton(tr("Choose…"), this);
    choose->setObjectName("chooseMapsFolder");
    choose->setAutoDefault(false);
    area_ = new QLabel(this);
    area_->setObjectName("areaFolder");
    area_->setWordWrap(true);
    area_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(tr("Maps folder:"), this), 0, 0);
    grid->addWidget(folder_, 0, 1);
    grid->addWidget(choose, 0, 2);
    grid->addWidget(area_, 1, 0, 1, 3);
    connect(choose, &QPushButton::clicked, this, &MapsFolderRow::choose);
    connect(folder_, &QLineEdit::textChanged, this, [this] { showAreaOf(box_); });
    showAreaOf(QString());
}

QString MapsFolderRow::folder() const {
    const QString text = folder_->text().trimmed();
    if (text.isEmpty())
        return default_;
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::home().absoluteFilePath(text)));
}

void MapsFolderRow::showAreaOf(const QString& box) {
    box_ = box;
    std::string problem;
    const auto read = dl::parseBoundingBox(toBytes(box), problem);
    if (!read) {
        area_->setText(tr("Each area's map goes into a folder of its own here, named after its tiles."));
        return;
    }
    const std::string name = dl::areaName(dl::tilesCovering(*read));
    area_->setText(tr("The map of this area goes to %1")
                       .arg(QDir::toNativeSeparators(fromPath(dl::areaFolder(toPath(folder()), name)))));
}

void MapsFolderRow::choose() {
    const QString chosen = Desktop::instance().chooseFolder(this, folder());
    if (!chosen.isEmpty())
        folder_->setText(chosen);
}

} // namespace orolith::gui
