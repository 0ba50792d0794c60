// What the picker's controls do: every interaction ends in shades and findColor.
#include "core/platform/text_number.h"
#include "gui/colour_field.h"
#include "gui/colour_picker.h"
#include "gui/desktop.h"
#include "gui/shade_strip.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace orolith::gui {

namespace {

constexpr int kHalfMarker = FieldMarker::kSize / 2;

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Keys that type a character (digits, letters, Backspace, Enter…). Moving the caret,
// Delete, Escape and the clipboard shortcuts are left to the box and the window.
bool typesCharacter(const QKeyEvent* key) {
    if (key->key() == Qt::Key_Backspace || isEnter(key))
        return true;
    if (key->text().isEmpty() || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Escape ||
        key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    return !(key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
             key->matches(QKeySequence::Cut) || key->matches(QKeySequence::SelectAll) ||
             key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo));
}

int entryNumber(const QLineEdit* entry) {
    const double value = leadingDecimal(entry->text().toStdString());
    return static_cast<int>(roundHalfEven(std::clamp(value, -99999.0, 99999.0)));
}

} // namespace

void ColourPickerWindow::connectEvents() {
    for (int i = 0; i < kSwatchCount; ++i) {
        const std::int32_t colour = swatchColours_[static_cast<std::size_t>(i)];
        connect(swatches_[static_cast<std::size_t>(i)], &PointerArea::pressed, this,
                [this, colour] { onSwatchPressed(colour); });
    }
    connect(original_, &PointerArea::pressed, this, [this] {
        if (original_->colour())
            onSwatchPressed(*original_->colour());
    });
    connect(modified_, &PointerArea::clicked, this, &ColourPickerWindow::onModifiedClicked);
    connect(field_, &PointerArea::pressed, this, &ColourPickerWindow::onFieldPressed);
    connect(field_, &PointerArea::moved, this, &ColourPickerWindow::onFieldMoved);
    connect(field_, &PointerArea::released, this, &ColourPickerWindow::onFieldReleased);
    connect(field_->marker(), &PointerArea::pressed, this, [this](QPoint at) { grabOffset_ = at; });
    connect(field_->marker(), &PointerArea::moved, this, &ColourPickerWindow::onMarkerMoved);
    connect(strip_, &PointerArea::pressed, this, &ColourPickerWindow::onStripPressed);
    connect(strip_, &PointerArea::moved, this, &ColourPickerWindow::onStripMoved);
    connect(strip_, &PointerArea::released, this, &ColourPickerWindow::findModifiedColour);
    connect(track_->pointer(), &PointerArea::moved, this, &ColourPickerWindow::onPointerMoved);
    connect(track_->pointer(), &PointerArea::released, this, &ColourPickerWindow::findModifiedColour);
    connect(hexEntry_, &QLineEdit::textChanged, this, &ColourPickerWindow::onHexChanged);
}

void ColourPickerWindow::shades(std::int32_t colour) {
    if (!isColour(colour))
        return;
    modified_->setColour(colour);
    hexEntry_->setText(QString::fromStdString(hexTextOfColour(colour)));
    strip_->showShadesOf(colour);
    setPointerLeft(shadePointerPosition(colour));
    fillEntries(rgbToHsv(colour));
}

void ColourPickerWindow::findColor(std::int32_t colour) {
    if (!isColour(colour))
        return;
    const Hsv hsv = rgbToHsv(colour);
    const MarkerPosition at =
        markerPosition(hsv, field_->width(), field_->height(), FieldMarker::kSize, FieldMarker::kSize);
    field_->marker()->move(at.left, at.top);
    fillEntries(hsv);
    field_->marker()->show();
}

void ColourPickerWindow::fillEntries(const Hsv& hsv) {
    tripleEntries_[0]->setText(QString::number(hsv.hue));
    tripleEntries_[1]->setText(QString::number(hsv.saturation));
    tripleEntries_[2]->setText(QString::number(hsv.value));
}

void ColourPickerWindow::setPointerLeft(int x) {
    track_->pointer()->move(x, track_->pointer()->y());
}

void ColourPickerWindow::findModifiedColour() {
    if (modified_->colour())
        findColor(*modified_->colour());
}

void ColourPickerWindow::onSwatchPressed(std::int32_t colour) {
    shades(colour);
    findColor(colour);
}

void ColourPickerWindow::onModifiedClicked() {
    if (modified_->colour())
        fillEntries(rgbToHsv(*modified_->colour()));
}

void ColourPickerWindow::onFieldPressed(QPoint position) {
    field_->marker()->hide();
    shades(field_->colourAt(position));
    field_->marker()->move(position);
}

void ColourPickerWindow::onFieldMoved(QPoint position, Qt::MouseButtons buttons) {
    if (!(buttons & Qt::LeftButton))
        return;
    const std::int32_t colour = field_->colourAt(position);
    if (!isColour(colour))
        return;
    modified_->setColour(colour);
    onFieldPressed(position);
    fillEntries(rgbToHsv(colour));
}

void ColourPickerWindow::onFieldReleased() {
    findModifiedColour();
    field_->marker()->show();
}

