// The colour picker driven through its own controls: swatches, field, shade strip, pointer
// and the entries with their key rules.
#include "core/colour/colour_model.h"
#include "gui/colour_field.h"
#include "gui/colour_picker.h"
#include "gui/shade_strip.h"
#include "window_test_support.h"

#include <QBuffer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

using namespace orolith;
using namespace orolith::gui::testing;
using gui::ColourPickerWindow;

namespace {

std::int32_t hex(const char* rrggbb) {
    return *colourOfHexText(rrggbb);
}

std::optional<std::int32_t> swatch(QWidget& window, const char* name) {
    return control<gui::ColourSwatch>(window, name)->colour();
}

QString hexText(QWidget& window) {
    return control<QLineEdit>(window, "Text1")->text();
}

QStringList triple(QWidget& window) {
    return {control<QLineEdit>(window, "Text2_0")->text(), control<QLineEdit>(window, "Text2_1")->text(),
            control<QLineEdit>(window, "Text2_2")->text()};
}

// A mouse event at a point; QTest would take (0, 0) for the widget's centre. Moves are made
// with the left button held and go to the widget that holds the mouse.
void mouseAt(QWidget* widget, QEvent::Type type, QPoint position) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Clears `box` with Backspace, types `text` and, when asked, presses Enter.
void retype(QLineEdit* box, const QString& text, bool enter = true) {
    while (!box->text().isEmpty())
        QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    if (enter)
        QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

class ColourPickerTest : public QObject {
    Q_OBJECT

  private slots:
    void opensOnItsColourAndHandsItBack() {
        ColourPickerWindow cancelled(255, {});
        cancelled.show();
        QCOMPARE(swatch(cancelled, "Label3"), 255);
        QCOMPARE(swatch(cancelled, "Labelcol"), 255);
        QCOMPARE(hexText(cancelled), QString("FF0000"));
        QCOMPARE(control<QWidget>(cancelled, "pointer1")->x(), 127);
        QCOMPARE(triple(cancelled), (QStringList{"0", "100", "100"}));
        QTest::mouseClick(control<QPushButton>(cancelled, "Command1_1"), Qt::LeftButton);
        QCOMPARE(cancelled.result().colour, -1);
        QVERIFY(!cancelled.result().changed);

        ColourPickerWindow accepted(255, {});
        accepted.show();
        QTest::mouseClick(control<QPushButton>(accepted, "Command1_0"), Qt::LeftButton);
        QCOMPARE(accepted.result().colour, 255);
        QVERIFY(accepted.result().changed);

        ColourPickerWindow closed(255, {});
        closed.show();
        QTest::mousePress(control<QWidget>(closed, "Label1_2"), Qt::LeftButton);
        closed.close(); // the title-bar close is a Cancel
        QCOMPARE(closed.result().colour, -1);
    }

    void noColourIsNeverShownOrReturned() {
        for (std::int32_t invalid : {-5, 0x1000000}) {
            ColourPickerWindow window(invalid, {});
            window.show();
            QVERIFY(!swatch(window, "Labelcol") && !swatch(window, "Label3"));
            QTest::mousePress(control<QWidget>(window, "Label3"), Qt::LeftButton);
            QTest::mouseClick(control<QPushButton>(window, "Command1_0"), Qt::LeftButton);
            QCOMPARE(window.result().colour, -1);
            QVERIFY(!window.result().changed);
        }
    }

    void fieldPressAndMarkerDrag() {
        ColourPickerWindow window(hex("0000FF"), {});
        window.show();
        auto* field = control<gui::ColourField>(window, "p5");
        auto* marker = control<QWidget>(window, "Image1");
        mouseAt(field, QEvent::MouseButtonPress, QPoint(0, 0));
        QCOMPARE(hexText(window), QString("FF0000"));
        mouseAt(field, QEvent::MouseButtonRelease, QPoint(0, 0));
        QCOMPARE(marker->pos(), QPoint(-8, -8)); // centred on the corner
        QCOMPARE(triple(window), (QStringList{"0", "100", "100"}));

        // The marker picks the colour under its centre; beyond the field the colour stays.
        mouseAt(marker, QEvent::MouseButtonPress, QPoint(8, 8));
        mouseAt(marker, QEvent::MouseMove, QPoint(8 + 100, 8 + 50));
        const std::int32_t picked = field->colourAt(QPoint(100, 50));
        QCOMPARE(swatch(window, "Labelcol"), picked);
        QCOMPARE(hexText(window), QString::fromStdString(hexTextOfColour(picked)));
        mouseAt(marker, QEvent::MouseMove, QPoint(8, 900));
        QCOMPARE(swatch(window, "Labelcol"), picked);
    }

    void hexEntry() {
        ColourPickerWindow window(hex("E2202C"), {});
        window.show();
        auto* text = control<QLineEdit>(window, "Text1");
        auto* strip = control<gui::ShadeStrip>(window, "p6_0");
        QTest::keyClicks(text, "g#");
        QCOMPARE(text->text(), QString("E2202C"));

        retype(text, "0000FF", false); // six digits paint "Modified:"; the strip waits for Enter
        QCOMPARE(swatch(window, "Labelcol"), hex("0000FF"));
        QCOMPARE(strip->cells()[16].colour, hex("E2202C"));
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(strip->cells()[16].colour, hex("0000FF"));
        QCOMPARE(triple(window), (QStringList{"240", "100", "100"}));

        QTest::keyClicks(text, "7"); // a seventh digit is cut off
        QCOMPARE(text->text(), QString("0000FF"));
        retype(text, "e2a"); // upper case, read with leading zeros
        QCOMPARE(text->text(), QString("000E2A"));
    }

    void tripleEntryLimits() {
        FakeDesktop desktop;
        ColourPickerWindow window(255, {});
        window.show();
        auto* hue = control<QLineEdit>(window, "Text2_0");
        retype(hue, "400x");
        QCOMPARE(desktop.messages, QStringList{"Maximum value:360"});
        QCOMPARE(hue->text(), QString("400"));
        QCOMPARE(swatch(window, "Labelcol"), 255);

        retype(hue, "120");
        QCOMPARE(hexText(window), QString("00FF00"));
        retype(control<QLineEdit>(window, "Text2_1"), "150");
        QCOMPARE(desktop.messages.last(), QString("Maximum value:100"));
        QCOMPARE(hexText(window), QString("00FF00"));
    }

    void paletteSwatches() {
        ColourPickerWindow window(0, {});
        window.show();
        for (const char* name : {"Label1_19", "Label1_20"}) {
            QTest::mousePress(control<QWidget>(window, name), Qt::LeftButton);
            QCOMPARE(hexText(window), QString("FC5830"));
        }
        QTest::mousePress(control<QWidget>(window, "Label3"), Qt::LeftButton); // back to the original
        QCOMPARE(hexText(window), QString("000000"));
    }

    void stripShowsTheShadesAndThePointerClamps() {
        ColourPickerWindow window(hex("E2202C"), {});
        window.show();
        auto* strip = control<gui::ShadeStrip>(window, "p6_0");
        const QImage picture = strip->grab().toImage(); // the cells' colours: the core's strip test
        for (int n = 0; n < 28; ++n)
            QCOMPARE(picture.pixelColor(n * 8 + 4, 5).name().mid(1).toUpper().toStdString(),
                     hexTextOfColour(strip->cells()[n].colour));

        auto* pointer = control<QWidget>(window, "pointer1");
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(28, 5));
        QCOMPARE(hexText(window), QString("2D0709"));
        QCOMPARE(pointer->x(), 28);
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(28, 5));
        QCOMPARE(triple(window), (QStringList{"357", "84", "18"}));

        mouseAt(pointer, QEvent::MouseButtonPress, QPoint(7, 4));
        mouseAt(pointer, QEvent::MouseMove, QPoint(-500, 4));
        QCOMPARE(pointer->x(), 0);
        QCOMPARE(hexText(window), QString("020101")); // the darkest cell
        mouseAt(pointer, QEvent::MouseMove, QPoint(1000, 4));
        QCOMPARE(pointer->x(), control<QWidget>(window, "p7")->width() - pointer->width() - 2);
        QCOMPARE(swatch(window, "Labelcol"), strip->colourAt(QPoint(pointer->x(), 5)));
        mouseAt(pointer, QEvent::MouseButtonRelease, QPoint(7, 4));
    }

    void cursorFileGivesTheFieldItsPointer() {
        QTemporaryDir dir;
        const auto fieldCursor = [&] {
            ColourPickerWindow window(0, dir.path());
            return control<QWidget>(window, "p5")->cursor();
        };
        QCOMPARE(fieldCursor().shape(), Qt::ArrowCursor);
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::black);
        QBuffer icon; // an icon file whose type word says "cursor", hot spot (5, 6)
        icon.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&icon, "ICO"));
        QByteArray bytes = icon.data();
        bytes[2] = 2, bytes[10] = 5, bytes[11] = 0, bytes[12] = 6, bytes[13] = 0;
        writeFile(dir.filePath("cur203.cur"), bytes);
        QCOMPARE(fieldCursor().shape(), Qt::BitmapCursor);
        QCOMPARE(fieldCursor().hotSpot(), QPoint(5, 6));
        writeFile(dir.filePath("cur203.cur"), "not a cursor");
        QCOMPARE(fieldCursor().shape(), Qt::CrossCursor);
    }
};

QTEST_MAIN(ColourPickerTest)
#include "colour_picker_test.moc"
