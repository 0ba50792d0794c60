#pragma once
// The elevation colour legend: with the classic table 26 swatches, one per entry, each
// captioned with the first band its colour paints; with a colour ramp one row per band,
// "225–250 m" beside its colour. A double click on a swatch or a row, or Enter while it has
// the focus, asks to edit it.

#include "core/style/palette.h"

#include "core/colour/colour_value.h"

#include <QLabel>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

class QListWidget;
class QStackedLayout;

namespace orolith::gui {

class SwatchLabel : public QLabel {
    Q_OBJECT
  public:
    SwatchLabel(int index, QWidget* parent);
    void setColour(std::int32_t colour);
    // The caption is shown cut to the swatch's width, so a long one never widens the legend.
    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

  signals:
    void doubleClicked(int index);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void showCaption();

    int index_;
    QString caption_;
};

class LegendWidget : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSwatches = 26;

    explicit LegendWidget(QWidget* parent = nullptr);

    // Backgrounds from the table; the captions are left alone.
    void paint(const Palette& colours);
    // Captions 0m, 100m, … 2500m.
    void resetCaptions();
    // One caption per swatch, as the conversion gives them (empty: the colour paints no band).
    void setCaptions(const std::vector<std::string>& captions);
    SwatchLabel* swatch(int index) const { return swatches_.at(static_cast<std::size_t>(index)); }
    // Marks one swatch as the selected one (a thick frame); -1 marks none.
    void select(int index);
    int selected() const { return selected_; }

    // One row per band: its caption beside its colour, in list order.
    void showBands(const std::vector<std::string>& captions, const std::vector<Rgb>& colours);
    // The 26 swatches again.
    void showTable();
    bool showsBands() const;
    QListWidget* bandList() const { return bands_; }

  signals:
    void swatchDoubleClicked(int index);
    void bandDoubleClicked(int band);
    // The table's colours were painted anew.
    void painted();

  private:
    std::array<SwatchLabel*, kSwatches> swatches_{};
    int selected_ = -1;
    QStackedLayout* pages_ = nullptr;
    QListWidget* bands_ = nullptr; // bandLegend
};

} // namespace orolith::gui
