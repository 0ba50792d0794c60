<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>orolith::gui::MainWindow</name>
    <message>
        <source>Area</source>
        <translation>Gebiet</translation>
    </message>
</context>
</TS>
