<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>FileErrors</name>
    <message>
        <source>Not a valid settings file.</source>
        <translation>Keine gültige Einstellungsdatei.</translation>
    </message>
    <message>
        <source>Not a valid palette file.</source>
        <translation>Keine gültige Palettendatei.</translation>
    </message>
    <message>
        <source>Not a valid pattern file.</source>
        <translation>Keine gültige Musterdatei.</translation>
    </message>
    <message>
        <source>Cannot read file:</source>
        <translation>Datei kann nicht gelesen werden:</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Elevation maps and TYP styles for Garmin receivers</source>
        <translation>Höhenkarten und TYP-Stile für Garmin-Geräte</translation>
    </message>
    <message>
        <source>Folder holding col, patterns, system and typ.</source>
        <translation>Ordner mit col, patterns, system und typ.</translation>
    </message>
    <message>
        <source>Geo Vector text file to open.</source>
        <translation>Zu öffnende Geo-Vector-Textdatei.</translation>
    </message>
</context>
<context>
    <name>orolith::gui::AboutDialog</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Share of the computer&apos;s physical memory in use</source>
        <translation>Belegter Anteil des Arbeitsspeichers</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Beta </source>
        <translation>Beta </translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
</context>
<context>
    <name>orolith::gui::ColourPickerWindow</name>
    <message>
        <source>Elevation Colour</source>
        <translation>Höhenfarbe</translation>
    </message>
    <message>
        <source>Original:</source>
        <translation>Original:</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Luminance</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Maximum value:%1</source>
        <translation>Höchstwert:%1</translation>
    </message>
</context>
<context>
    <name>orolith::gui::ContourLinesBox</name>
    <message>
        <source>Contour lines</source>
        <translation>Höhenlinien</translation>
    </message>
    <message>
        <source>Between two lines, in whole metres (feet when ticked)</source>
        <translation>Abstand zweier Linien in ganzen Metern (in Fuß, wenn angekreuzt)</translation>
    </message>
    <message>
        <source>Every N-th line is intermediate, every M-th major</source>
        <translation>Jede N-te Linie ist eine Zwischenlinie, jede M-te eine Hauptlinie</translation>
    </message>
    <message>
        <source>Feet</source>
        <translation>Fuß</translation>
    </message>
    <message>
        <source>Interval</source>
        <translation>Abstand</translation>
    </message>
    <message>
        <source>Intermediate, major</source>
        <translation>Zwischen-, Hauptlinie</translation>
    </message>
    <message>
        <source>The contour interval is a whole number of metres (or feet) above 0.</source>
        <translation>Der Abstand der Höhenlinien ist eine ganze Zahl von Metern (oder Fuß) über 0.</translation>
    </message>
    <message>
        <source>Contour lines: every N-th line is intermediate and every M-th major, M a multiple of N (such as 5,10).</source>
        <translation>Höhenlinien: jede N-te Linie ist eine Zwischenlinie und jede M-te eine Hauptlinie, M ein Vielfaches von N (etwa 5,10).</translation>
    </message>
</context>
<context>
    <name>orolith::gui::Desktop</name>
    <message>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Choose Folder</source>
        <translation>Ordner wählen</translation>
    </message>
</context>
<context>
    <name>orolith::gui::DownloadWindow</name>
    <message>
        <source>Download map data</source>
        <translation>Kartendaten herunterladen</translation>
    </message>
    <message>
        <source>Paste coordinates</source>
        <translation>Koordinaten einfügen</translation>
    </message>
    <message>
        <source>check</source>
        <translation>prüfen</translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>URL kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>orolith::gui::GarminSettings</name>
    <message>
        <source>The map number must have 8 digits, 10000000 to 99999999 (or stay empty).</source>
        <translation>Die Kartennummer hat 8 Ziffern, 10000000 bis 99999999 (oder bleibt leer).</translation>
    </message>
    <message>
        <source>The family ID must be a number from 1 to 65535.</source>
        <translation>Die Family-ID ist eine Zahl von 1 bis 65535.</translation>
    </message>
</context>
<context>
    <name>orolith::gui::Help</name>
    <message>
        <source>The user&apos;s guide is not installed.</source>
        <translation>Das Handbuch ist nicht installiert.</translation>
    </message>
    <message>
        <source>User&apos;s guide</source>
        <translation>Handbuch</translation>
    </message>
</context>
<context>
    <name>orolith::gui::LegendWidget</name>
    <message>
        <source>%1m</source>
        <translation>%1m</translation>
    </message>
    <message>
        <source>Double-click to change a band&apos;s colour</source>
        <translation>Doppelklick ändert die Farbe einer Stufe</translation>
    </message>
