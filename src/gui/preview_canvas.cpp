#include "gui/preview_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

namespace orolith::gui {

namespace {

constexpr double kWheelStep = 1.25;   // per notch
constexpr double kKeyStep = 2.0;      // per + or -
constexpr double kClickSlop = 3.0;    // pixels a press may move and still be a click

// 1, 2 or 5 times a power of ten, at most `limit`.
double roundLength(double limit) {
    const double power = std::pow(10.0, std::floor(std::log10(limit)));
    for (const double step : {5.0, 2.0, 1.0})
        if (step * power <= limit)
            return step * power;
    return power;
}

} // namespace

PreviewCanvas::PreviewCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    setCursor(Qt::OpenHandCursor);
}

void PreviewCanvas::setView(const render::MapView& view) {
    view_ = view;
    update();
    emit viewChanged(view_);
}

void PreviewCanvas::showPicture(const QImage& image, const render::MapView& imageView) {
    image_ = image;
    imageView_ = imageView;
    update();
}

void PreviewCanvas::clearPicture() {
    image_ = QImage();
    update();
}

void PreviewCanvas::zoomAbout(double factor, QPointF pixel) {
    if (view_.isValid())
        setView(view_.zoomed(factor, pixel));
}

std::pair<double, int> PreviewCanvas::scaleBar(double metresPerPixel, int longestPixels) {
    if (!(metresPerPixel > 0) || longestPixels < 1)
        return {0.0, 0};
    const double metres = roundLength(metresPerPixel * longestPixels);
    return {metres, static_cast<int>(std::lround(metres / metresPerPixel))};
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!image_.isNull() && view_.isValid() && imageView_.isValid()) {
        const render::GeoBox area = imageView_.area();
        const QRectF target(view_.toPixel({area.west, area.north}), view_.toPixel({area.east, area.south}));
        painter.drawImage(target, image_);
    }
    paintScaleBar(painter);
}

void PreviewCanvas::paintScaleBar(QPainter& painter) {
    if (!view_.isValid())
        return;
    const auto [metres, pixels] = scaleBar(view_.metresPerPixel(), width() / 4);
    if (pixels < 1)
        return;
    const QString text = metres >= 1000 ? tr("%1 km").arg(metres / 1000) : tr("%1 m").arg(metres);
    const int x = 10;
    const int y = height() - 12;
    painter.setPen(QPen(Qt::white, 5));
    painter.drawLine(x, y, x + pixels, y);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawLine(x, y, x + pixels, y);
    painter.drawLine(x, y - 5, x, y + 1);
    painter.drawLine(x + pixels, y - 5, x + pixels, y + 1);
    painter.drawText(QPointF(x + 4, y - 6), text);
}

void PreviewCanvas::resizeEvent(QResizeEvent*) {
    if (view_.isValid())
        setView(view_.resized(size()));
}

void PreviewCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    moved_ = false;
    pressedAt_ = lastDrag_ = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void PreviewCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(event->position());
    if (!dragging_)
        return;
    const QPointF delta = event->position() - lastDrag_;
    if (!moved_ && (event->position() - pressedAt_).manhattanLength() < kClickSlop)
        return;
    moved_ = true;
    lastDrag_ = event->position();
    if (view_.isValid())
        setView(view_.panned(delta));
}

void PreviewCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    setCursor(Qt::OpenHandCursor);
    if (!moved_)
        emit clicked(event->position());
}

void PreviewCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(event->position());
}

void PreviewCanvas::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomAbout(std::pow(kWheelStep, notches), event->position());
    event->accept();
}

void PreviewCanvas::keyPressEvent(QKeyEvent* event) {
    const QPointF pointer = mapFromGlobal(QCursor::pos());
    const QPointF about = rect().contains(pointer.toPoint()) ? pointer : QPointF(width() / 2.0, height() / 2.0);
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal)
        zoomAbout(kKeyStep, about);
    else if (event->key() == Qt::Key_Minus)
        zoomAbout(1.0 / kKeyStep, about);
    else
        QWidget::keyPressEvent(event);
}

} // namespace orolith::gui
