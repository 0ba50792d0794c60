// The main window's controls and their arrangement.
#include "gui/main_window.h"

#include "gui/contour_lines_box.h"
#include "gui/conversion_runner.h"
#include "gui/legend_widget.h"
#include "gui/ramp_chooser.h"
#include "gui/pattern_editor.h"
#include "gui/window_art.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace orolith::gui {

namespace {

template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* caption(const QString& name, const QString& text) {
    return named(new QLabel(text), name);
}

QLineEdit* textBox(const QString& name, const QString& text) {
    return named(new QLineEdit(text), name);
}

QToolButton* folderButton(int index, const QString& tip) {
    auto* button = named(new QToolButton, QStringLiteral("Command3_%1").arg(index));
    button->setText(QStringLiteral(">>"));
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

} // namespace

MainWindow::MainWindow(const Options& options, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("f1"));
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
    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);
    auto* settingsColumn = new QVBoxLayout;
    settingsColumn->addWidget(buildFilesGroup());
    settingsColumn->addWidget(buildMapGroup());
    settingsColumn->addWidget(buildStyleGroup(), 1);
    settingsColumn->addWidget(buildActionRow());
    columns->addLayout(settingsColumn, 3);
    columns->addWidget(buildTypesColumn(), 1);
    columns->addWidget(buildLegendColumn());
    setCentralWidget(central);
}

QWidget* MainWindow::buildFilesGroup() {
    auto* group = new QGroupBox(tr("Files"));
    auto* grid = new QGridLayout(group);
    inputBox_ = textBox(QStringLiteral("Text4"), QStringLiteral("*.txt"));
    inputBox_->setToolTip(tr("Geo Vector input file"));
    folderButtons_[0] = folderButton(0, QString());
    folderButtons_[1] = folderButton(1, tr(" Find mp File"));
    folderButtons_[2] = folderButton(2, tr("Find typ( txt) File"));
    mapPathLabel_ = caption(QStringLiteral("Label2"), tr("mp file"));
    mapPathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mapPathLabel_->setMinimumWidth(1);
    typPathBox_ = textBox(QStringLiteral("Text6"), tr("TYP File"));

    grid->addWidget(new QLabel(tr("Geo Vector")), 0, 0);
    grid->addWidget(inputBox_, 0, 1);
    grid->addWidget(folderButtons_[0], 0, 2);
    grid->addWidget(new QLabel(tr("Map")), 1, 0);
    grid->addWidget(mapPathLabel_, 1, 1);
    grid->addWidget(folderButtons_[1], 1, 2);
    grid->addWidget(caption(QStringLiteral("Label3"), tr("Output File")), 2, 0);
    grid->addWidget(typPathBox_, 2, 1);
    grid->addWidget(folderButtons_[2], 2, 2);
    grid->setColumnStretch(1, 1);

    connect(folderButtons_[0], &QToolButton::clicked, this, &MainWindow::openFile);
    connect(folderButtons_[1], &QToolButton::clicked, this, &MainWindow::findMapFolder);
    connect(folderButtons_[2], &QToolButton::clicked, this, &MainWindow::findTypFile);
    return group;
}