</context>
<context>
    <name>orolith::gui::MainWindow</name>
    <message>
        <source>Several files are opened together only as elevation models: </source>
        <translation>Mehrere Dateien lassen sich nur als Höhenmodelle zusammen öffnen: </translation>
    </message>
    <message>
        <source>Geo Vector</source>
        <translation>Geo Vector</translation>
    </message>
    <message>
        <source>Elevation model</source>
        <translation>Höhenmodell</translation>
    </message>
    <message>
        <source>Elevation model, %1</source>
        <translation>Höhenmodell, %1</translation>
    </message>
    <message>
        <source>The interval is a whole number of metres above 0.</source>
        <translation>Der Abstand ist eine ganze Zahl von Metern über 0.</translation>
    </message>
    <message>
        <source>The base is a whole number of metres.</source>
        <translation>Die Basis ist eine ganze Zahl von Metern.</translation>
    </message>
    <message>
        <source>Simplify takes a number of metres from 0 up.</source>
        <translation>Vereinfachen nimmt eine Zahl von Metern ab 0.</translation>
    </message>
    <message>
        <source>All supported files (%1)</source>
        <translation>Alle unterstützten Dateien (%1)</translation>
    </message>
    <message>
        <source>Elevation models (%1)</source>
        <translation>Höhenmodelle (%1)</translation>
    </message>
    <message>
        <source>Geo Vector txt (*.txt)</source>
        <translation>Geo Vector txt (*.txt)</translation>
    </message>
    <message>
        <source>Color Palette (*.col)</source>
        <translation>Farbpalette (*.col)</translation>
    </message>
    <message>
        <source>Bitmap Pattern (*.ptn)</source>
        <translation>Bitmap-Muster (*.ptn)</translation>
    </message>
    <message>
        <source>Cannot find file:</source>
        <translation>Datei nicht gefunden:</translation>
    </message>
    <message>
        <source>File exists.</source>
        <translation>Die Datei gibt es schon.</translation>
    </message>
    <message>
        <source>Replace file?</source>
        <translation>Datei ersetzen?</translation>
    </message>
    <message>
        <source>Replace File?</source>
        <translation>Datei ersetzen?</translation>
    </message>
    <message>
        <source>Writing the map</source>
        <translation>Karte wird geschrieben</translation>
    </message>
    <message>
        <source>Writing the TYP</source>
        <translation>TYP wird geschrieben</translation>
    </message>
    <message>
        <source>gmapsupp.img was not made:</source>
        <translation>gmapsupp.img wurde nicht erstellt:</translation>
    </message>
    <message>
        <source>Created %1</source>
        <translation>%1 erstellt</translation>
    </message>
    <message>
        <source>Size: %1 bytes</source>
        <translation>Größe: %1 Bytes</translation>
    </message>
    <message>
        <source>Map number: %1</source>
        <translation>Kartennummer: %1</translation>
    </message>
    <message>
        <source> to %1 (%2 tiles)</source>
        <translation> bis %1 (%2 Kacheln)</translation>
    </message>
    <message>
        <source>Family ID: %1</source>
        <translation>Family-ID: %1</translation>
    </message>
    <message>
        <source>Open its folder?</source>
        <translation>Ordner öffnen?</translation>
    </message>
    <message>
        <source>This folder holds a Garmin map made before.</source>
        <translation>Dieser Ordner enthält eine früher erstellte Garmin-Karte.</translation>
    </message>
    <message>
        <source>Replace?</source>
        <translation>Ersetzen?</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Map</source>
        <translation>&amp;Karte</translation>
    </message>
    <message>
        <source>&amp;Colours</source>
        <translation>&amp;Farben</translation>
    </message>
    <message>
        <source>Desaturate</source>
        <translation>Entsättigen</translation>
    </message>
    <message>
        <source>Convert to Shades</source>
        <translation>In Abstufungen umwandeln</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Locate Stylesmith</source>
        <translation>Stylesmith suchen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Onlne Help</source>
        <translation>Online-Hilfe</translation>
    </message>
    <message>
        <source>Create mp</source>
        <translation>mp erstellen</translation>
    </message>
    <message>
        <source>Create TYP</source>
        <translation>TYP erstellen</translation>
    </message>
    <message>
        <source>Create Garmin map</source>
        <translation>Garmin-Karte erstellen</translation>
    </message>
    <message>
        <source>Download map data</source>
        <translation>Kartendaten herunterladen</translation>
    </message>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Import Colour Palette</source>
        <translation>Farbpalette importieren</translation>
    </message>
    <message>
        <source>Import Pattern</source>
        <translation>Muster importieren</translation>
    </message>
    <message>
        <source>Save Color Palette</source>
        <translation>Farbpalette speichern</translation>
    </message>
    <message>
        <source>Save Pattern</source>
        <translation>Muster speichern</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source> Exit</source>
        <translation> Beenden</translation>
    </message>
    <message>
        <source>Write the map and the TYP, then compile gmapsupp.img with mkgmap</source>
        <translation>Karte und TYP schreiben, dann gmapsupp.img mit mkgmap übersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>UPDATE AVAILABLE</source>
        <translation>UPDATE VERFÜGBAR</translation>
    </message>
    <message>
        <source>Open the download page</source>
        <translation>Download-Seite öffnen</translation>
    </message>
    <message>
        <source>Nothing to open here: drop elevation tiles, a folder of tiles or a Geo Vector file.</source>
        <translation>Hier ist nichts zu öffnen: Höhenkacheln, einen Ordner mit Kacheln oder eine Geo-Vector-Datei ablegen.</translation>
    </message>
    <message>
        <source>Please select a &apos;Detail Level&apos;.</source>
        <translation>Bitte eine &apos;Detailstufe&apos; wählen.</translation>
    </message>
    <message>
        <source>Exit without saving?</source>
        <translation>Ohne Speichern beenden?</translation>
    </message>
    <message>
        <source>Colour Change has not been saved.</source>
        <translation>Die Farbänderung wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>Pattern has not been saved.</source>
        <translation>Das Muster wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>TYP txt files(*.txt)</source>
        <translation>TYP-txt-Dateien(*.txt)</translation>
    </message>
    <message>
        <source>Area</source>
        <translation>Gebiet</translation>
    </message>
    <message>
        <source>The elevation model or Geo Vector file the map is made from</source>
        <translation>Das Höhenmodell oder die Geo-Vector-Datei, aus der die Karte entsteht</translation>
    </message>
    <message>
        <source>Input</source>
        <translation>Eingabe</translation>
    </message>
    <message>
        <source>Bands</source>
        <translation>Höhenstufen</translation>
    </message>
    <message>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <source>Fill voids</source>
        <translation>Lücken füllen</translation>
    </message>
    <message>
        <source>Interval (m)</source>
        <translation>Abstand (m)</translation>
    </message>
    <message>
        <source>Base (m)</source>
        <translation>Basis (m)</translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation>Glätten</translation>
    </message>
    <message>
        <source>Simplify (m)</source>
        <translation>Vereinfachen (m)</translation>
    </message>
    <message>
        <source>Polygon Type starts at 0 X</source>
        <translation>Polygontyp beginnt bei 0 X</translation>
    </message>
    <message>
        <source>Max Distance</source>
        <translation>Max. Abstand</translation>
    </message>
    <message>
        <source>Map Resolution Level</source>
        <translation>Auflösungsstufe der Karte</translation>
    </message>
    <message>
        <source>Highest</source>
        <translation>Höchste</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Niedrig</translation>
    </message>
    <message>
        <source>Add Contours</source>
        <translation>Konturen hinzufügen</translation>
    </message>
    <message>
        <source>TYPES</source>
        <translation>TYPEN</translation>
    </message>
    <message>
        <source>TYP Style</source>
        <translation>TYP-Stil</translation>
    </message>
    <message>
        <source>1 Polygon Per Line</source>
        <translation>1 Polygon pro Zeile</translation>
    </message>
    <message>
        <source>One Color</source>
        <translation>Eine Farbe</translation>
    </message>
    <message>
        <source>Rows of 0 and 1: 1, 2, 4, 8, 16 or 32 rows of 1, 2, 4, 8, 16 or 32 characters</source>
        <translation>Zeilen aus 0 und 1: 1, 2, 4, 8, 16 oder 32 Zeilen mit 1, 2, 4, 8, 16 oder 32 Zeichen</translation>
    </message>
    <message>
        <source>Max Draworder</source>
        <translation>Max. Zeichenreihenfolge</translation>
    </message>
    <message>
        <source>Pattern:</source>
        <translation>Muster:</translation>
    </message>
    <message>
        <source>Elevation</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source> Find mp File</source>
        <translation> mp-Datei suchen</translation>
    </message>
    <message>
        <source>Find typ( txt) File</source>
        <translation>typ( txt)-Datei suchen</translation>
    </message>
    <message>
        <source>mp file</source>
        <translation>mp-Datei</translation>
    </message>
    <message>
        <source>TYP File</source>
        <translation>TYP-Datei</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>Ausgabedatei</translation>
    </message>
    <message>
        <source>Cannot write file:</source>
        <translation>Datei kann nicht geschrieben werden:</translation>
    </message>
    <message>
        <source>1/10 pixel</source>
        <translation>1/10 Pixel</translation>
    </message>
    <message>
        <source>Empty: a tenth of the pixel&apos;s shorter side; 0: none</source>
        <translation>Leer: ein Zehntel der kürzeren Pixelseite; 0: keine Vereinfachung</translation>
    </message>
