#pragma once
// The map preview, the window's main area: the bands of the listed input drawn as the
// receiver will draw them with the TYP file of the current settings. Its status line (which
// the window shows in its status bar) names the coordinate, the elevation and the band under
// the pointer.

#include "gui/preview_engine.h"

#include <QWidget>
#include <memory>
#include <optional>

class QToolButton;

namespace orolith::dem {
class ElevationProbe;
}

namespace orolith::gui {

class PreviewCanvas;

class PreviewPane : public QWidget {
    Q_OBJECT
  public:
    explicit PreviewPane(QWidget* parent = nullptr);
    ~PreviewPane() override;

    // Reads the input anew (a Geo Vector file, or elevation models banded as `input` says).
    void load(const dem::DemOptions& input, const render::BandReadSettings& settings);
    // Shows no map, saying why (the options would make none).
    void showNothing(const QString& reason);
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
    // The same for the band itself (its row in the band list).
    void bandClicked(int band);
    void bandDoubleClicked(int band);
    // The status line changed: what is read, or what lies under the pointer.
    void statusChanged(const QString& text);
    // A complete picture of the current view was shown.
    void pictureShown();

  private:
    void onBandsChanged(bool complete);
    void onPicture(const QImage& image, const render::MapView& view, bool complete);
    void onViewChanged();
    void applyLooks();
    void describe(QPointF pixel);
    void setStatus(const QString& text);

    PreviewEngine* engine_ = nullptr;
    PreviewCanvas* canvas_ = nullptr;
    QString status_;
    QString readState_;
    std::optional<render::StyleChoice> style_;
    bool contours_ = false;
    // The painting order of the bands last asked about (bandAt), kept while they stay.
    mutable std::vector<std::size_t> order_;
    mutable BandSnapshot orderOf_;
    QPointF pointer_;                            // where the pointer was last described
    bool fitted_ = false;                        // the user has not moved the view since the last fit
    QString loaded_;                             // the input last read
    std::unique_ptr<dem::ElevationProbe> probe_; // the elevation model's own heights, if it is one
};

} // namespace orolith::gui
