#pragma once
// The program-wide state the main window owns for the whole run. Paths are kept as the
// platform writes them; the colour table and the pattern rows are the ones the TYP writer uses.

#include "core/style/palette.h"
#include "gui/byte_text.h"
#include "gui/desktop.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace orolith::gui {

inline const QString kCrlf = QStringLiteral("\r\n");

struct AppState {
    QString apppath; // folder holding col, patterns, system and typ
    QString coldir;  // palette files
    QString patdir;  // pattern files
    QString sysdir;  // settings file
    QString typfile; // TYP text file, shown in Text6
    QString vecdir;  // start folder of the Geo Vector open dialog
    QString infile;  // current Geo Vector input
    QString mpfile;  // map path of the current input, shown by Label2
    QString lastmp;  // last map written
    std::int32_t lowest = 0;
    Palette cols{};
    bool colchanged = false;
    QString colfile;
    bool patchanged = false;
    QString patfile;
    std::int32_t curcolor = 0;
    QString toolpath;
    int region = 0;
    QString reservedLine; // first line of the settings file, written back as read

    QString settingsPath() const { return apppath + QStringLiteral("/system/orolith.dat"); }
};

} // namespace orolith::gui
