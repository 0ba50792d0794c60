#include "fake_desktop.h"
#include "gui/colour_field.h"
#include "gui/colour_picker.h"
#include "gui/shade_strip.h"

#include <QBuffer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

using namespace orolith;
using gui::ColourPickerWindow;

namespace {

std::int32_t hex(const char* rrggbb) {
    return *colourOfHexText(rrggbb);
}

template <typename T> T* control(QWidget& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

std::optional<std::int32_t> swatchColour(QWidget& window, const char* name) {
    return control<gui::ColourSwatch>(window, name)->colour();
}

QStringList triple(QWidget& window) {
    return {control<QLineEdit>(window, "Text2_0")->text(), control<QLineEdit>(window, "Text2_1")->text(),
            control<QLineEdit>(window, "Text2_2")->text()};
}

// A move with the left button held, delivered to the widget that holds the mouse.
void dragTo(QWidget* widget, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// A press or release at a point; QTest takes the point (0, 0) for the widget's centre.
void mouseAt(QWidget* widget, QEvent::Type type, QPoint position) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent event(type, position, widget->mapToGlobal(position), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void pressKeys(QLineEdit* box, int key, int times) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(box, static_cast<Qt::Key>(key));
}

} // namespace

class ColourPickerTest : public QObject {
    Q_OBJECT

  private slots:
    void opensOnItsColour() {
        ColourPickerWindow window(255, {});
        window.show();
        QCOMPARE(window.objectName(), QString("cmcolor"));
        QCOMPARE(window.windowTitle(), QString(" "));
        QCOMPARE(swatchColour(window, "Label3"), 255);
        QCOMPARE(swatchColour(window, "Labelcol"), 255);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("FF0000"));
        QCOMPARE(control<QWidget>(window, "pointer1")->x(), 127);
        QCOMPARE(triple(window), (QStringList{"0", "100", "100"}));
        QCOMPARE(control<QWidget>(window, "p5")->size(), QSize(233, 227));
        QCOMPARE(control<QWidget>(window, "Image1")->size(), QSize(16, 16));
        QCOMPARE(control<QWidget>(window, "pointer1")->size(), QSize(15, 8));
        // The field marker is centred where red sits: the top-left corner.
        QCOMPARE(control<QWidget>(window, "Image1")->pos(), QPoint(-8, -8));
    }

    void okCancelAndClose() {
        ColourPickerWindow cancelled(255, {});
        cancelled.show();
        QTest::mouseClick(control<QPushButton>(cancelled, "Command1_1"), Qt::LeftButton);
        QCOMPARE(cancelled.result().curcolor, -1);
        QVERIFY(!cancelled.result().colchanged);

        ColourPickerWindow accepted(255, {});
        accepted.show();
        QTest::mouseClick(control<QPushButton>(accepted, "Command1_0"), Qt::LeftButton);
        QCOMPARE(accepted.result().curcolor, 255);
        QVERIFY(accepted.result().colchanged);
        QVERIFY(!accepted.isVisible());

        ColourPickerWindow closed(255, {});
        closed.show();
        QTest::mousePress(control<QWidget>(closed, "Label1_2"), Qt::LeftButton);
        closed.close(); // the title-bar close is a Cancel
        QCOMPARE(closed.result().curcolor, -1);
        QVERIFY(!closed.result().colchanged);
    }

    void noColourIsNeverShownOrReturned() {
        for (std::int32_t invalid : {-1, -5, 0x1000000}) {
            ColourPickerWindow window(invalid, {});
            window.show();
            QVERIFY(!swatchColour(window, "Labelcol"));
            QVERIFY(!swatchColour(window, "Label3"));
            QTest::mousePress(control<QWidget>(window, "Label3"), Qt::LeftButton);
            QTest::mouseClick(control<QPushButton>(window, "Command1_0"), Qt::LeftButton);
            QCOMPARE(window.result().curcolor, -1);
            QVERIFY(!window.result().colchanged);
        }
    }

    void pressOnTheFieldCornerPicksRed() {
        ColourPickerWindow window(hex("0000FF"), {});
        window.show();
        auto* field = control<gui::ColourField>(window, "p5");
        mouseAt(field, QEvent::MouseButtonPress, QPoint(0, 0));
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("FF0000"));
        QCOMPARE(swatchColour(window, "Labelcol"), 255);
        mouseAt(field, QEvent::MouseButtonRelease, QPoint(0, 0));
        QCOMPARE(control<QWidget>(window, "Image1")->pos(), QPoint(-8, -8));
        QVERIFY(control<QWidget>(window, "Image1")->isVisible());
        QCOMPARE(triple(window), (QStringList{"0", "100", "100"}));
    }

