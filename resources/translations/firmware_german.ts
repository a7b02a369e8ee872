<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>CmdProcess</name>
    <message>
        <source>Copying...</source>
        <translation>Kopieren...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Copy complete!</source>
        <translation>Kopieren abgeschlossen!</translation>
    </message>
    <message>
        <source>Copy failed!</source>
        <translation>Kopieren fehlgeschlagen!</translation>
    </message>
</context>
<context>
    <name>Keyboard</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Please enter</source>
        <translation>Bitte eingeben</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Leertaste</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Eingabe</translation>
    </message>
</context>
<context>
    <name>LoadFilament</name>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>Extruder heizt...</translation>
    </message>
    <message>
        <source>Preheat completed.
 Begin loading...</source>
        <translation>Vorheizen beendet.
Laden beginnt...</translation>
    </message>
    <message>
        <source>Loading,about 1-2 minute
Press ok when new color appears</source>
        <translation>Laden, etwa 1-2 Minuten
OK drücken, sobald die neue Farbe austritt</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal temperature,
please check the extruder.</source>
        <translation>Temperatur abnormal,
bitte den Extruder prüfen.</translation>
    </message>
    <message>
        <source>Cancel load</source>
        <translation>Laden abbrechen</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel load?</source>
        <translation>Laden wirklich
abbrechen?</translation>
    </message>
</context>
<context>
    <name>OneButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PageFrame</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TwoButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>UnloadFilament</name>
    <message>
        <source>unLoad</source>
        <translation>Entladen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>Extruder heizt...</translation>
    </message>
    <message>
        <source>Unloading the filament
 about 1 minute...</source>
        <translation>Filament wird entladen,
etwa 1 Minute...</translation>
    </message>
    <message>
        <source>Unloading completed</source>
        <translation>Entladen abgeschlossen</translation>
    </message>
    <message>
        <source>Abnormal temperature,
Please check the extruder.</source>
        <translation>Temperatur abnormal,
bitte den Extruder prüfen.</translation>
    </message>
    <message>
        <source>Cancel unload</source>
        <translation>Entladen abbrechen</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel unload?</source>
        <translation>Entladen wirklich
abbrechen?</translation>
    </message>
</context>
<context>
    <name>myServer</name>
    <message>
        <source>Receive file</source>
        <translation>Datei wird empfangen</translation>
    </message>
    <message>
        <source>CRC ERROR</source>
        <translation>CRC-FEHLER</translation>
    </message>
</context>
</TS>
