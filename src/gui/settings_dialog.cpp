#include "gui/settings_dialog.h"

#include "gui/desktop.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace orolith::gui {

namespace {

QString lastSeparatorPart(const QString& path, qsizetype* separatorAt) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype backslash = path.lastIndexOf(QLatin1Char('\\'));
    *separatorAt = std::max(slash, backslash);
    return path.mid(*separatorAt + 1);
}

FileFilter toolFilter() {
#ifdef Q_OS_WIN
    return {QStringLiteral("Stylesmith  (*.exe)"), QStringLiteral("*.exe")};
#else
    return {QStringLiteral("Stylesmith  (*)"), QStringLiteral("*")};
#endif
}

QString toolFileName() {
#ifdef Q_OS_WIN
    return QStringLiteral("*.exe");
#else
    return QStringLiteral("*");
#endif
}

} // namespace

QString startFolderFor(const QString& path, const QString& programFolder) {
    qsizetype separatorAt = -1;
    QString name = lastSeparatorPart(path, &separatorAt);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty() || name.contains(QLatin1Char('*')) || separatorAt < 0)
        return programFolder;
    return path.left(separatorAt + 1);
}

bool isToolProgram(const QString& path) {
#ifdef Q_OS_WIN
    return path.toLower().contains(QStringLiteral(".exe"));
#else
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
#endif
}

SettingsDialog::SettingsDialog(const QString& toolPath, const QString& programFolder, QWidget* parent)
    : QDialog(parent), toolPath_(toolPath), programFolder_(programFolder) {
    setObjectName(QStringLiteral("settings"));
    setWindowTitle(QStringLiteral("Settings"));

    auto* editions =
        new QLabel(QStringLiteral("Stylesmith, the TYP tool started after \"Create TYP\".\n"
                                  "Choose the program of the Free, Standard or Professional edition, "
                                  "version 2 or later."),
                   this);
    editions->setObjectName(QStringLiteral("Label1_2"));
    editions->setWordWrap(true);

    pathEdit_ = new QLineEdit(toolPath, this);
    pathEdit_->setObjectName(QStringLiteral("Text1_1"));
    pathEdit_->setPlaceholderText(QStringLiteral("path"));
    pathEdit_->setMinimumWidth(pathEdit_->fontMetrics().averageCharWidth() * 48);

    auto* choose = new QPushButton(QStringLiteral("<<"), this);
    choose->setObjectName(QStringLiteral("Command2_1"));
    choose->setToolTip(QStringLiteral("Choose the program file"));
    choose->setAutoDefault(false);
    choose->setMaximumWidth(choose->fontMetrics().horizontalAdvance(QStringLiteral("<<")) * 4);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setAutoDefault(false);
    auto* applyButton = new QPushButton(QStringLiteral("Apply"), this);
    applyButton->setObjectName(QStringLiteral("Command3_0"));
    applyButton->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command3_1"));
    cancel->setAutoDefault(false);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathEdit_, 1);
    pathRow->addWidget(choose);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(ok);
    buttonRow->addStretch(1);
    buttonRow->addWidget(applyButton);
    buttonRow->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editions);
    layout->addLayout(pathRow);
    layout->addSpacing(8);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(choose, &QPushButton::clicked, this, &SettingsDialog::chooseTool);
    connect(applyButton, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SettingsDialog::chooseTool() {
    const QString chosen = Desktop::instance().fileDialog(
        false, this, startFolderFor(toolPath_, programFolder_), toolFileName(), toolFilter());
    if (chosen.isEmpty() || !QFileInfo::exists(chosen))
        return;
    if (!isToolProgram(chosen)) {
        Desktop::instance().message(this, QStringLiteral("Stylesmith not found."));
        return;
    }
    toolPath_ = chosen;
    pathEdit_->setText(chosen);
}

void SettingsDialog::apply() {
    toolPath_ = pathEdit_->text();
    accept();
}

QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& apppath) {
    SettingsDialog dialog(toolPath, apppath, parent);
    dialog.exec();
    return dialog.toolPath();
}

} // namespace orolith::gui