// Dragging the marker: its position is kept within half a marker beyond the field's left
// and right edges, and between the top and half a marker below the bottom; the colour
// under its centre is applied, which moves it on to that colour's place.
void ColourPickerWindow::onMarkerMoved(QPoint position, Qt::MouseButtons buttons) {
    if (!(buttons & Qt::LeftButton))
        return;
    FieldMarker* marker = field_->marker();
    const int mx = std::clamp(marker->x() + position.x(), -kHalfMarker, field_->width() + kHalfMarker);
    const int my = std::clamp(marker->y() + position.y(), 0, field_->height() + kHalfMarker);
    marker->move(mx - grabOffset_.x(), my - grabOffset_.y());
    const std::int32_t colour =
        field_->colourAt(marker->geometry().topLeft() + QPoint(kHalfMarker, kHalfMarker));
    if (colour != kNoColour)
        shades(colour);
}

void ColourPickerWindow::onStripPressed(QPoint position) {
    const std::int32_t colour = strip_->colourAt(position);
    if (!isColour(colour))
        return;
    hexEntry_->setText(QString::fromStdString(hexTextOfColour(colour)));
    modified_->setColour(colour);
    setPointerLeft(position.x());
}

void ColourPickerWindow::onStripMoved(QPoint position, Qt::MouseButtons buttons) {
    if (!(buttons & Qt::LeftButton))
        return;
    const std::int32_t colour = strip_->colourAt(position);
    if (!isColour(colour))
        return;
    onStripPressed(position);
    fillEntries(rgbToHsv(colour));
}

// Dragging the pointer along its track: the left edge stays within 0 and the track's width
// less the pointer's width and 2; the strip's colour under the tip is applied.
void ColourPickerWindow::onPointerMoved(QPoint position, Qt::MouseButtons buttons) {
    if (!(buttons & Qt::LeftButton))
        return;
    StripPointer* pointer = track_->pointer();
    const int limit = track_->width() - pointer->width() - 2;
    const int x = std::clamp(pointer->x() + position.x(), 0, limit);
    setPointerLeft(x);
    const std::int32_t colour = strip_->colourAt(QPoint(x, 5));
    if (!isColour(colour))
        return;
    modified_->setColour(colour);
    hexEntry_->setText(QString::fromStdString(hexTextOfColour(colour)));
    fillEntries(rgbToHsv(colour));
}

// The change handling of the hex box, whether typed or set: more than six characters are
// cut to six; six characters that read as a colour paint the modified swatch.
void ColourPickerWindow::onHexChanged(const QString& text) {
    if (text.size() >= 7) {
        hexEntry_->setText(text.left(6));
        return;
    }
    if (text.size() != 6)
        return;
    if (const auto colour = colourOfHexText(text.toStdString()))
        modified_->setColour(*colour);
    hexEntry_->setCursorPosition(6);
    findModifiedColour();
}

bool ColourPickerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!typesCharacter(key))
        return false;
    if (watched == hexEntry_)
        return hexKeyPress(key);
    for (int i = 0; i < 3; ++i) {
        if (watched == tripleEntries_[static_cast<std::size_t>(i)])
            return tripleKeyPress(i, key);
    }
    return false;
}

// A key in the hex box; true discards it.
bool ColourPickerWindow::hexKeyPress(QKeyEvent* key) {
    const QString upper = hexEntry_->text().toUpper();
    if (upper != hexEntry_->text()) {
        const int caret = hexEntry_->cursorPosition();
        hexEntry_->setText(upper);
        hexEntry_->setCursorPosition(caret);
    }
    const bool enter = isEnter(key);
    const bool accepted =
        enter || key->key() == Qt::Key_Backspace ||
        (key->text().size() == 1 && QStringLiteral("0123456789ABCDEFabcdef").contains(key->text()));
    if (!accepted)
        return true;
    // A digit typed over a selection replaces it, as in any text box.
    if (hexEntry_->hasSelectedText() && !enter)
        return false;
    if (hexEntry_->text().size() == 6 || enter) {
        const auto colour = colourOfHexText(hexEntry_->text().toStdString());
        if (colour && isColour(*colour)) {
            modified_->setColour(*colour);
            shades(*colour);
            findColor(*colour);
        }
    }
    hexEntry_->deselect();
    hexEntry_->setCursorPosition(static_cast<int>(hexEntry_->text().size()));
    return enter; // Enter has nothing to type into a one-line box
}

// A key in the hue (0), saturation (1) or value (2) box; true discards it.
bool ColourPickerWindow::tripleKeyPress(int index, QKeyEvent* key) {
    QLineEdit* entry = tripleEntries_[static_cast<std::size_t>(index)];
    if (entry->text().size() >= 4) {
        entry->setText(entry->text().left(3));
        return true;
    }
    const bool enter = isEnter(key);
    const QString typed = key->text();
    const bool accepted = enter || key->key() == Qt::Key_Backspace || typed == QStringLiteral("\x7f") ||
                          (typed.size() == 1 && typed[0] >= '0' && typed[0] <= '9');
    if (!accepted)
        return true;
    if (!enter)
        return false;
    const int limit = index == 0 ? 360 : 100;
    if (leadingDecimal(entry->text().toStdString()) > limit) {
        Desktop::instance().message(this, tr("Maximum value:%1").arg(limit));
        return true;
    }
    applyTriple();
    return true;
}

// The colour of the three numbers. Saturation or value beyond 100, left in a box other than
// the one checked, gives no colour: nothing changes then.
void ColourPickerWindow::applyTriple() {
    const std::int32_t colour = hsvToRgb(entryNumber(tripleEntries_[0]), entryNumber(tripleEntries_[1]),
                                         entryNumber(tripleEntries_[2]));
    if (!isColour(colour))
        return;
    modified_->setColour(colour);
    shades(colour);
    findColor(colour);
}

} // namespace orolith::gui
