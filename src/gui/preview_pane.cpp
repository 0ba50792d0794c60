// The elevation headers come before Qt's, whose "slots" keyword they use as a name.
// clang-format off
#include "dem/dem_bands.h"
#include "dem/dem_raster.h"
#include "dem/elevation_probe.h"
// clang-format on
#include "gui/preview_pane.h"

#include "core/style/band_colour.h"
#include "gui/preview_canvas.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace orolith::gui {

namespace {

constexpr int kLeastFitWidth = 800;
constexpr int kLeastFitHeight = 600;

QToolButton* toolButton(const QString& name, const QString& text, const QString& tip) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setToolTip(tip);
    return button;
}

QString degreesText(double value, char positive, char negative) {
    return QStringLiteral("%1° %2")
        .arg(std::abs(value), 0, 'f', 5)
        .arg(QLatin1Char(value < 0 ? negative : positive));
}

} // namespace

PreviewPane::PreviewPane(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("preview"));
    engine_ = new PreviewEngine(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* tools = new QHBoxLayout;
    auto* fitButton = toolButton(QStringLiteral("previewFit"), tr("Fit"), tr("Show the whole input"));
    auto* zoomIn = toolButton(QStringLiteral("previewZoomIn"), QStringLiteral("+"), tr("Zoom in"));
    auto* zoomOut = toolButton(QStringLiteral("previewZoomOut"), QStringLiteral("−"), tr("Zoom out"));
    tools->addWidget(fitButton);
    tools->addWidget(zoomOut);
    tools->addWidget(zoomIn);
    tools->addStretch(1);
    canvas_ = new PreviewCanvas;
    canvas_->setObjectName(QStringLiteral("previewCanvas"));
    layout->addLayout(tools);
    layout->addWidget(canvas_, 1);
    setMinimumWidth(240);

    const auto centre = [this] { return QPointF(canvas_->width() / 2.0, canvas_->height() / 2.0); };
    connect(fitButton, &QToolButton::clicked, this, &PreviewPane::fit);
    connect(zoomIn, &QToolButton::clicked, this, [this, centre] { canvas_->zoomAbout(2.0, centre()); });
    connect(zoomOut, &QToolButton::clicked, this, [this, centre] { canvas_->zoomAbout(0.5, centre()); });
    connect(engine_, &PreviewEngine::bandsChanged, this, &PreviewPane::onBandsChanged);
    connect(engine_, &PreviewEngine::pictureReady, this, &PreviewPane::onPicture);
    connect(engine_, &PreviewEngine::detailChanged, this, [this] {
        onViewChanged();
        // The band under a pointer that rests may be another one at the finer level.
        if (canvas_->underMouse())
            describe(pointer_);
    });
    connect(engine_, &PreviewEngine::readFailed, this, [this](const QString& message) {
        readState_ = message;
        setStatus(message);
    });
    connect(canvas_, &PreviewCanvas::viewChanged, this, [this] {
        fitted_ = false; // fit() sets it again once the view is set
        onViewChanged();
    });
    connect(canvas_, &PreviewCanvas::pointerMoved, this, &PreviewPane::describe);
    connect(canvas_, &PreviewCanvas::clicked, this, [this](QPointF pixel) {
        if (const auto band = bandAt(pixel); band >= 0) {
            emit swatchClicked(swatchOf(static_cast<std::size_t>(band)));
            emit bandClicked(static_cast<int>(band));
        }
    });
    connect(canvas_, &PreviewCanvas::doubleClicked, this, [this](QPointF pixel) {
        if (const auto band = bandAt(pixel); band >= 0) {
            emit swatchDoubleClicked(swatchOf(static_cast<std::size_t>(band)));
            emit bandDoubleClicked(static_cast<int>(band));
        }
    });
}

PreviewPane::~PreviewPane() = default;

void PreviewPane::load(const dem::DemOptions& input, const render::BandReadSettings& settings) {
    orderOf_.reset();
    const QString path = input.inputs.empty() ? QString() : QString::fromStdString(input.inputs.front());
    // The same input read with other options keeps the view; another one is fitted.
    if (path != loaded_) {
        fitted_ = true;
        canvas_->clearPicture();
        probe_.reset();
        auto probe = std::make_unique<dem::ElevationProbe>();
        std::string error;
        if (input.inputs.size() == 1 && dem::isElevationRaster(input.inputs.front()) &&
            probe->open(input.inputs.front(), error))
            probe_ = std::move(probe);
    }
    loaded_ = path;
    readState_ = tr("Reading %1 …").arg(path);
    setStatus(readState_);
    // The whole input is kept as detailed as the canvas shows it whole (at least a common
    // window's size); closer views read their area again.
    render::BandReadSettings reading = settings;
    const double ratio = canvas_->devicePixelRatioF();
    reading.fitWidth = static_cast<int>(std::max(canvas_->width(), kLeastFitWidth) * ratio);
    reading.fitHeight = static_cast<int>(std::max(canvas_->height(), kLeastFitHeight) * ratio);
    engine_->load(input, reading);
}

