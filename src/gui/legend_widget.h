#pragma once
// The elevation colour legend: 26 swatches, one per entry of the colour table, each
// captioned with the elevation it starts at. A double click on a swatch asks to edit it.

#include "core/style/palette.h"

#include <QLabel>
#include <QWidget>
#include <array>

namespace orolith::gui {

class SwatchLabel : public QLabel {
    Q_OBJECT
  public:
    SwatchLabel(int index, QWidget* parent);
    void setColour(std::int32_t colour);

  signals:
    void doubleClicked(int index);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    int index_;
};

class LegendWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSwatches = 26;

    explicit LegendWidget(QWidget* parent = nullptr);

    // Backgrounds from the table; the captions are left alone.
    void paint(const Palette& cols);
    // Captions 0m, 100m, … 2500m.
    void resetCaptions();
    void setCaption(int index, const QString& text);
    SwatchLabel* swatch(int index) const { return swatches_.at(static_cast<std::size_t>(index)); }
    // Marks one swatch as the selected one (a thick frame); -1 marks none.
    void select(int index);
    int selected() const { return selected_; }

  signals:
    void swatchDoubleClicked(int index);
    // The table's colours were painted anew.
    void painted();

  private:
    std::array<SwatchLabel*, kSwatches> swatches_{};
    int selected_ = -1;
};

} // namespace orolith::gui
