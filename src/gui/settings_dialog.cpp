#include "gui/settings_dialog.h"

#include "core/platform/paths.h"
#include "gui/byte_text.h"
#include "gui/desktop.h"
#include "gui/path_text.h"
#include "gui/tile_mirror_group.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orolith::gui {

namespace {

FileFilter toolFilter() {
#ifdef Q_OS_WIN
    return {SettingsDialog::tr("Stylesmith  (*.exe)"), QStringLiteral("*.exe")};
#else
    return {SettingsDialog::tr("Stylesmith  (*)"), QStringLiteral("*")};
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

SettingsDialog::SettingsDialog(const QString& toolPath, const QString& programFolder, QWidget* parent,
                               std::optional<GarminSettings> garmin, std::optional<download::SourceSettings> sources)
    : QDialog(parent), toolPath_(toolPath), programFolder_(programFolder), garmin_(std::move(garmin)),
      sources_(std::move(sources)) {
    setObjectName(QStringLiteral("settings"));
    setWindowTitle(tr("Settings"));

    auto* editions = new QLabel(tr("Stylesmith, the TYP tool started after \"Create TYP\".\n"
                                   "Choose the program of the Free, Standard or Professional edition, "
                                   "version 2 or later."),
                                this);
    editions->setObjectName(QStringLiteral("Label1_2"));
    editions->setWordWrap(true);

    pathEdit_ = new QLineEdit(toolPath, this);
    pathEdit_->setObjectName(QStringLiteral("Text1_1"));
    pathEdit_->setPlaceholderText(tr("path"));
    pathEdit_->setMinimumWidth(pathEdit_->fontMetrics().averageCharWidth() * 48);

    auto* choose = new QPushButton(QStringLiteral("<<"), this);
    choose->setObjectName(QStringLiteral("Command2_1"));
    choose->setToolTip(tr("Choose the program file"));
    choose->setAutoDefault(false);
    choose->setMaximumWidth(choose->fontMetrics().horizontalAdvance(QStringLiteral("<<")) * 4);

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setAutoDefault(false);
    auto* applyButton = new QPushButton(tr("Apply"), this);
    applyButton->setObjectName(QStringLiteral("Command3_0"));
    applyButton->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
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
    if (garmin_)
        layout->addWidget(buildGarminGroup());
    if (sources_) {
        mirrors_ = new TileMirrorGroup(*sources_, this);
        layout->addWidget(mirrors_);
    }
    layout->addSpacing(8);
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(choose, &QPushButton::clicked, this, &SettingsDialog::chooseTool);
    connect(applyButton, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SettingsDialog::chooseTool() {
    const QString chosen = Desktop::instance().fileDialog(
        false, this, startFolderFor(toolPath_, programFolder_), toolFileName(), toolFilter());
    if (chosen.isEmpty() || !QFileInfo::exists(chosen))
        return;
    if (!isToolProgram(chosen)) {
        Desktop::instance().message(this, tr("Stylesmith not found."));
        return;
    }
    toolPath_ = chosen;
    pathEdit_->setText(chosen);
}

QWidget* SettingsDialog::buildGarminGroup() {
    auto* group = new QGroupBox(tr("Garmin map"), this);
    auto* form = new QFormLayout(group);
    const auto edit = [group](const char* name, const QString& text, const QString& placeholder) {
        auto* box = new QLineEdit(text, group);
        box->setObjectName(QString::fromLatin1(name));
        box->setPlaceholderText(placeholder);
        return box;
    };
    mkgmapEdit_ = edit("mkgmapProgram", garmin_->mkgmapProgram, tr("mkgmap on the PATH"));
    mapNameEdit_ = edit("mapName", garmin_->mapName, tr("the input's name"));
    mapNumberEdit_ = edit("mapNumber", garmin_->mapNumber, tr("from the map's area"));
    familyIdEdit_ = edit("familyId", garmin_->familyId, QString());
    auto* choose = new QPushButton(QStringLiteral("<<"), group);
    choose->setObjectName(QStringLiteral("chooseMkgmap"));
    choose->setToolTip(tr("Choose mkgmap's program or .jar file"));
    choose->setAutoDefault(false);
    choose->setMaximumWidth(choose->fontMetrics().horizontalAdvance(QStringLiteral("<<")) * 4);
    auto* mkgmapRow = new QHBoxLayout;
    mkgmapRow->addWidget(mkgmapEdit_, 1);
    mkgmapRow->addWidget(choose);
    form->addRow(tr("mkgmap"), mkgmapRow);
    form->addRow(tr("Map name"), mapNameEdit_);
    form->addRow(tr("Map number"), mapNumberEdit_);
    form->addRow(tr("Family ID"), familyIdEdit_);
    connect(choose, &QPushButton::clicked, this, &SettingsDialog::chooseMkgmap);
    return group;
}

void SettingsDialog::chooseMkgmap() {
    const QString chosen = Desktop::instance().fileDialog(
        false, this, startFolderFor(mkgmapEdit_->text(), programFolder_), QString(),
        {tr("mkgmap (mkgmap mkgmap.jar *.jar)"), QStringLiteral("*")});
    if (!chosen.isEmpty())
        mkgmapEdit_->setText(chosen);
}

void SettingsDialog::apply() {
    if (garmin_) {
        GarminSettings garmin{mkgmapEdit_->text().trimmed(), mapNameEdit_->text().trimmed(),
                              mapNumberEdit_->text().trimmed(), familyIdEdit_->text().trimmed()};
        if (const QString problem = garminSettingsProblem(garmin); !problem.isEmpty()) {
            Desktop::instance().message(this, problem);
            return;
        }
        garmin_ = garmin;
    }
    if (mirrors_) {
        if (const QString problem = mirrors_->problem(); !problem.isEmpty()) {
            Desktop::instance().message(this, problem);
            return;
        }
        sources_ = mirrors_->applied(*sources_);
    }
    toolPath_ = pathEdit_->text();
    accept();
}

QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& programFolder) {
    SettingsDialog dialog(toolPath, programFolder, parent);
    dialog.exec();
    return dialog.toolPath();
}

QString runSettingsDialog(QWidget* parent, const QString& toolPath, const QString& programFolder,
                          const QString& settingsFolder) {
    const QString garminFile = garminSettingsFile(settingsFolder);
    const GarminSettings before = loadGarminSettings(garminFile);
    const auto sourcesFile = download::sourceSettingsIn(toPath(settingsFolder));
    const download::SourceSettings sourcesBefore = download::readSourceSettings(sourcesFile);
    SettingsDialog dialog(toolPath, programFolder, parent, before, sourcesBefore);
    dialog.exec();
    if (dialog.garminSettings() && *dialog.garminSettings() != before &&
        !saveGarminSettings(garminFile, *dialog.garminSettings()))
        Desktop::instance().message(parent, SettingsDialog::tr("%1 could not be written.").arg(garminFile));
    std::string error;
    if (dialog.sourceSettings() && *dialog.sourceSettings() != sourcesBefore &&
        !download::writeSourceSettings(sourcesFile, *dialog.sourceSettings(), error))
        Desktop::instance().message(parent, SettingsDialog::tr("%1 could not be written: %2")
                                                .arg(fromBytes(sourcesFile.string()), fromBytes(error)));
    return dialog.toolPath();
}

} // namespace orolith::gui