    void draggingOverTheFieldFollowsThePicture() {
        ColourPickerWindow window(255, {});
        window.show();
        auto* field = control<gui::ColourField>(window, "p5");
        QTest::mousePress(field, Qt::LeftButton, {}, QPoint(10, 10));
        dragTo(field, QPoint(120, 60));
        QCOMPARE(swatchColour(window, "Labelcol"), field->colourAt(QPoint(120, 60)));
        dragTo(field, QPoint(400, 60)); // outside the picture: nothing changes
        QCOMPARE(swatchColour(window, "Labelcol"), field->colourAt(QPoint(120, 60)));
        QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(400, 60));
    }

    void markerDragPicksTheColourUnderItsCentre() {
        ColourPickerWindow window(255, {});
        window.show();
        auto* field = control<gui::ColourField>(window, "p5");
        auto* marker = control<QWidget>(window, "Image1");
        QTest::mousePress(marker, Qt::LeftButton, {}, QPoint(8, 8));
        dragTo(marker, QPoint(8 + 100, 8 + 50)); // centre to (100, 50)
        const std::int32_t picked = field->colourAt(QPoint(100, 50));
        QCOMPARE(swatchColour(window, "Labelcol"), picked);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(),
                 QString::fromStdString(hexTextOfColour(picked)));
        // Far below the field the centre leaves the picture: the colour stays.
        dragTo(marker, QPoint(8, 900));
        QCOMPARE(swatchColour(window, "Labelcol"), picked);
        QVERIFY(marker->y() + 8 <= field->height() + 8);
    }

    void typingSixDigitsPaintsModifiedButNotTheStrip() {
        ColourPickerWindow window(hex("E2202C"), {});
        window.show();
        auto* text = control<QLineEdit>(window, "Text1");
        auto* strip = control<gui::ShadeStrip>(window, "p6_0");
        pressKeys(text, Qt::Key_Backspace, 6);
        QCOMPARE(text->text(), QString());
        QTest::keyClicks(text, "0000FF");
        QCOMPARE(text->text(), QString("0000FF"));
        QCOMPARE(swatchColour(window, "Labelcol"), hex("0000FF"));
        QCOMPARE(strip->cells()[16].colour, hex("E2202C")); // the strip waits
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(strip->cells()[16].colour, hex("0000FF"));
        QCOMPARE(triple(window), (QStringList{"240", "100", "100"}));
    }

    void hexBoxKeys() {
        ColourPickerWindow window(hex("E2202C"), {});
        window.show();
        auto* text = control<QLineEdit>(window, "Text1");
        QTest::keyClicks(text, "g#");
        QCOMPARE(text->text(), QString("E2202C"));
        pressKeys(text, Qt::Key_Backspace, 2);
        QTest::keyClicks(text, "a");
        QCOMPARE(text->text(), QString("E220a"));
        QTest::keyClick(text, Qt::Key_Return); // upper case first, then read as 0E220A
        QCOMPARE(text->text(), QString("0E220A"));
        QCOMPARE(swatchColour(window, "Labelcol"), hex("0E220A"));
        QTest::keyClicks(text, "7"); // a seventh digit applies the six and is cut off
        QCOMPARE(text->text(), QString("0E220A"));
        pressKeys(text, Qt::Key_Backspace, 6);
        QTest::keyClicks(text, "ff");
        QTest::keyClick(text, Qt::Key_Return); // short texts read with leading zeros
        QCOMPARE(text->text(), QString("0000FF"));
    }

    void tripleEntryLimits() {
        testing::FakeDesktop desktop;
        ColourPickerWindow window(255, {});
        window.show();
        auto* hue = control<QLineEdit>(window, "Text2_0");
        auto* sat = control<QLineEdit>(window, "Text2_1");
        pressKeys(hue, Qt::Key_Backspace, 1);
        QTest::keyClicks(hue, "400x");
        QTest::keyClick(hue, Qt::Key_Return);
        QCOMPARE(desktop.messages, QStringList{"Maximum value:360"});
        QCOMPARE(hue->text(), QString("400"));
        QCOMPARE(swatchColour(window, "Labelcol"), 255);

        pressKeys(hue, Qt::Key_Backspace, 3);
        QTest::keyClicks(hue, "120");
        QTest::keyClick(hue, Qt::Key_Return);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("00FF00"));
        pressKeys(hue, Qt::Key_Backspace, 3);
        QTest::keyClicks(hue, "360");
        QTest::keyClick(hue, Qt::Key_Return);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("FF0000"));
        QCOMPARE(desktop.messages.size(), 1);

        // A fourth character is typed; the next key cuts back to three and is lost.
        QTest::keyClicks(hue, "9");
        QCOMPARE(hue->text(), QString("09"));
        QTest::keyClicks(hue, "99");
        QCOMPARE(hue->text(), QString("0999"));
        QTest::keyClick(hue, Qt::Key_Return);
        QCOMPARE(hue->text(), QString("099"));
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("FF0000"));

        // Saturation above 100 left in its box makes no colour when Enter is pressed elsewhere.
        pressKeys(sat, Qt::Key_Backspace, 3);
        QTest::keyClicks(sat, "150");
        QTest::keyClick(hue, Qt::Key_Return);
        QCOMPARE(swatchColour(window, "Labelcol"), 255);
        QTest::keyClick(sat, Qt::Key_Return);
        QCOMPARE(desktop.messages.last(), QString("Maximum value:100"));
    }

    void paletteSwatches() {
        ColourPickerWindow window(0, {});
        window.show();
        for (const char* name : {"Label1_19", "Label1_20"}) {
            QTest::mousePress(control<QWidget>(window, name), Qt::LeftButton);
            QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("FC5830"));
        }
        QTest::mousePress(control<QWidget>(window, "Label1_6"), Qt::RightButton);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("9B2FAE"));
        QTest::mousePress(control<QWidget>(window, "Label3"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("000000"));
        // Swatches sit four to a row.
        QCOMPARE(control<QWidget>(window, "Label1_4")->x(), control<QWidget>(window, "Label1_0")->x());
        QVERIFY(control<QWidget>(window, "Label1_4")->y() > control<QWidget>(window, "Label1_3")->y());
    }

    void stripShowsTheShadesOfE2202C() {
        ColourPickerWindow window(hex("E2202C"), {});
        window.show();
        auto* strip = control<gui::ShadeStrip>(window, "p6_0");
        const QImage picture = strip->grab().toImage();
        const char* const cells[] = {"020101", "100304", "1F0506", "2D0709", "3B090C", "490B0F", "570D11",
                                     "650F14", "731117", "81131A", "90151C", "9E171F", "AC1922", "BA1B25",
                                     "C81D27", "D61F2A", "E2202C", "E32D39", "E53B46", "E74953", "E95760",
                                     "EB656D", "EC737B", "EE8188", "F08F95", "F29DA2", "F4ABAF", "F5B9BD"};
        for (int n = 0; n < int(std::size(cells)); ++n) {
            const QColor shown = picture.pixelColor(n * 8 + 4, 5);
            QCOMPARE(shown.name().mid(1).toUpper(), QString(cells[n]));
        }
        QCOMPARE(control<QWidget>(window, "pointer1")->x(), 127);
    }

    void stripAndPointer() {
        ColourPickerWindow window(hex("E2202C"), {});
        window.show();
        auto* strip = control<gui::ShadeStrip>(window, "p6_0");
        auto* pointer = control<QWidget>(window, "pointer1");
        auto* track = control<QWidget>(window, "p7");
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(28, 5));
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("2D0709"));
        QCOMPARE(pointer->x(), 28);
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(28, 5));
        QCOMPARE(triple(window), (QStringList{"357", "84", "18"}));

        QTest::mousePress(pointer, Qt::LeftButton, {}, QPoint(7, 4));
        dragTo(pointer, QPoint(-500, 4));
        QCOMPARE(pointer->x(), 0);
        QCOMPARE(control<QLineEdit>(window, "Text1")->text(), QString("020101")); // the darkest cell
        dragTo(pointer, QPoint(1000, 4));
        QCOMPARE(pointer->x(), track->width() - pointer->width() - 2);
        QCOMPARE(swatchColour(window, "Labelcol"), strip->colourAt(QPoint(pointer->x(), 5)));
        QTest::mouseRelease(pointer, Qt::LeftButton, {}, QPoint(7, 4));
    }

    void cursorFileGivesTheFieldItsPointer() {
        QTemporaryDir dir;
        ColourPickerWindow without(0, dir.path());
        QCOMPARE(control<QWidget>(without, "p5")->cursor().shape(), Qt::ArrowCursor);

        // A cursor file: an icon file whose type word says "cursor", hot spot (5, 6).
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::black);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "ICO"));
        QByteArray bytes = buffer.data();
        bytes[2] = 2;
        bytes[10] = 5;
        bytes[11] = 0;
        bytes[12] = 6;
        bytes[13] = 0;
        QFile file(dir.filePath("cur203.cur"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        ColourPickerWindow with(0, dir.path());
        const QCursor cursor = control<QWidget>(with, "p5")->cursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.hotSpot(), QPoint(5, 6));

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("not a cursor");
        file.close();
        ColourPickerWindow unreadable(0, dir.path());
        QCOMPARE(control<QWidget>(unreadable, "p5")->cursor().shape(), Qt::CrossCursor);
    }
};

QTEST_MAIN(ColourPickerTest)
#include "colour_picker_test.moc"
