<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ABSPreHeat</name>
    <message>
        <source>ABS Nozzle Temp</source>
        <translation>ABS-Düsentemperatur</translation>
    </message>
    <message>
        <source>ABS Platform Temp</source>
        <translation>ABS-Betttemperatur</translation>
    </message>
</context>
<context>
    <name>About</name>
    <message>
        <source>Machine Type:</source>
        <translation>Maschinentyp:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Softwareversion:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP-Adresse:</translation>
    </message>
    <message>
        <source>Wi-Fi MAC:</source>
        <translation>WLAN-MAC:</translation>
    </message>
    <message>
        <source>Usage Counter:</source>
        <translation>Betriebsstunden:</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>Seriennummer:</translation>
    </message>
    <message>
        <source>Momery Remaining:</source>
        <translation>Freier Speicher:</translation>
    </message>
    <message>
        <source>Email:</source>
        <translation>E-Mail:</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source> hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>support@korrin3d.com</source>
        <translation>support@korrin3d.com</translation>
    </message>
    <message>
        <source>www.korrin3d.com</source>
        <translation>www.korrin3d.com</translation>
    </message>
    <message>
        <source>No Network</source>
        <translation>Kein Netzwerk</translation>
    </message>
    <message>
        <source>1/2</source>
        <translation>1/2</translation>
    </message>
    <message>
        <source>2/2</source>
        <translation>2/2</translation>
    </message>
    <message>
        <source>No USB flash disk detected!</source>
        <translation>Kein USB-Stick erkannt!</translation>
    </message>
</context>
<context>
    <name>BuildPreview</name>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Cpoy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>Wirklich löschen</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>Möchten Sie die Datei
wirklich löschen?</translation>
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
        <source>Delete failed</source>
        <translation>Löschen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>Bitte USB-Stick einstecken!</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>Nicht genug Speicherplatz</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>Kopiere...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>Prüfe Datei...</translation>
    </message>
    <message>
        <source>Copy File</source>
        <translation>Datei kopieren</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Bitte warten...</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>Bitte erneut versuchen</translation>
    </message>
    <message>
        <source>Copy completed</source>
        <translation>Kopieren abgeschlossen</translation>
    </message>
</context>
<context>
    <name>BuildPrint</name>
    <message>
        <source>Build Time</source>
        <translation>Druckzeit</translation>
    </message>
    <message>
        <source>Time Remaining</source>
        <translation>Restzeit</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbruch</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>File format error</source>
        <translation>Dateiformatfehler</translation>
    </message>
    <message>
        <source>Abnormally print.
Please check the extruder.</source>
        <translation>Druckfehler.
Bitte den Extruder prüfen.</translation>
    </message>
    <message>
        <source>No material detected. Please
load material before resuming
the print.</source>
        <translation>Kein Material erkannt. Bitte
Material einlegen, bevor der
Druck fortgesetzt wird.</translation>
    </message>
    <message>
        <source>The print could not be started.</source>
        <translation>Der Druck konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Out of material.You can
load more material to
continue this print.</source>
        <translation>Kein Material mehr. Legen Sie
Material nach, um diesen
Druck fortzusetzen.</translation>
    </message>
    <message>
        <source>Pausing...
please wait...</source>
        <translation>Pausiere...
bitte warten...</translation>
    </message>
    <message>
        <source>Prepare to resume...</source>
        <translation>Fortsetzen wird vorbereitet...</translation>
    </message>
    <message>
        <source>Cancel print job</source>
        <translation>Druckauftrag abbrechen</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel print job?</source>
        <translation>Druckauftrag wirklich
abbrechen?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Cancelling Build...</source>
        <translation>Druck wird abgebrochen...</translation>
    </message>
    <message>
        <source>Build Completed</source>
        <translation>Druck abgeschlossen</translation>
    </message>
    <message>
        <source>Build completed!</source>
        <translation>Druck abgeschlossen!</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>The print stopped:
the printer board
stopped answering.</source>
        <translation>Der Druck wurde beendet:
die Druckerplatine
antwortet nicht mehr.</translation>
    </message>
    <message>
        <source>The print stopped:
the printer could not
tell whether a line ran.</source>
        <translation>Der Druck wurde beendet:
unklar, ob die Platine
eine Zeile ausführte.</translation>
    </message>
    <message>
        <source>The print stopped:
the print file
cannot be read.</source>
        <translation>Der Druck wurde beendet:
die Druckdatei
ist nicht lesbar.</translation>
    </message>
    <message>
        <source>Power-loss resume is off
for this print: its record
cannot be saved.</source>
        <translation>Fortsetzen nach Stromausfall
ist für diesen Druck aus:
Speichern nicht möglich.</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Referenzfahrt fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>BuildSetting</name>
    <message>
        <source>Pause print job</source>
        <translation>Druckauftrag anhalten</translation>
    </message>
    <message>
        <source>Pause print job?</source>
        <translation>Druckauftrag anhalten?</translation>
    </message>
