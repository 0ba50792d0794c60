#pragma once
// The preview's drawing area: the latest picture placed where its area lies in the current
// view (so a drag or a zoom moves it at once, before the new picture arrives), a scale bar,
// and the pointer's gestures: drag to pan, wheel or + and - to zoom about the pointer.

#include "render/map_view.h"

#include <QImage>
#include <QWidget>

namespace orolith::gui {

class PreviewCanvas : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewCanvas(QWidget* parent = nullptr);

    const render::MapView& view() const { return view_; }
    void setView(const render::MapView& view);
    // Shows `image`, a picture of `imageView`.
    void showPicture(const QImage& image, const render::MapView& imageView);
    void clearPicture();
    // Zooms by `factor` (above 1: closer) about `pixel`.
    void zoomAbout(double factor, QPointF pixel);

    // The scale bar's length in metres and in pixels for the current view.
    static std::pair<double, int> scaleBar(double metresPerPixel, int longestPixels);

  signals:
    void viewChanged(const orolith::render::MapView& view);
    void pointerMoved(QPointF pixel);
    void clicked(QPointF pixel);
    void doubleClicked(QPointF pixel);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void paintScaleBar(QPainter& painter);

    render::MapView view_;
    QImage image_;
    render::MapView imageView_;
    QPointF pressedAt_;
    QPointF lastDrag_;
    bool dragging_ = false;
    bool moved_ = false;
};

} // namespace orolith::gui
