#pragma once
// The "Contour lines" box beside the elevation options: when ticked, labelled contour lines
// every so many metres (or feet) go into the map of an elevation model with its bands.

#include <QGroupBox>

class QCheckBox;
class QLineEdit;

namespace orolith::dem {
struct ContourOptions;
}

namespace orolith::gui {

class ContourLinesBox : public QGroupBox {
    Q_OBJECT
  public:
    explicit ContourLinesBox(QWidget* parent = nullptr);

    // The chosen lines into `options` (interval 0 when the box is not ticked); false with
    // `error` when the interval or the multiples do not read.
    bool read(dem::ContourOptions& options, QString& error) const;
    bool chosen() const { return isChecked(); }

  private:
    QLineEdit* interval_ = nullptr;
    QLineEdit* multiples_ = nullptr;
    QCheckBox* feet_ = nullptr;
};

} // namespace orolith::gui
