#pragma once
// Small pieces of the colour picker: an area that reports the mouse, a colour swatch, the
// field's ring marker and the strip's triangle pointer.

#include <QWidget>
#include <cstdint>
#include <optional>

namespace orolith::gui {

// Reports presses, moves and releases in its own pixel coordinates. A move is reported
// with the buttons held, so a handler can act only while the left button is down.
class PointerArea : public QWidget {
    Q_OBJECT
  public:
    explicit PointerArea(QWidget* parent = nullptr);

  signals:
    void pressed(QPoint position, Qt::MouseButton button);
    void moved(QPoint position, Qt::MouseButtons buttons);
    void released(QPoint position);
    void clicked(); // press and release of the left button over the area

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A bordered box filled with a colour value; empty (no colour) until it is given one.
class ColourSwatch : public PointerArea {
    Q_OBJECT
  public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    // A value that is no colour (negative or above FFFFFF) is ignored.
    void setColour(std::int32_t colour);
    std::optional<std::int32_t> colour() const { return colour_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<std::int32_t> colour_;
};

// The field's marker: a dark ring, transparent inside and around it.
class FieldMarker : public PointerArea {
    Q_OBJECT
  public:
    static constexpr int kSize = 16;
    explicit FieldMarker(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// The strip's pointer: a dark triangle pointing up at the strip.
class StripPointer : public PointerArea {
    Q_OBJECT
  public:
    static constexpr int kWidth = 15;
    static constexpr int kHeight = 8;
    explicit StripPointer(QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace orolith::gui