</context>
<context>
    <name>orolith::gui::MapsFolderRow</name>
    <message>
        <source>Choose…</source>
        <translation>Wählen…</translation>
    </message>
    <message>
        <source>Maps folder:</source>
        <translation>Kartenordner:</translation>
    </message>
    <message>
        <source>Each area&apos;s map goes into a folder of its own here, named after its tiles.</source>
        <translation>Die Karte jedes Gebiets kommt hier in einen eigenen Ordner, benannt nach seinen Kacheln.</translation>
    </message>
    <message>
        <source>The map of this area goes to %1</source>
        <translation>Die Karte dieses Gebiets kommt nach %1</translation>
    </message>
</context>
<context>
    <name>orolith::gui::PreviewCanvas</name>
    <message>
        <source>%1 km</source>
        <translation>%1 km</translation>
    </message>
    <message>
        <source>%1 m</source>
        <translation>%1 m</translation>
    </message>
</context>
<context>
    <name>orolith::gui::PreviewPane</name>
    <message>
        <source>Fit</source>
        <translation>Einpassen</translation>
    </message>
    <message>
        <source>Show the whole input</source>
        <translation>Die ganze Eingabe zeigen</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Reading %1 …</source>
        <translation>%1 wird gelesen …</translation>
    </message>
    <message>
        <source>%1 bands, %2 polygons, %3 vertices</source>
        <translation>%1 Höhenstufen, %2 Polygone, %3 Punkte</translation>
    </message>
    <message>
        <source>Reading … %1 polygons so far</source>
        <translation>Lesen … bisher %1 Polygone</translation>
    </message>
    <message>
        <source>   elevation %1 m</source>
        <translation>   Höhe %1 m</translation>
    </message>
    <message>
        <source>   band %1 m, type 0x%2</source>
        <translation>   Stufe %1 m, Typ 0x%2</translation>
    </message>