void PreviewPane::showNothing(const QString& reason) {
    engine_->clear();
    loaded_.clear();
    probe_.reset();
    orderOf_.reset();
    canvas_->clearPicture();
    readState_ = reason;
    setStatus(reason);
}

void PreviewPane::setStyle(const std::optional<render::StyleChoice>& style, bool contours) {
    if (style)
        style_ = style;
    contours_ = contours;
    applyLooks();
    onViewChanged();
}

void PreviewPane::applyLooks() {
    const BandSnapshot& bands = engine_->bands();
    if (!bands || !style_)
        return;
    engine_->setLooks(render::bandLooks(*style_, bands->types, bands->lowest), contours_, Qt::white);
    orderOf_.reset();
}

void PreviewPane::fit() {
    const BandSnapshot& bands = engine_->bands();
    if (!bands || bands->extent.isEmpty())
        return;
    canvas_->setView(render::MapView::fitted(bands->extent.grown(0.02), canvas_->size()));
    fitted_ = true;
}

void PreviewPane::onBandsChanged(bool complete) {
    const BandSnapshot& bands = engine_->bands();
    readState_ = complete ? tr("%1 bands, %2 polygons, %3 vertices")
                                .arg(bands->types.size())
                                .arg(bands->polygons.size())
                                .arg(bands->vertexCount())
                          : tr("Reading … %1 polygons so far").arg(bands->polygons.size());
    setStatus(readState_);
    applyLooks();
    if (fitted_) {
        fit();
        return;
    }
    onViewChanged();
}

void PreviewPane::onViewChanged() {
    engine_->paint(canvas_->view(), canvas_->devicePixelRatioF());
}

void PreviewPane::onPicture(const QImage& image, const render::MapView& view, bool complete) {
    canvas_->showPicture(image, view);
    if (complete && !engine_->reading() && view.area().west == canvas_->view().area().west)
        emit pictureShown();
}

std::ptrdiff_t PreviewPane::bandAt(QPointF pixel) const {
    const BandSnapshot& bands = engine_->bandsFor(canvas_->view());
    if (!bands || engine_->looks().size() != bands->types.size())
        return -1;
    if (orderOf_ != bands) {
        order_ = render::paintingOrder(*bands, engine_->looks());
        orderOf_ = bands;
    }
    const std::ptrdiff_t polygon = render::polygonAt(canvas_->view(), *bands, order_, pixel);
    return polygon < 0 ? -1
                       : static_cast<std::ptrdiff_t>(bands->polygons[static_cast<std::size_t>(polygon)].band);
}

int PreviewPane::swatchOf(std::size_t band) const {
    const BandSnapshot& bands = engine_->bands();
    const std::int64_t counter = paletteCounter(bands ? bands->lowest : 0, band);
    return static_cast<int>(((counter % 26) + 26) % 26);
}

QString PreviewPane::statusText() const {
    return status_;
}

void PreviewPane::setStatus(const QString& text) {
    status_ = text;
    emit statusChanged(text);
}

void PreviewPane::describe(QPointF pixel) {
    pointer_ = pixel;
    const render::MapView& view = canvas_->view();
    if (!view.isValid())
        return;
    const GeoPoint p = view.toGeo(pixel);
    QString text = degreesText(p.lat, 'N', 'S') + QStringLiteral(", ") + degreesText(p.lon, 'E', 'W');
    if (probe_)
        if (const auto elevation = probe_->at(p))
            text +=
                tr("   elevation %1 m")
                    .arg(*elevation, 0, 'f', std::abs(*elevation - std::round(*elevation)) < 1e-9 ? 0 : 1);
    const auto band = bandAt(pixel);
    if (band >= 0) {
        const TypeEntry& entry = engine_->bands()->types[static_cast<std::size_t>(band)];
        text += tr("   band %1 m, type 0x%2")
                    .arg(QString::fromStdString(entry.elevation), QString::fromStdString(entry.type));
    }
    setStatus(text);
}

} // namespace orolith::gui
