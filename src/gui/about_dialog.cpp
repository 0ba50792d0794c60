#include "gui/about_dialog.h"

#include "core/app/app_info.h"
#include "download/tile_source.h"
#include "gui/byte_text.h"
#include "gui/system_memory.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

// The pictures live in the library's resources, which a static library must register.
static void registerPictures() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)registered;
}

namespace orolith::gui {

namespace {

// Arial where the system has it, any sans-serif face otherwise.
QFont arial(double pointScale, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(QFont().pointSizeF() * pointScale);
    font.setBold(bold);
    return font;
}

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QLabel* logoPicture(QWidget* parent) {
    constexpr int side = 112;
    auto* picture = namedLabel("Picture1", QString(), parent);
    registerPictures();
    const qreal ratio = parent->devicePixelRatioF();
    QPixmap logo(QStringLiteral(":/orolith/logo.png"));
    logo = logo.scaled(QSize(side, side) * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    logo.setDevicePixelRatio(ratio);
    picture->setPixmap(logo);
    picture->setFixedSize(side, side);
    return picture;
}

} // namespace

QIcon applicationIcon() {
    registerPictures();
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/orolith/icons/%1.png").arg(size), QSize(size, size));
    return icon;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(tr("Information"));

    auto* logoFrame = new QFrame(this);
    logoFrame->setObjectName(QStringLiteral("Shape1"));
    logoFrame->setFrameShape(QFrame::StyledPanel);
    logoFrame->setFrameShadow(QFrame::Sunken);
    auto* logoLayout = new QVBoxLayout(logoFrame);
    logoLayout->setContentsMargins(6, 6, 6, 6);
    logoLayout->addWidget(logoPicture(this));

    auto* name = namedLabel("Label9", fromBytes(app::kName), this);
    name->setFont(arial(1.8, true));
    betaLabel_ = namedLabel("Label10", QString(), this);
    betaLabel_->setStyleSheet(QStringLiteral("color: #b03a2e; font-style: italic;"));
    versionLabel_ = namedLabel("Label1", tr("Version"), this);
    versionLabel_->setFont(arial(1.15, false));

    auto* rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("Shape2"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    memoryLabel_ = namedLabel("Label4", QStringLiteral("Label4"), this);
    memoryLabel_->setToolTip(tr("Share of the computer's physical memory in use"));
    auto* note = namedLabel("Label8", QString(), this);
    auto* sources = namedLabel("elevationSources", fromBytes(download::sourcesNotice()), this);
    sources->setWordWrap(true);
    sources->setMaximumWidth(420);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name);
    nameRow->addWidget(betaLabel_, 0, Qt::AlignTop);
    nameRow->addStretch(1);

    auto* text = new QVBoxLayout;
    text->setContentsMargins(0, 0, 12, 0);
    text->addLayout(nameRow);
    text->addWidget(versionLabel_);
    text->addSpacing(6);
    text->addWidget(rule);
    text->addWidget(memoryLabel_);
    text->addWidget(note);
    text->addWidget(sources);
    text->addStretch(1);

    auto* top = new QHBoxLayout;
    top->addWidget(logoFrame, 0, Qt::AlignTop);
    top->addSpacing(10);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    refresh();
}

void AboutDialog::refresh() {
    betaLabel_->setText(tr("Beta "));
    const int load = memoryLoadPercent();
    if (load >= 0)
        memoryLabel_->setText(memoryLabelText(load));
    versionLabel_->setText(tr("Version %1").arg(fromBytes(app::kVersionText)));
}

bool AboutDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        refresh();
    return QDialog::event(event);
}

void runAboutDialog(QWidget* parent) {
    AboutDialog dialog(parent);
    dialog.exec();
}

} // namespace orolith::gui
