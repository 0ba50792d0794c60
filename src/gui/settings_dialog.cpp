#include "gui/settings_dialog.h"

#include "core/platform/paths.h"
#include "gui/byte_text.h"
#include "gui/desktop.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orolith::gui {

namespace {

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
    // A bare file name has no folder of its own: start in the program folder then too.
    const QString folder = fromBytes(folderOf(toBytes(path), toBytes(programFolder)));
    return folder.isEmpty() ? programFolder : folder;
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

QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& programFolder) {
    SettingsDialog dialog(toolPath, programFolder, parent);
    dialog.exec();
    return dialog.toolPath();
}

} // namespace orolith::gui
