#pragma once
// The map preview beside the controls: the bands of the listed input drawn as the receiver
// will draw them with the TYP file of the current settings. It can float as a window of its
// own. The status line names the coordinate and the band under the pointer.

#include "gui/preview_engine.h"

#include <QDockWidget>
#include <optional>

class QLabel;
class QToolButton;

namespace orolith::gui {

class PreviewCanvas;

class PreviewDock : public QDockWidget {
    Q_OBJECT
  public:
    explicit PreviewDock(QWidget* parent = nullptr);

    // Reads the input anew (a Geo Vector file or an elevation model).
    void load(const QString& path, const render::BandReadSettings& settings);
    // The style to draw with; nothing (the settings are not valid now) keeps the last one.
    void setStyle(const std::optional<render::StyleChoice>& style, bool contours);
    void fit();

    PreviewCanvas* canvas() const { return canvas_; }
    PreviewEngine& engine() { return *engine_; }
    QString statusText() const;
    // The band under a pixel of the canvas, or -1.
    std::ptrdiff_t bandAt(QPointF pixel) const;
    // The legend swatch (palette entry) that colours a band.
    int swatchOf(std::size_t band) const;

  signals:
    void swatchClicked(int swatch);
    void swatchDoubleClicked(int swatch);
    // A complete picture of the current view was shown.
    void pictureShown();

  private:
    void onBandsChanged(bool complete);
    void onPicture(const QImage& image, const render::MapView& view, bool complete);
    void onViewChanged();
    void applyLooks();
    void describe(QPointF pixel);

    PreviewEngine* engine_ = nullptr;
    PreviewCanvas* canvas_ = nullptr;
    QLabel* status_ = nullptr;
    QString readState_;
    std::optional<render::StyleChoice> style_;
    bool contours_ = false;
    // The painting order of the bands last asked about (bandAt), kept while they stay.
    mutable std::vector<std::size_t> order_;
    mutable BandSnapshot orderOf_;
    QPointF pointer_;                // where the pointer was last described
    bool fitted_ = false;            // the user has not moved the view since the last fit
};

} // namespace orolith::gui
