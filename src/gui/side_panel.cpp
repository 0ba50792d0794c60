// The side panel beside the map: the controls grouped in the order a map is made, the
// input or area first, then its bands, their style, and what is written. Each group lays
// its rows out in a column, so further rows can be added to it.
#include "gui/contour_lines_box.h"
#include "gui/legend_widget.h"
#include "gui/main_window.h"
#include "gui/pattern_editor.h"
#include "gui/ramp_chooser.h"
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
#include <QScrollArea>
#include <QSpinBox>
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

constexpr int kLeastPanelChars = 30;

// A group whose rows stack in a column; the grid is its first row.
QGroupBox* group(const QString& name, const QString& title, QGridLayout*& grid) {
    auto* box = named(new QGroupBox(title), name);
    auto* column = new QVBoxLayout(box);
    grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);
    return box;
}

} // namespace

QWidget* MainWindow::buildSidePanel() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("sidePanel"));
    auto* column = new QVBoxLayout(panel);
    column->addWidget(buildAreaGroup());
    column->addWidget(buildBandsGroup());
    column->addWidget(buildStyleGroup());
    column->addWidget(buildOutputGroup());
    column->addStretch(1);
    // A small screen, or a large scale factor, scrolls the panel rather than cutting the map.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("sidePanelScroll"));
    scroll->setWidget(panel);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // The panel may be narrowed (and then scrolls sideways too), so that the map keeps room
    // on a small screen.
    scroll->setMinimumWidth(fontMetrics().averageCharWidth() * kLeastPanelChars);
    return scroll;
}

QWidget* MainWindow::buildAreaGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = group(QStringLiteral("areaGroup"), tr("Area"), grid);
    inputBox_ = textBox(QStringLiteral("Text4"), QStringLiteral("*.txt"));
    inputBox_->setToolTip(tr("The elevation model or Geo Vector file the map is made from"));
    inputKind_ = caption(QStringLiteral("inputKind"), QString());
    inputKind_->setWordWrap(true);
    folderButtons_[0] = folderButton(0, tr("Open File"));
    downloadButton_ = named(new QToolButton, QStringLiteral("Picture2"));
    downloadButton_->setText(tr("Download map data"));
    downloadButton_->setToolTip(tr("Download map data"));
    downloadButton_->setIcon(tileDownloadIcon());
    downloadButton_->setIconSize(QSize(24, 24));
    downloadButton_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    grid->addWidget(caption(QStringLiteral("inputLabel"), tr("Input")), 0, 0);
    grid->addWidget(inputBox_, 0, 1);
    grid->addWidget(folderButtons_[0], 0, 2);
    grid->addWidget(inputKind_, 1, 1, 1, 2);
    grid->addWidget(downloadButton_, 2, 1, 1, 2, Qt::AlignLeft);
    connect(folderButtons_[0], &QToolButton::clicked, this, &MainWindow::openFile);
    connect(downloadButton_, &QToolButton::clicked, this, &MainWindow::openDownloadWindow);
    return box;
}