</context>
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
    <name>Control</name>
    <message>
        <source>Move</source>
        <translation>Bewegen</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>Homing</source>
        <translation>Referenzfahrt</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Laden</translation>
    </message>
    <message>
        <source>Unload</source>
        <translation>Entladen</translation>
    </message>
    <message>
        <source>Preheat</source>
        <translation>Vorheizen</translation>
    </message>
</context>
<context>
    <name>FactorySetting</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source> Factory Setting</source>
        <translation> Werkseinstellung</translation>
    </message>
    <message>
        <source>Restored to factory setting.</source>
        <translation>Auf Werkseinstellungen zurücksetzen.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>Restore to factory setting?</source>
        <translation>Auf Werkseinstellungen zurücksetzen?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>Restored to factory setting</source>
        <translation>Werkseinstellungen wiederhergestellt</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>Home</name>
    <message>
        <source>Homing, please wait...</source>
        <translation>Referenzfahrt läuft,
bitte warten...</translation>
    </message>
    <message>
        <source>Homing completed</source>
        <translation>Referenzfahrt abgeschlossen</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Referenzfahrt fehlgeschlagen</translation>
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
    <name>Leveling</name>
    <message>
        <source>Level</source>
        <translation>Nivellieren</translation>
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
    <message>
        <source>Homing failed</source>
        <translation>Referenzfahrt fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The motion board does not respond.</source>
        <translation>Die Bewegungssteuerung antwortet nicht.</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Steuerung</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivellieren</translation>
    </message>
    <message>
        <source>Printer %1</source>
        <translation>Drucker %1</translation>
    </message>
    <message>
        <source>Resume print</source>
        <translation>Druck fortsetzen</translation>
    </message>
    <message>
        <source>The last print was interrupted.
Resume it?</source>
        <translation>Der letzte Druck wurde
unterbrochen. Fortsetzen?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>Neue Version gefunden.
Firmware aktualisieren?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
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
    <name>PLAPreHeat</name>
    <message>
        <source>PLA Nozzle Temp</source>
        <translation>PLA-Düsentemperatur</translation>
    </message>
    <message>
        <source>PLA Platform Temp</source>
        <translation>PLA-Betttemperatur</translation>
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
    <name>PlatformLevel</name>
    <message>
        <source>Unscrew corresponding nut under
platform until touching
 the nozzle.</source>
        <translation>Die Mutter unter der Plattform
lösen, bis die Plattform
die Düse berührt.</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Pre-adjusting, please wait...</source>
        <translation>Vorjustierung,
bitte warten...</translation>
    </message>
    <message>
        <source>Leveling completed!</source>
        <translation>Nivellierung abgeschlossen!</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Moving to point 2.
Please wait...</source>
        <translation>Fahre zu Punkt 2.
Bitte warten...</translation>
    </message>
    <message>
        <source>Moving to point 3.
Please wait...</source>
        <translation>Fahre zu Punkt 3.
Bitte warten...</translation>
    </message>
    <message>
        <source>Moving to point 4.
Please wait...</source>
        <translation>Fahre zu Punkt 4.
Bitte warten...</translation>
    </message>
    <message>
        <source>Calibration is stored. Extruder is homing...</source>
        <translation>Kalibrierung gespeichert. Der Extruder fährt in die Ausgangsposition...</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Referenzfahrt fehlgeschlagen</translation>
    </message>
    <message>
        <source>Moving failed</source>
        <translation>Bewegung fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>Preheat</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
</context>
<context>
    <name>PreheatList</name>
    <message>
        <source>PLA Preheat</source>
        <translation>PLA vorheizen</translation>
    </message>
    <message>
        <source>ABS Preheat</source>
        <translation>ABS vorheizen</translation>
    </message>
</context>
<context>
    <name>PreheatPresetEditor</name>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>PrintDetail</name>
    <message>
        <source>Print Speed</source>
        <translation>Drucktempo</translation>
    </message>
    <message>
        <source>Extruder</source>
        <translation>Extruder</translation>
    </message>
    <message>
        <source>Platform</source>
        <translation>Druckbett</translation>
    </message>
    <message>
        <source>Z -Offset</source>
        <translation>Z-Versatz</translation>
    </message>
    <message>
        <source>Filament</source>
        <translation>Filament</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Parameter set successfully.</source>
        <translation>Parameter erfolgreich gesetzt.</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>Parameter erfolgreich gesetzt</translation>
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
    <name>QObject</name>
    <message>
        <source>Machine stoppage</source>
        <translation>Maschinenstopp</translation>
    </message>
    <message>
        <source>Please reboot the machine</source>
        <translation>Bitte starten Sie die
Maschine neu</translation>
    </message>
    <message>
        <source>Repair is complete,
please restart the printer</source>
        <translation>Reparatur abgeschlossen,
bitte Drucker neu starten</translation>
    </message>
    <message>
        <source>There was a problem
with the firmware update.
Please try again.</source>
        <translation>Beim Firmware-Update
trat ein Problem auf.
Bitte erneut versuchen.</translation>
    </message>