</context>
<context>
    <name>orolith::gui::Progress</name>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>%1 of %2 tiles, %3</source>
        <translation>%1 von %2 Kacheln, %3</translation>
    </message>
    <message>
        <source> of about %1</source>
        <translation> von etwa %1</translation>
    </message>
    <message>
        <source>, %1/s</source>
        <translation>, %1/s</translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>, noch %1</translation>
    </message>
    <message>
        <source>, about %1 left</source>
        <translation>, noch etwa %1</translation>
    </message>
</context>
<context>
    <name>orolith::gui::RampChooser</name>
    <message>
        <source>The colours of the bands</source>
        <translation>Die Farben der Höhenstufen</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>From file…</source>
        <translation>Aus Datei…</translation>
    </message>
    <message>
        <source>Colour ramps (*.txt *.cpt *.clr);;All files (*)</source>
        <translation>Farbverläufe (*.txt *.cpt *.clr);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The colour table, four shades per entry</source>
        <translation>Die Farbtabelle, vier Schattierungen je Eintrag</translation>
    </message>
    <message>
        <source>%1 m to %2 m</source>
        <translation>%1 m bis %2 m</translation>
    </message>
</context>
<context>
    <name>orolith::gui::SettingsDialog</name>
    <message>
        <source>Stylesmith  (*.exe)</source>
        <translation>Stylesmith  (*.exe)</translation>
    </message>
    <message>
        <source>Stylesmith  (*)</source>
        <translation>Stylesmith  (*)</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Stylesmith, the TYP tool started after &quot;Create TYP&quot;.
Choose the program of the Free, Standard or Professional edition, version 2 or later.</source>
        <translation>Stylesmith, das TYP-Werkzeug, das nach „TYP erstellen“ startet.
