#include "gui/ramp_chooser.h"

#include "core/platform/atomic_file.h"
#include "core/platform/small_file.h"
#include "core/style/band_tint.h"
#include "core/style/ramp_file.h"
#include "gui/desktop.h"
#include "gui/file_errors.h"
#include "gui/path_text.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace orolith::gui {

namespace {

constexpr int kStripWidth = 256;
constexpr int kStripHeight = 14;
const QString kAutomatic = QStringLiteral("automatic");

QString shownName(const std::string& name) {
    QString text = QString::fromStdString(name);
    text.replace(QLatin1Char('-'), QLatin1Char(' '));
    text[0] = text[0].toUpper();
    return text;
}

} // namespace

RampChooser::RampChooser(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto* row = new QHBoxLayout;
    combo_ = new QComboBox;
    combo_->setObjectName(QStringLiteral("rampChooser"));
    combo_->setToolTip(tr("The colours of the bands"));
    combo_->addItem(tr("Automatic"), kAutomatic);
    for (const std::string& name : builtInRampNames())
        combo_->addItem(shownName(name), QString::fromStdString(name));
    fromFile_ = new QPushButton(tr("From file…"));
    fromFile_->setObjectName(QStringLiteral("rampFromFile"));
    row->addWidget(combo_, 1);
    row->addWidget(fromFile_);
    strip_ = new QLabel;
    strip_->setObjectName(QStringLiteral("rampStrip"));
    strip_->setFixedHeight(kStripHeight);
    strip_->setScaledContents(true);
    // The strip takes the column's width, so a narrow panel need not scroll sideways for it.
    strip_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    column->addLayout(row);
    column->addWidget(strip_);
    connect(combo_, &QComboBox::currentIndexChanged, this, [this] {
        showStrip();
        emit changed();
    });
    connect(fromFile_, &QPushButton::clicked, this, &RampChooser::askForFile);
    showStrip();
}

std::optional<ColourRamp> RampChooser::chosen() const {
    const int index = combo_->currentIndex();
    const int builtIns = static_cast<int>(builtInRampNames().size());
    if (index <= 0)
        return std::nullopt;
    if (index <= builtIns)
        return builtInRamp(builtInRampNames()[static_cast<std::size_t>(index - 1)]);
    return files_.at(static_cast<std::size_t>(index - 1 - builtIns));
}

QString RampChooser::setting() const {
    return combo_->currentData().toString();
}

void RampChooser::choose(const QString& setting) {
    const int index = combo_->findData(setting);
    if (index >= 0)
        combo_->setCurrentIndex(index);
    else if (!chooseFile(setting))
        combo_->setCurrentIndex(0);
}

bool RampChooser::chooseFile(const QString& path) {
    RampFile file;
    ColourRamp ramp;
    if (!fileDone(this, file.read(toPath(path), ramp), file, path))
        return false;
    const int existing = combo_->findData(path);
    if (existing >= 0) {
        files_[static_cast<std::size_t>(existing - 1 - static_cast<int>(builtInRampNames().size()))] = ramp;
        combo_->setCurrentIndex(existing);
        showStrip();
        emit changed();
        return true;
    }
    files_.push_back(std::move(ramp));
    combo_->addItem(QFileInfo(path).fileName(), path);
    combo_->setItemData(combo_->count() - 1, path, Qt::ToolTipRole);
    combo_->setCurrentIndex(combo_->count() - 1);
    return true;
}

void RampChooser::setRange(double lowest, double highest) {
    lowest_ = lowest;
    highest_ = highest > lowest ? highest : lowest + 1;
    showStrip();
}

void RampChooser::askForFile() {
    const FileFilter filter{tr("Colour ramps (*.txt *.cpt *.clr);;All files (*)"), QStringLiteral("*.txt")};
    const QString path = Desktop::instance().fileDialog(false, this, QString(), QString(), filter);
    if (!path.isEmpty())
        chooseFile(path);
}

void RampChooser::showStrip() {
    const auto ramp = chosen().value_or(*builtInRamp("atlas"));
    QImage strip(kStripWidth, 1, QImage::Format_RGB32);
    if (ramp.classic) {
        strip.fill(palette().color(QPalette::Window));
        strip_->setToolTip(tr("The colour table, four shades per entry"));
    } else {
        // A ramp in metres is shown over its own stops where they reach beyond the data.
        double lowest = lowest_, highest = highest_;
        for (const RampStop& stop : ramp.day)
            if (stop.scale == StopScale::Metres) {
                lowest = std::min(lowest, stop.at);
                highest = std::max(highest, stop.at);
            }
        std::string error;
        const auto stops = placeStops(ramp.day, ElevationRange{lowest, highest}, error);
        for (int x = 0; x < kStripWidth; ++x) {
            const Rgb c = colourAt(*stops, lowest + (highest - lowest) * (x + 0.5) / kStripWidth);
            strip.setPixel(x, 0, qRgb(c.red, c.green, c.blue));
        }
        strip_->setToolTip(tr("%1 m to %2 m").arg(lowest).arg(highest));
    }
    strip_->setPixmap(QPixmap::fromImage(strip));
}

QString rampSettingFile(const QString& settingsFolder) {
    return settingsFolder + QStringLiteral("/ramp.txt");
}

QString loadRampSetting(const QString& file) {
    const SmallFile read = readSmallFile(toPath(file), 64 * 1024);
    const QString text = QString::fromUtf8(read.bytes).trimmed();
    if (read.outcome != FileRead::Done || !text.startsWith(QStringLiteral("ramp=")))
        return kAutomatic;
    const QString value = text.mid(5).section(QLatin1Char('\n'), 0, 0).trimmed();
    return value.isEmpty() ? kAutomatic : value;
}

bool saveRampSetting(const QString& file, const QString& setting) {
    std::string error;
    return writeFileAtomically(toPath(file), "ramp=" + setting.toStdString() + "\r\n", error);
}

} // namespace orolith::gui
