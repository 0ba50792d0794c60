#include "gui/garmin_settings.h"

#include "garmin/map_number.h"

#include <QCoreApplication>
#include <QSettings>

namespace orolith::gui {

QString garminSettingsFile(const QString& settingsFolder) {
    return settingsFolder + QStringLiteral("/garmin.ini");
}

GarminSettings loadGarminSettings(const QString& file) {
    QSettings ini(file, QSettings::IniFormat);
    GarminSettings settings;
    ini.beginGroup(QStringLiteral("garmin"));
    settings.mkgmapProgram = ini.value(QStringLiteral("mkgmap")).toString();
    settings.mapName = ini.value(QStringLiteral("name")).toString();
    settings.mapNumber = ini.value(QStringLiteral("number")).toString();
    settings.familyId = ini.value(QStringLiteral("family"), settings.familyId).toString();
    return settings;
}

bool saveGarminSettings(const QString& file, const GarminSettings& settings) {
    QSettings ini(file, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("garmin"));
    ini.setValue(QStringLiteral("mkgmap"), settings.mkgmapProgram);
    ini.setValue(QStringLiteral("name"), settings.mapName);
    ini.setValue(QStringLiteral("number"), settings.mapNumber);
    ini.setValue(QStringLiteral("family"), settings.familyId);
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString garminSettingsProblem(const GarminSettings& settings) {
    const QString number = settings.mapNumber.trimmed();
    if (!number.isEmpty() && !garmin::parseMapNumber(number.toStdString()))
        return QCoreApplication::translate(
            "orolith::gui::GarminSettings",
            "The map number must have 8 digits, 10000000 to 99999999 (or stay empty).");
    if (!garmin::parseFamilyId(settings.familyId.trimmed().toStdString()))
        return QCoreApplication::translate("orolith::gui::GarminSettings",
                                           "The family ID must be a number from 1 to 65535.");
    return {};
}

} // namespace orolith::gui