QWidget* MainWindow::buildBandsGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = group(QStringLiteral("bandsGroup"), tr("Bands"), grid);
    // Elevation models only: the height of a band and where bands start, smoothing and
    // filling voids first, simplifying after.
    intervalBox_ = textBox(QStringLiteral("Interval"), QStringLiteral("25"));
    baseBox_ = textBox(QStringLiteral("Base"), QStringLiteral("0"));
    smoothBox_ = named(new QSpinBox, QStringLiteral("Smooth"));
    smoothBox_->setRange(0, 100);
    smoothBox_->setSuffix(tr(" px"));
    fillVoidsBox_ = named(new QCheckBox(tr("Fill voids")), QStringLiteral("FillVoids"));
    // Empty: what 'orolith mp' takes without --simplify, shown once the model is read.
    simplifyBox_ = textBox(QStringLiteral("Simplify"), QString());
    simplifyBox_->setPlaceholderText(tr("1/10 pixel"));
    simplifyBox_->setToolTip(tr("Empty: a tenth of the pixel's shorter side; 0: none"));
    auto* elevation = new QGridLayout;
    elevation->addWidget(caption(QStringLiteral("IntervalLabel"), tr("Interval (m)")), 0, 0);
    elevation->addWidget(intervalBox_, 0, 1);
    elevation->addWidget(caption(QStringLiteral("BaseLabel"), tr("Base (m)")), 0, 2);
    elevation->addWidget(baseBox_, 0, 3);
    elevation->addWidget(caption(QStringLiteral("SmoothLabel"), tr("Smooth")), 1, 0);
    elevation->addWidget(smoothBox_, 1, 1);
    elevation->addWidget(caption(QStringLiteral("SimplifyLabel"), tr("Simplify (m)")), 1, 2);
    elevation->addWidget(simplifyBox_, 1, 3);
    elevation->addWidget(fillVoidsBox_, 2, 0, 1, 4);
    for (QWidget* control :
         std::initializer_list<QWidget*>{intervalBox_, baseBox_, fillVoidsBox_, smoothBox_, simplifyBox_})
        control->setEnabled(false);
    grid->addLayout(elevation, 0, 0, 1, 2);

    firstTypeBox_ = textBox(QStringLiteral("Text2"), QStringLiteral("10300"));
    maxDistanceBox_ = textBox(QStringLiteral("Text3"), QStringLiteral("45000"));
    grid->addWidget(caption(QStringLiteral("Label1_0"), tr("Polygon Type starts at 0 X")), 1, 0);
    grid->addWidget(firstTypeBox_, 1, 1);
    grid->addWidget(caption(QStringLiteral("Label5_0"), tr("Max Distance")), 2, 0);
    grid->addWidget(maxDistanceBox_, 2, 1);
    grid->addWidget(caption(QStringLiteral("Label1_1"), tr("Map Resolution Level")), 3, 0, 1, 2);
    auto* levels = new QHBoxLayout;
    const QStringList names{tr("Highest"), tr("High"), tr("Medium"), tr("Low")};
    for (std::size_t i = 0; i < levelBoxes_.size(); ++i) {
        levelBoxes_[i] = named(new QCheckBox(names[static_cast<int>(i)]), QStringLiteral("Check2_%1").arg(i));
        levels->addWidget(levelBoxes_[i]);
    }
    levels->addStretch(1);
    // A new user's first map has the highest detail level.
    levelBoxes_[0]->setChecked(true);
    grid->addLayout(levels, 4, 0, 1, 2);
    contoursBox_ = named(new QCheckBox(tr("Add Contours")), QStringLiteral("Check1"));
    grid->addWidget(contoursBox_, 5, 0, 1, 2);
    contourLinesBox_ = new ContourLinesBox;
    contourLinesBox_->setEnabled(false);
    grid->addWidget(contourLinesBox_, 6, 0, 1, 2);

    typeList_ = named(new QListWidget, QStringLiteral("List1"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    typeList_->setFont(fixed);
    typeList_->setMinimumHeight(QFontMetrics(fixed).lineSpacing() * 6);
    typeList_->setMaximumHeight(QFontMetrics(fixed).lineSpacing() * 10);
    grid->addWidget(caption(QStringLiteral("Label7"), tr("TYPES")), 7, 0, 1, 2);
    grid->addWidget(typeList_, 8, 0, 1, 2);
    return box;
}

QWidget* MainWindow::buildStyleGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = group(QStringLiteral("styleGroup"), tr("TYP Style"), grid);
    maxDrawOrderBox_ = textBox(QStringLiteral("Text5"), QStringLiteral("14"));
    rowPerBandBox_ = named(new QCheckBox(tr("1 Polygon Per Line")), QStringLiteral("Check3"));
    oneColourBox_ = named(new QCheckBox(tr("One Color")), QStringLiteral("Check4"));
    patternEditor_ = named(new PatternEditor, QStringLiteral("Text1"));
    patternEditor_->setToolTip(tr("Rows of 0 and 1: 1, 2, 4, 8, 16 or 32 rows of 1, 2, 4, 8, 16 or 32 "
                                  "characters"));
    patternEditor_->setMinimumHeight(patternEditor_->fontMetrics().lineSpacing() * 6);
    legend_ = new LegendWidget;
    connect(legend_, &LegendWidget::swatchDoubleClicked, this, &MainWindow::editSwatch);
    connect(patternEditor_, &PatternEditor::edited, this, [this] { pattern_.unsaved = true; });

    auto* settings = new QGridLayout;
    settings->addWidget(caption(QStringLiteral("Label5_1"), tr("Max Draworder")), 0, 0);
    settings->addWidget(maxDrawOrderBox_, 0, 1);
    settings->addWidget(rowPerBandBox_, 1, 0, 1, 2);
    settings->addWidget(oneColourBox_, 2, 0, 1, 2);
    settings->addWidget(caption(QStringLiteral("Label1_2"), tr("Pattern:")), 3, 0, 1, 2);
    settings->addWidget(patternEditor_, 4, 0, 1, 2);
    settings->setRowStretch(4, 1);
    auto* legendColumn = new QVBoxLayout;
    legendColumn->addWidget(caption(QStringLiteral("Label6"), tr("Elevation")));
    rampChooser_ = new RampChooser;
    legendColumn->addWidget(rampChooser_);
    legendColumn->addWidget(legend_, 1);
    grid->addLayout(settings, 0, 0);
    grid->addLayout(legendColumn, 0, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 0);
    return box;
}

QWidget* MainWindow::buildOutputGroup() {
    QGridLayout* grid = nullptr;
    QGroupBox* box = group(QStringLiteral("outputGroup"), tr("Output"), grid);
    folderButtons_[1] = folderButton(1, tr(" Find mp File"));
    folderButtons_[2] = folderButton(2, tr("Find typ( txt) File"));
    mapPathLabel_ = caption(QStringLiteral("Label2"), tr("mp file"));
    mapPathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mapPathLabel_->setMinimumWidth(1);
    typPathBox_ = textBox(QStringLiteral("Text6"), tr("TYP File"));
    grid->addWidget(new QLabel(tr("Map")), 0, 0);
    grid->addWidget(mapPathLabel_, 0, 1);
    grid->addWidget(folderButtons_[1], 0, 2);
    grid->addWidget(caption(QStringLiteral("Label3"), tr("Output File")), 1, 0);
    grid->addWidget(typPathBox_, 1, 1);
    grid->addWidget(folderButtons_[2], 1, 2);
    connect(folderButtons_[1], &QToolButton::clicked, this, &MainWindow::findMapFolder);
    connect(folderButtons_[2], &QToolButton::clicked, this, &MainWindow::findTypFile);
    static_cast<QVBoxLayout*>(box->layout())->addWidget(buildActionRow());
    return box;
}

} // namespace orolith::gui
