#pragma once
// The hue/saturation field of the colour picker: the field picture, shown unscaled, with
// the ring marker on it. Positions are pixels of the picture.

#include "gui/picker_parts.h"

#include <QImage>
#include <cstdint>
#include <vector>

namespace orolith::gui {

class ColourField : public PointerArea {
    Q_OBJECT
  public:
    explicit ColourField(QWidget* parent = nullptr);

    // The picture's colour at a point, or −1 outside the picture.
    std::int32_t colourAt(QPoint position) const;

    FieldMarker* marker() const { return marker_; }

    // The custom pointer of the field: the cursor file when Qt can read it, else a cross.
    void useCursorFile(const QString& path);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<std::int32_t> picture_;
    QImage image_;
    FieldMarker* marker_;
};

} // namespace orolith::gui
