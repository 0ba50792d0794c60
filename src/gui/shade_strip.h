#pragma once
// The shade strip of the colour picker (32 cells of darker and lighter shades) and the
// track under it that holds the triangle pointer.

#include "core/colour/colour_model.h"
#include "gui/picker_parts.h"

namespace orolith::gui {

class ShadeStrip : public PointerArea {
    Q_OBJECT
  public:
    explicit ShadeStrip(QWidget* parent = nullptr);

    // Draws the cells of a colour across the strip's width.
    void showShadesOf(std::int32_t colour);
    // The colour drawn at a point, or −1 outside the strip or before anything was drawn.
    std::int32_t colourAt(QPoint position) const;
    const ShadeCells& cells() const { return cells_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    ShadeCells cells_{};
    bool drawn_ = false;
};

// The track under the strip. Its pointer's left edge within the track is the strip column
// the pointer's tip shows.
class ShadeTrack : public QWidget {
    Q_OBJECT
  public:
    explicit ShadeTrack(QWidget* parent = nullptr);
    StripPointer* pointer() const { return pointer_; }

  private:
    StripPointer* pointer_;
};

} // namespace orolith::gui