QWidget* MainWindow::buildMapGroup() {
    auto* group = new QGroupBox(tr("Map"));
    auto* grid = new QGridLayout(group);
    firstTypeBox_ = textBox(QStringLiteral("Text2"), QStringLiteral("10300"));
    maxDistanceBox_ = textBox(QStringLiteral("Text3"), QStringLiteral("45000"));
    grid->addWidget(caption(QStringLiteral("Label1_0"), tr("Polygon Type starts at 0 X")), 0, 0);
    grid->addWidget(firstTypeBox_, 0, 1);
    grid->addWidget(caption(QStringLiteral("Label5_0"), tr("Max Distance")), 1, 0);
    grid->addWidget(maxDistanceBox_, 1, 1);

    grid->addWidget(caption(QStringLiteral("Label1_1"), tr("Map Resolution Level")), 2, 0);
    auto* levels = new QHBoxLayout;
    const QStringList names{tr("Highest"), tr("High"), tr("Medium"), tr("Low")};
    for (int i = 0; i < 4; ++i) {
        levelBoxes_[static_cast<std::size_t>(i)] =
            named(new QCheckBox(names[i]), QStringLiteral("Check2_%1").arg(i));
        levels->addWidget(levelBoxes_[static_cast<std::size_t>(i)]);
    }
    levels->addStretch(1);
    // A new user's first map has the highest detail level.
    levelBoxes_[0]->setChecked(true);
    grid->addLayout(levels, 2, 1);
    contoursBox_ = named(new QCheckBox(tr("Add Contours")), QStringLiteral("Check1"));
    grid->addWidget(contoursBox_, 3, 1);
    // Elevation models only: the height of a band, filling voids first, simplifying after.
    intervalBox_ = textBox(QStringLiteral("Interval"), QStringLiteral("25"));
    fillVoidsBox_ = named(new QCheckBox(tr("Fill voids")), QStringLiteral("FillVoids"));
    simplifyBox_ = textBox(QStringLiteral("Simplify"), QStringLiteral("0"));
    grid->addWidget(caption(QStringLiteral("IntervalLabel"), tr("Interval")), 4, 0);
    auto* elevation = new QHBoxLayout;
    elevation->addWidget(intervalBox_);
    elevation->addWidget(fillVoidsBox_);
    elevation->addWidget(caption(QStringLiteral("SimplifyLabel"), tr("Simplify (m)")));
    elevation->addWidget(simplifyBox_);
    elevation->addStretch(1);
    grid->addLayout(elevation, 4, 1);
    intervalBox_->setEnabled(false);
    fillVoidsBox_->setEnabled(false);
    simplifyBox_->setEnabled(false);
    contourLinesBox_ = new ContourLinesBox;
    contourLinesBox_->setEnabled(false);
    grid->addWidget(contourLinesBox_, 5, 1);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* MainWindow::buildStyleGroup() {
    auto* group = new QGroupBox(tr("TYP Style"));
    auto* grid = new QGridLayout(group);
    maxDrawOrderBox_ = textBox(QStringLiteral("Text5"), QStringLiteral("14"));
    rowPerBandBox_ = named(new QCheckBox(tr("1 Polygon Per Line")), QStringLiteral("Check3"));
    oneColourBox_ = named(new QCheckBox(tr("One Color")), QStringLiteral("Check4"));
    patternEditor_ = named(new PatternEditor, QStringLiteral("Text1"));
    patternEditor_->setToolTip(tr("Rows of 0 and 1: 1, 2, 4, 8, 16 or 32 rows of 1, 2, 4, 8, 16 or 32 "
                                  "characters"));
    grid->addWidget(caption(QStringLiteral("Label5_1"), tr("Max Draworder")), 0, 0);
    grid->addWidget(maxDrawOrderBox_, 0, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(rowPerBandBox_);
    options->addWidget(oneColourBox_);
    options->addStretch(1);
    grid->addLayout(options, 1, 1);
    grid->addWidget(caption(QStringLiteral("Label1_2"), tr("Pattern:")), 2, 0, Qt::AlignTop);
    grid->addWidget(patternEditor_, 2, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    const int lineHeight = patternEditor_->fontMetrics().lineSpacing();
    patternEditor_->setMinimumHeight(lineHeight * 6);
    connect(patternEditor_, &PatternEditor::edited, this, [this] { pattern_.unsaved = true; });
    return group;
}

QWidget* MainWindow::buildTypesColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    typeList_ = named(new QListWidget, QStringLiteral("List1"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    typeList_->setFont(fixed);
    typeList_->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QStringLiteral("-00000  1FFFFF")) + 40);
    layout->addWidget(caption(QStringLiteral("Label7"), tr("TYPES")));
    layout->addWidget(typeList_, 1);
    return column;
}

QWidget* MainWindow::buildLegendColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    legend_ = new LegendWidget;
    rampChooser_ = new RampChooser;
    layout->addWidget(caption(QStringLiteral("Label6"), tr("Elevation")));
    layout->addWidget(rampChooser_);
    layout->addWidget(legend_, 1);
    connect(legend_, &LegendWidget::swatchDoubleClicked, this, &MainWindow::editSwatch);
    return column;
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
    cancelButton_ = named(new QPushButton(tr("Cancel")), QStringLiteral("cancelRun"));
    cancelButton_->hide();
    downloadButton_ = named(new QToolButton, QStringLiteral("Picture2"));
    downloadButton_->setToolTip(tr("Download map data"));
    downloadButton_->setIcon(tileDownloadIcon());
    downloadButton_->setIconSize(QSize(28, 28));
    downloadButton_->setAutoRaise(true);
    updateLabel_ = caption(QStringLiteral("Label8"), tr("UPDATE AVAILABLE"));
    updateLabel_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; font-weight: bold; }"));
    updateLabel_->setCursor(Qt::PointingHandCursor);
    updateLabel_->setToolTip(tr("Open the download page"));
    updateLabel_->installEventFilter(this);
    updateLabel_->hide();
    buttons->addWidget(createMapButton_);
    buttons->addWidget(createTypButton_);
    buttons->addWidget(createImageButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(downloadButton_);
    buttons->addStretch(1);
    buttons->addWidget(updateLabel_);
    layout->addLayout(buttons);

    progressBar_ = named(new QProgressBar, QStringLiteral("backprog"));
    progressBar_->setRange(0, kProgressSteps);
    progressBar_->setTextVisible(false);
    progressBar_->setFixedHeight(fontMetrics().height() / 2 + 10);
    layout->addWidget(progressBar_);

    connect(createMapButton_, &QPushButton::clicked, this, &MainWindow::createMap);
    connect(createTypButton_, &QPushButton::clicked, this, &MainWindow::createTyp);
    connect(createImageButton_, &QPushButton::clicked, this, &MainWindow::createGarminImage);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { runner_->cancel(); });
    connect(downloadButton_, &QToolButton::clicked, this, &MainWindow::openDownloadWindow);
    return box;
}

} // namespace orolith::gui
