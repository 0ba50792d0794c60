#pragma once
// The settings of "Create Garmin map": mkgmap's program, the map's name, number and family
// ID. They live in an INI file of their own beside the settings file, which keeps its lines.

#include <QString>

namespace orolith::gui {

struct GarminSettings {
    QString mkgmapProgram; // a program or .jar; empty: found on the PATH
    QString mapName;       // empty: the input's name
    QString mapNumber;     // 8 digits; empty: derived from the map's area
    QString familyId = QStringLiteral("1733");

    friend bool operator==(const GarminSettings&, const GarminSettings&) = default;
};

// garmin.ini in the settings folder
QString garminSettingsFile(const QString& settingsFolder);

GarminSettings loadGarminSettings(const QString& file);
// False when the file cannot be written.
bool saveGarminSettings(const QString& file, const GarminSettings& settings);

// Why the map number or family ID cannot be used, or empty when both can.
QString garminSettingsProblem(const GarminSettings& settings);

} // namespace orolith::gui
