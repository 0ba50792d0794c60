#pragma once
// What the main window keeps for the whole run, by concern: where the files go, the current
// input and what was made from it, the palette, the pattern, and the settings no control
// shows. Paths are kept as the platform writes them.

#include "core/settings/home_places.h"
#include "core/style/palette.h"

#include <QString>
#include <cstdint>

namespace orolith::gui {

inline const QString kCrlf = QStringLiteral("\r\n");

// Where the window keeps its files (see core/settings/home_places.h), the folders as the
// platform writes them.
struct HomeFolder {
    HomePlaces places;
    QString data;           // typ, col, patterns, mosaics, the companion list
    QString paletteFolder;  // data/col
    QString patternFolder;  // data/patterns
    QString settingsFolder; // orolith.dat and the other settings and remembered-state files
    QString settingsFile;   // settingsFolder/orolith.dat
};

// The Geo Vector input and the files made from it.
struct CurrentInput {
    QString openFolder;     // where the open dialog starts
    QString path;           // the input the runs read
    QString mapPath;        // its map, shown by Label2
    QString lastMapWritten; // the folder button opens the folder that holds it
    QString typPath;        // the TYP text file, shown in Text6
    std::int32_t lowestElevation = 0;
    QString listedPath;              // the input whose bands the type list holds
    std::int32_t listedLowest = 0;   // and their lowest elevation
    QString listedOptions;           // and the band options they were listed with
};

// The elevation colour table the legend shows and the TYP writer uses.
struct PaletteState {
    Palette colours{};
    QString file;         // the palette file last loaded or saved
    bool unsaved = false; // changed since
};

// The fill pattern; its rows are the pattern editor's text.
struct PatternState {
    QString file;         // the pattern file last loaded or saved
    bool unsaved = false; // edited since
};

// Values the settings file keeps that no control of the main window shows.
struct KeptSettings {
    QString typToolPath;  // started on the TYP file once written
    int tileRegion = 0;   // the download window's continent
    QString reservedLine; // first line of the settings file, written back as read
};

} // namespace orolith::gui
