#include "gui/colour_picker.h"

#include "gui/colour_field.h"
#include "gui/shade_strip.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

namespace orolith::gui {

namespace {

// The window is designed in twips, 12 to a pixel.
int px(int twips) {
    return qRound(twips / 12.0);
}
QRect designRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

// The 24 palette swatches, RRGGBB, four to a row.
const char* const kPaletteText = "ffff00,ff11ff,0000ff,ffffff,"
                                 "e2202c,e62565,9b2fae,673fb4,"
                                 "4054b2,587bf8,1eaaf1,1fbcd2,"
                                 "159588,2c992d,8cc152,cdda49,"
                                 "fee94e,fdc02f,fd9727,fc5830,"
                                 "fc5830,9e9e9e,785549,000000";

// A one-pixel frame around a picture area; the area itself sits inside it at (1, 1).
QFrame* pictureFrame(QWidget* parent, const QRect& outer) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    frame->setLineWidth(1);
    frame->setGeometry(outer);
    return frame;
}

QLabel* captionLabel(QWidget* parent, const char* name, const QString& text, const QRect& where,
                     Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(alignment);
    label->setGeometry(where);
    return label;
}

} // namespace

PickerResult runColourPicker(QWidget* parent, std::int32_t colour, const QString& settingsFolder) {
    ColourPickerWindow window(colour, settingsFolder, parent);
    window.exec();
    return window.result();
}

ColourPickerWindow::ColourPickerWindow(std::int32_t colour, const QString& settingsFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("cmcolor");
    setWindowTitle(tr("Elevation Colour"));
    setModal(true);
    setFixedSize(px(6588), px(6216));

    auto* shape = new QFrame(this); // grey decoration around the entry area, behind it
    shape->setObjectName("Shape13");
    shape->setFrameStyle(QFrame::Box | QFrame::Plain);
    QPalette grey = shape->palette();
    grey.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    shape->setPalette(grey);
    shape->setGeometry(designRect(444, 4548, 5808, 1068));
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);

    buildSwatches();
    buildColourAreas();
    buildEntries();
    buildButtons();
    connectEvents();

    const QString cursorFile = QDir(settingsFolder).filePath("cur203.cur");
    if (!settingsFolder.isEmpty() && QFile::exists(cursorFile))
        field_->useCursorFile(cursorFile);

    shades(colour);
    original_->setColour(colour);
    findColor(colour);
}

void ColourPickerWindow::buildSwatches() {
    const QStringList texts = QString::fromLatin1(kPaletteText).split(',');
    const QRect first = designRect(168, 408, 540, 348);
    int left = 168;
    int top = 408;
    for (int i = 0; i < kSwatchCount; ++i) {
        if (i > 0) {
            left += 540 + 10;
            if (i % 4 == 0) {
                left = 168;
                top += 348 + 16;
            }
        }
        auto* swatch = new ColourSwatch(this);
        swatch->setObjectName(QStringLiteral("Label1_%1").arg(i));
        swatch->setGeometry(QRect(QPoint(px(left), px(top)), first.size()));
        const auto colour = colourOfHexText(texts.value(i).toStdString());
        swatchColours_[static_cast<std::size_t>(i)] = colour.value_or(0);
        swatch->setColour(colour.value_or(0));
        swatch->setToolTip(texts.value(i).toUpper());
        swatches_[static_cast<std::size_t>(i)] = swatch;
    }

    original_ = new ColourSwatch(this);
    original_->setObjectName("Label3");
    original_->setGeometry(designRect(3852, 3684, 552, 552));
    modified_ = new ColourSwatch(this);
    modified_->setObjectName("Labelcol");
    modified_->setGeometry(designRect(5100, 3684, 552, 552));
    captionLabel(this, "Label4_0", tr("Original:"), designRect(3708, 4296, 804, 180),
                 Qt::AlignHCenter | Qt::AlignTop);
    captionLabel(this, "Label4_1", tr("Modified:"), designRect(5088, 4296, 684, 264),
                 Qt::AlignHCenter | Qt::AlignTop);
}

void ColourPickerWindow::buildColourAreas() {
    QFrame* fieldBox = pictureFrame(this, designRect(3168, 276, 2820, 2748));
    field_ = new ColourField(fieldBox);
    field_->setObjectName("p5");
    field_->move(1, 1);
    field_->marker()->move(px(864), px(1584));

    QFrame* stripBox = pictureFrame(this, designRect(3192, 3096, 2748, 312));
    strip_ = new ShadeStrip(stripBox);
    strip_->setObjectName("p6_0");
    strip_->setGeometry(1, 1, stripBox->width() - 2, stripBox->height() - 2);

    // The track reaches half a pointer beyond the strip on either side, so that the
    // pointer's tip is over strip column x when its left edge is at x in the track.
    track_ = new ShadeTrack(this);
    track_->setObjectName("p7");
    const QPoint stripOrigin = stripBox->pos() + strip_->pos();
    track_->setGeometry(stripOrigin.x() - StripPointer::kWidth / 2, px(3420),
                        strip_->width() + StripPointer::kWidth, px(192));
    track_->pointer()->move(px(1224), px(24));
}

void ColourPickerWindow::buildEntries() {
    // The hex box comes first: it has the focus when the window opens.
    captionLabel(this, "Label2", "#", designRect(4560, 4920, 168, 324), Qt::AlignRight | Qt::AlignVCenter);
    hexEntry_ = new QLineEdit(this);
    hexEntry_->setObjectName("Text1");
    QFont courier = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    courier.setPointSizeF(font().pointSizeF());
    hexEntry_->setFont(courier);
    hexEntry_->setGeometry(designRect(4800, 4884, 1272, 372));
    hexEntry_->installEventFilter(this);

    const char* const captions[] = {QT_TR_NOOP("Hue"), QT_TR_NOOP("Saturation"), QT_TR_NOOP("Luminance")};
    const int captionLefts[] = {900, 1884, 2892};
    const int entryLefts[] = {1068, 2064, 3060};
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = QStringLiteral("Label4_%1").arg(i + 2).toLatin1();
        captionLabel(this, name.constData(), tr(captions[i]), designRect(captionLefts[i], 5292, 804, 264),
                     Qt::AlignCenter);
        auto* entry = new QLineEdit(this);
        entry->setObjectName(QStringLiteral("Text2_%1").arg(i));
        entry->setGeometry(designRect(entryLefts[i], 4884, 432, 348));
        entry->setAlignment(Qt::AlignCenter);
        entry->installEventFilter(this);
        tripleEntries_[static_cast<std::size_t>(i)] = entry;
    }
}

void ColourPickerWindow::buildButtons() {
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName("Command1_0");
    ok->setGeometry(designRect(4452, 5712, 816, 420));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName("Command1_1");
    cancel->setGeometry(designRect(5436, 5712, 816, 420));
    // Enter belongs to the entry boxes; it never closes the window.
    for (QPushButton* button : {ok, cancel}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(ok, &QPushButton::clicked, this, [this] { finish(true); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(false); });
}

void ColourPickerWindow::finish(bool ok) {
    result_ = {};
    if (ok && modified_->colour()) {
        result_.colour = *modified_->colour();
        result_.changed = true;
    }
    if (ok)
        accept();
    else
        reject();
}

} // namespace orolith::gui
