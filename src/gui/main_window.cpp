// The main window's arrangement: the map in the middle, the side panel beside it, the
// buttons that make the files under the panel's groups, and the status bar.
#include "gui/main_window.h"

#include "gui/contour_lines_box.h"
#include "gui/conversion_runner.h"
#include "gui/ramp_chooser.h"
#include "gui/preview_pane.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace orolith::gui {

namespace {

constexpr int kPanelShare = 1; // the side panel keeps its width; the map takes the rest

template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

MainWindow::MainWindow(const Options& options, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("f1"));
    setAcceptDrops(true);
    runner_ = new ConversionRunner(this);
    buildControls();
    connect(&runner_->host(), &GuiHost::progressed, this, &MainWindow::showProgress);
    buildMenus();
    buildPreview();
    startUp(options);
}

MainWindow::~MainWindow() {
    // A run still going ends while the controls it reports to are all there.
    if (runner_->active()) {
        runner_->cancel();
        runner_->waitForEnd();
    }
}

bool MainWindow::runActive() const {
    return runner_->active();
}

void MainWindow::buildControls() {
    preview_ = new PreviewPane;
    auto* split = named(new QSplitter(Qt::Horizontal), QStringLiteral("mainSplit"));
    split->addWidget(buildSidePanel());
    split->addWidget(preview_);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, kPanelShare);
    split->setCollapsible(1, false);
    setCentralWidget(split);

    pointerStatus_ = named(new QLabel, QStringLiteral("previewStatus"));
    pointerStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(pointerStatus_, 1);
    statusBar()->addPermanentWidget(updateLabel_);
    connect(preview_, &PreviewPane::statusChanged, pointerStatus_, &QLabel::setText);
}

QWidget* MainWindow::buildActionRow() {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* buttons = new QHBoxLayout;
    createMapButton_ = named(new QPushButton(tr("Create mp")), QStringLiteral("Command6"));
    createTypButton_ = named(new QPushButton(tr("Create TYP")), QStringLiteral("Command1"));
    createImageButton_ = named(new QPushButton(tr("Create Garmin map")), QStringLiteral("createGarminMap"));
    createImageButton_->setToolTip(tr("Write the map and the TYP, then compile gmapsupp.img with mkgmap"));
    createImageButton_->setDefault(true);
    cancelButton_ = named(new QPushButton(tr("Cancel")), QStringLiteral("cancelRun"));
    cancelButton_->hide();
    updateLabel_ = named(new QLabel(tr("UPDATE AVAILABLE")), QStringLiteral("Label8"));
    updateLabel_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
    updateLabel_->setCursor(Qt::PointingHandCursor);
    updateLabel_->setToolTip(tr("Open the download page"));
    updateLabel_->installEventFilter(this);
    updateLabel_->hide();
    buttons->addWidget(createMapButton_);
    buttons->addWidget(createTypButton_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    auto* image = new QHBoxLayout;
    image->addWidget(createImageButton_, 1);
    image->addWidget(cancelButton_);
    layout->addLayout(image);

    progressBar_ = named(new QProgressBar, QStringLiteral("backprog"));
    progressBar_->setRange(0, kProgressSteps);
    progressBar_->setTextVisible(false);
    layout->addWidget(progressBar_);

    connect(createMapButton_, &QPushButton::clicked, this, &MainWindow::createMap);
    connect(createTypButton_, &QPushButton::clicked, this, &MainWindow::createTyp);
    connect(createImageButton_, &QPushButton::clicked, this, &MainWindow::createGarminImage);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { runner_->cancel(); });
    return box;
}

} // namespace orolith::gui