Das Programm der Free-, Standard- oder Professional-Ausgabe wählen, Version 2 oder neuer.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Choose the program file</source>
        <translation>Programmdatei wählen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Stylesmith not found.</source>
        <translation>Stylesmith nicht gefunden.</translation>
    </message>
    <message>
        <source>Garmin map</source>
        <translation>Garmin-Karte</translation>
    </message>
    <message>
        <source>mkgmap on the PATH</source>
        <translation>mkgmap im PATH</translation>
    </message>
    <message>
        <source>the input&apos;s name</source>
        <translation>der Name der Eingabe</translation>
    </message>
    <message>
        <source>from the map&apos;s area</source>
        <translation>aus dem Gebiet der Karte</translation>
    </message>
    <message>
        <source>Choose mkgmap&apos;s program or .jar file</source>
        <translation>Programm oder .jar-Datei von mkgmap wählen</translation>
    </message>
    <message>
        <source>mkgmap</source>
        <translation>mkgmap</translation>
    </message>
    <message>
        <source>Map name</source>
        <translation>Kartenname</translation>
    </message>
    <message>
        <source>Map number</source>
        <translation>Kartennummer</translation>
    </message>
    <message>
        <source>Family ID</source>
        <translation>Family-ID</translation>
    </message>
    <message>
        <source>mkgmap (mkgmap mkgmap.jar *.jar)</source>
        <translation>mkgmap (mkgmap mkgmap.jar *.jar)</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>orolith::gui::SwatchLabel</name>
    <message>
        <source>Double-click to change this colour</source>
        <translation>Doppelklick ändert diese Farbe</translation>
    </message>
</context>
<context>
    <name>orolith::gui::SystemMemory</name>
    <message>
        <source>System:%1%</source>
        <translation>System:%1%</translation>
    </message>
</context>
<context>
    <name>orolith::gui::TileFetchPanel</name>
    <message>
        <source>South,West,North,East</source>
        <translation>Süd,West,Nord,Ost</translation>
    </message>
    <message>
        <source>Tile of the coordinate</source>
        <translation>Kachel der Koordinate</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Open the tiles</source>
        <translation>Kacheln öffnen</translation>
    </message>
    <message>
        <source>Extent of the open model</source>
        <translation>Ausdehnung des offenen Modells</translation>
    </message>
    <message>
        <source>Sources, asked in this order:</source>
        <translation>Quellen, in dieser Reihenfolge gefragt:</translation>
    </message>
    <message>
        <source>Bounding box:</source>
        <translation>Begrenzungsrahmen:</translation>
    </message>
    <message>
        <source>The bounding box: </source>
        <translation>Der Begrenzungsrahmen: </translation>
    </message>
    <message>
        <source>The bounding box covers %1 tiles; at most %2 are fetched at once.</source>
        <translation>Der Begrenzungsrahmen umfasst %1 Kacheln; höchstens %2 werden auf einmal geholt.</translation>
    </message>
    <message>
        <source>Tick at least one source.</source>
        <translation>Mindestens eine Quelle ankreuzen.</translation>
    </message>
    <message>
        <source>The area covers %1 tiles, about %2 to download.</source>
        <translation>Das Gebiet umfasst %1 Kacheln, etwa %2 zum Herunterladen.</translation>
    </message>
    <message>
        <source>Download them?</source>
        <translation>Herunterladen?</translation>
    </message>
    <message>
        <source>Cancelled: %1 tiles fetched; the next download goes on from there.</source>
        <translation>Abgebrochen: %1 Kacheln geholt; der nächste Download macht dort weiter.</translation>
    </message>
    <message>
        <source>%1 fetched, %2 from the cache, %3 sea, %4 failed</source>
        <translation>%1 geholt, %2 aus dem Cache, %3 Meer, %4 fehlgeschlagen</translation>
    </message>
    <message>
        <source>These tiles could not be fetched:
</source>
        <translation>Diese Kacheln konnten nicht geholt werden:
</translation>
    </message>
    <message>
        <source>No source has a tile of this area: it is all sea.</source>
        <translation>Keine Quelle hat eine Kachel dieses Gebiets: es ist alles Meer.</translation>
    </message>
    <message>
        <source>1 tile, about %1</source>
        <translation>1 Kachel, etwa %1</translation>
    </message>
    <message>
        <source>%1 tiles, about %2</source>
        <translation>%1 Kacheln, etwa %2</translation>
    </message>
</context>
<context>
    <name>orolith::gui::TileMirrorGroup</name>
    <message>
        <source>Elevation tile mirrors (base addresses)</source>
        <translation>Spiegel für Höhenkacheln (Basisadressen)</translation>
    </message>
    <message>
        <source>The base address for %1 must be an http:// or https:// address.</source>
        <translation>Die Basisadresse für %1 muss eine http://- oder https://-Adresse sein.</translation>
    </message>
</context>
</TS>