</context>
<context>
    <name>Scanner</name>
    <message>
        <source>Serial No</source>
        <translation>Seriennr.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No ethernet mac found</source>
        <translation>Keine Ethernet-MAC gefunden</translation>
    </message>
    <message>
        <source>The scanned code is too long.</source>
        <translation>Der gescannte Code ist zu lang.</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Temperature</source>
        <translation>Temperatur</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Transmission Ratio</source>
        <translation>Übersetzungsverhältnis</translation>
    </message>
    <message>
        <source>Resume Print</source>
        <translation>Druck fortsetzen</translation>
    </message>
    <message>
        <source>Filament Detect</source>
        <translation>Filamenterkennung</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Licht</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>Werkseinstellungen</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Aktualisierung</translation>
    </message>
</context>
<context>
    <name>ShowDisk</name>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>Bitte USB-Stick einstecken!</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>Nicht genug Speicherplatz</translation>
    </message>
    <message>
        <source>Copy File...</source>
        <translation>Kopiere Datei...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>Prüfe Datei...</translation>
    </message>
    <message>
        <source>Copy Completed</source>
        <translation>Kopieren abgeschlossen</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copy Failed</source>
        <translation>Kopieren fehlgeschlagen</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>Wirklich löschen</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>Möchten Sie die Datei
wirklich löschen?</translation>
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
        <source>Delete failed</source>
        <translation>Löschen fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>ShowTempSetting</name>
    <message>
        <source>PLA Preheat Setting</source>
        <translation>PLA-Vorheizen</translation>
    </message>
    <message>
        <source>ABS Preheat Setting</source>
        <translation>ABS-Vorheizen</translation>
    </message>
</context>
<context>
    <name>TransmissionRatio</name>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Ratio X</source>
        <translation>Verhältnis X</translation>
    </message>
    <message>
        <source>Ratio Y</source>
        <translation>Verhältnis Y</translation>
    </message>
    <message>
        <source>Ratio Z</source>
        <translation>Verhältnis Z</translation>
    </message>
    <message>
        <source>Ratio E</source>
        <translation>Verhältnis E</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>Parameter erfolgreich gesetzt</translation>
    </message>
    <message>
        <source>Parameter setting failed.
The values are saved
for the next start.</source>
        <translation>Einstellung fehlgeschlagen.
Die Werte sind gespeichert
für den nächsten Start.</translation>
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
    <name>UDiskAndLocalMemory</name>
    <message>
        <source>Disk</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>USB-Stick</translation>
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
    <name>Update</name>
    <message>
        <source>kernel downloading...</source>
        <translation>Kernel wird geladen...</translation>
    </message>
    <message>
        <source>control downloading...</source>
        <translation>Steuerung wird geladen...</translation>
    </message>
    <message>
        <source>library downloading...</source>
        <translation>Bibliothek wird geladen...</translation>
    </message>
    <message>
        <source>software downloading...</source>
        <translation>Software wird geladen...</translation>
    </message>
    <message>
        <source>Poor network, please
check the network and
try again !</source>
        <translation>Schlechtes Netz,
bitte Netz prüfen und
erneut versuchen!</translation>
    </message>
    <message>
        <source>Checking version 
 information...</source>
        <translation>Versionsinformationen
werden geprüft...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Wird geladen...</translation>
    </message>
    <message>
        <source>Upgrade Error</source>
        <translation>Aktualisierungsfehler</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Wird installiert...</translation>
    </message>
    <message>
        <source>Upgrade completed, 
Please restart the machine！</source>
        <translation>Aktualisierung fertig,
bitte Drucker neu starten!</translation>
    </message>
    <message>
        <source>It&apos;s the latest version.</source>
        <translation>Neueste Version installiert.</translation>
    </message>
    <message>
        <source>A new version is found.</source>
        <translation>Neue Version gefunden.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Bestätigen</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>Neue Version gefunden.
Firmware aktualisieren?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>WIFIPage</name>
    <message>
        <source>Wi-Fi</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <source>No connect</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>Suche läuft…</translation>
    </message>
    <message>
        <source>Forget SSID</source>
        <translation>Netzwerk vergessen</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>Bitte erneut versuchen</translation>
    </message>
    <message>
        <source>SSID has been connected</source>
        <translation>Netzwerk ist verbunden</translation>
    </message>
    <message>
        <source>Password is too short</source>
        <translation>Passwort zu kurz</translation>
    </message>
    <message>
        <source>Password is
 less than 8 characters</source>
        <translation>Das Passwort hat
weniger als 8 Zeichen</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Verbindung fehlgeschlagen</translation>
    </message>
    <message>
        <source>This connection failed</source>
        <translation>Diese Verbindung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbinde...</translation>
    </message>
</context>
<context>
    <name>ZCalibration</name>
    <message>
        <source>Calibrating, please wait...</source>
        <translation>Kalibrierung läuft,
bitte warten...</translation>
    </message>
    <message>
        <source>Completed!</source>
        <translation>Abgeschlossen!</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Referenzfahrt fehlgeschlagen</translation>
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
