#pragma once
// The colour picker: a modal window in which the user builds one colour of the elevation
// colour table by hue/saturation field, shade strip, palette swatches, hexadecimal text or
// hue, saturation and value numbers.

#include "core/colour/colour_model.h"

#include <QDialog>
#include <QPoint>
#include <array>
#include <cstdint>

class QLineEdit;
class QKeyEvent;

namespace orolith::gui {

class ColourField;
class ColourSwatch;
class ShadeStrip;
class ShadeTrack;

// What the caller gets back: the chosen colour (0..FFFFFF) after OK, −1 after Cancel or the
// title-bar close; `changed` is set by OK only.
struct PickerResult {
    std::int32_t colour = kNoColour;
    bool changed = false;
};

// Shows the picker modally, starting from `colour`; `settingsFolder` may hold the field's
// cursor file cur203.cur.
PickerResult runColourPicker(QWidget* parent, std::int32_t colour, const QString& settingsFolder);

class ColourPickerWindow : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kSwatchCount = 24;

    ColourPickerWindow(std::int32_t colour, const QString& settingsFolder, QWidget* parent = nullptr);

    // Valid once the window has closed.
    PickerResult result() const { return result_; }

    // Applies a colour to the window: modified swatch, hex text, strip, pointer, numbers.
    // A value that is no colour changes nothing.
    void shades(std::int32_t colour);
    // Puts the field marker on a colour and shows its hue, saturation and value.
    void findColor(std::int32_t colour);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildSwatches();
    void buildColourAreas();
    void buildEntries();
    void buildButtons();
    void connectEvents();

    void onSwatchPressed(std::int32_t colour);
    void onModifiedClicked();
    void onFieldPressed(QPoint position);
    void onFieldMoved(QPoint position, Qt::MouseButtons buttons);
    void onFieldReleased();
    void onMarkerMoved(QPoint position, Qt::MouseButtons buttons);
    void onStripPressed(QPoint position);
    void onStripMoved(QPoint position, Qt::MouseButtons buttons);
    void onPointerMoved(QPoint position, Qt::MouseButtons buttons);
    void findModifiedColour();
    void onHexChanged(const QString& text);
    bool hexKeyPress(QKeyEvent* key);
    bool tripleKeyPress(int index, QKeyEvent* key);
    void applyTriple();
    void fillEntries(const Hsv& hsv);
    void setPointerLeft(int x);
    void finish(bool ok);

    std::array<ColourSwatch*, kSwatchCount> swatches_{};
    std::array<std::int32_t, kSwatchCount> swatchColours_{};
    ColourSwatch* original_ = nullptr;
    ColourSwatch* modified_ = nullptr;
    ColourField* field_ = nullptr;
    ShadeStrip* strip_ = nullptr;
    ShadeTrack* track_ = nullptr;
    QLineEdit* hexEntry_ = nullptr;
    std::array<QLineEdit*, 3> tripleEntries_{};
    QPoint grabOffset_;
    PickerResult result_;
};

} // namespace orolith::gui
