<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>ABSPreHeat</name>
    <message>
        <source>ABS Nozzle Temp</source>
        <translation>ABS Nozzle Temp</translation>
    </message>
    <message>
        <source>ABS Platform Temp</source>
        <translation>ABS Platform Temp</translation>
    </message>
</context>
<context>
    <name>About</name>
    <message>
        <source>Machine Type:</source>
        <translation>Machine Type:</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>Software Version:</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP Address:</translation>
    </message>
    <message>
        <source>Wi-Fi MAC:</source>
        <translation>Wi-Fi MAC:</translation>
    </message>
    <message>
        <source>Usage Counter:</source>
        <translation>Usage Counter:</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>Serial No:</translation>
    </message>
    <message>
        <source>Momery Remaining:</source>
        <translation>Memory Remaining:</translation>
    </message>
    <message>
        <source>Email:</source>
        <translation>Email:</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>Website:</translation>
    </message>
    <message>
        <source> hours</source>
        <translation>hours</translation>
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
        <translation>No Network</translation>
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
        <translation>No USB flash disk detected!</translation>
    </message>
</context>
<context>
    <name>BuildPreview</name>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Cpoy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Build</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>Are you sure to delete</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>Are you sure you want
to delete the file?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>Delete failed</translation>
    </message>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>Please insert a USB disk!</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>Storage space is not enough</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>Copying...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>Verifying file...</translation>
    </message>
    <message>
        <source>Copy File</source>
        <translation>Copy File</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>Please retry</translation>
    </message>
    <message>
        <source>Copy completed</source>
        <translation>Copy completed</translation>
    </message>
</context>
<context>
    <name>BuildPrint</name>
    <message>
        <source>Build Time</source>
        <translation>Build Time</translation>
    </message>
    <message>
        <source>Time Remaining</source>
        <translation>Time Remaining</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>File format error</source>
        <translation>File format error</translation>
    </message>
    <message>
        <source>Abnormally print.
Please check the extruder.</source>
        <translation>Abnormal print.
Please check the extruder.</translation>
    </message>
    <message>
        <source>No material detected. Please
load material before resuming
the print.</source>
        <translation>No material detected. Please
load material before resuming
the print.</translation>
    </message>
    <message>
        <source>The print could not be started.</source>
        <translation>The print could not be started.</translation>
    </message>
    <message>
        <source>Out of material.You can
load more material to
continue this print.</source>
        <translation>Out of material. You can
load more material to
continue this print.</translation>
    </message>
    <message>
        <source>Pausing...
please wait...</source>
        <translation>Pausing...
Please wait...</translation>
    </message>
    <message>
        <source>Prepare to resume...</source>
        <translation>Preparing to resume...</translation>
    </message>
    <message>
        <source>Cancel print job</source>
        <translation>Cancel print job</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel print job?</source>
        <translation>Are you sure you want
to cancel the print job?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Cancelling Build...</source>
        <translation>Cancelling Build...</translation>
    </message>
    <message>
        <source>Build Completed</source>
        <translation>Build Completed</translation>
    </message>
    <message>
        <source>Build completed!</source>
        <translation>Build completed!</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>The print stopped:
the printer board
stopped answering.</source>
        <translation>The print stopped:
the printer board
stopped answering.</translation>
    </message>
    <message>
        <source>The print stopped:
the printer could not
tell whether a line ran.</source>
        <translation>The print stopped:
the printer could not
tell whether a line ran.</translation>
    </message>
    <message>
        <source>The print stopped:
the print file
cannot be read.</source>
        <translation>The print stopped:
the print file
cannot be read.</translation>
    </message>
    <message>
        <source>Power-loss resume is off
for this print: its record
cannot be saved.</source>
        <translation>Power-loss resume is off
for this print: its record
cannot be saved.</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Homing failed</translation>
    </message>
</context>
<context>
    <name>BuildSetting</name>
    <message>
        <source>Pause print job</source>
        <translation>Pause print job</translation>
    </message>
    <message>
        <source>Pause print job?</source>
        <translation>Pause print job?</translation>
    </message>
</context>
<context>
    <name>CmdProcess</name>
    <message>
        <source>Copying...</source>
        <translation>Copying...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Copy complete!</source>
        <translation>Copy complete!</translation>
    </message>
    <message>
        <source>Copy failed!</source>
        <translation>Copy failed!</translation>
    </message>
</context>
<context>
    <name>Control</name>
    <message>
        <source>Move</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>Homing</source>
        <translation>Homing</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Unload</source>
        <translation>Unload</translation>
    </message>
    <message>
        <source>Preheat</source>
        <translation>Preheat</translation>
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
        <translation> Factory Setting</translation>
    </message>
    <message>
        <source>Restored to factory setting.</source>
        <translation>Restored to factory setting.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Restore to factory setting?</source>
        <translation>Restore to factory setting?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completed</translation>
    </message>
    <message>
        <source>Restored to factory setting</source>
        <translation>Restored to factory setting</translation>
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
        <translation>Homing, please wait...</translation>
    </message>
    <message>
        <source>Homing completed</source>
        <translation>Homing completed</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Homing failed</translation>
    </message>
</context>
<context>
    <name>Keyboard</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Please enter</source>
        <translation>Please enter</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
</context>
<context>
    <name>Leveling</name>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
</context>
<context>
    <name>LoadFilament</name>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>Extruder heating...</translation>
    </message>
    <message>
        <source>Preheat completed.
 Begin loading...</source>
        <translation>Preheat completed.
Begin loading...</translation>
    </message>
    <message>
        <source>Loading,about 1-2 minute
Press ok when new color appears</source>
        <translation>Loading, about 1-2 minutes
Press OK when the new color appears</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal temperature,
please check the extruder.</source>
        <translation>Abnormal temperature,
please check the extruder.</translation>
    </message>
    <message>
        <source>Cancel load</source>
        <translation>Cancel load</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel load?</source>
        <translation>Are you sure you want
to cancel loading?</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Homing failed</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The motion board does not respond.</source>
        <translation>The motion board does not respond.</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>Build</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Printer %1</source>
        <translation>Printer %1</translation>
    </message>
    <message>
        <source>Resume print</source>
        <translation>Resume print</translation>
    </message>
    <message>
        <source>The last print was interrupted.
Resume it?</source>
        <translation>The last print was interrupted.
Resume it?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>A new version is found.
Upgrade firmware?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
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
        <translation>PLA Nozzle Temp</translation>
    </message>
    <message>
        <source>PLA Platform Temp</source>
        <translation>PLA Platform Temp</translation>
    </message>
</context>
<context>
    <name>PageFrame</name>
    <message>
        <source>Back</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>PlatformLevel</name>
    <message>
        <source>Unscrew corresponding nut under
platform until touching
 the nozzle.</source>
        <translation>Unscrew corresponding nut under
platform until touching
 the nozzle.</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>Pre-adjusting, please wait...</source>
        <translation>Pre-adjusting, please wait...</translation>
    </message>
    <message>
        <source>Leveling completed!</source>
        <translation>Leveling completed!</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Complete</translation>
    </message>
    <message>
        <source>Moving to point 2.
Please wait...</source>
        <translation>Moving to point 2.
Please wait...</translation>
    </message>
    <message>
        <source>Moving to point 3.
Please wait...</source>
        <translation>Moving to point 3.
Please wait...</translation>
    </message>
    <message>
        <source>Moving to point 4.
Please wait...</source>
        <translation>Moving to point 4.
Please wait...</translation>
    </message>
    <message>
        <source>Calibration is stored. Extruder is homing...</source>
        <translation>Calibration is stored. Extruder is homing...</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Homing failed</translation>
    </message>
    <message>
        <source>Moving failed</source>
        <translation>Moving failed</translation>
    </message>
</context>
<context>
    <name>Preheat</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <translation>PLA Preheat</translation>
    </message>
    <message>
        <source>ABS Preheat</source>
        <translation>ABS Preheat</translation>
    </message>
</context>
<context>
    <name>PreheatPresetEditor</name>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>PrintDetail</name>
    <message>
        <source>Print Speed</source>
        <translation>Print Speed</translation>
    </message>
    <message>
        <source>Extruder</source>
        <translation>Extruder</translation>
    </message>
    <message>
        <source>Platform</source>
        <translation>Platform</translation>
    </message>
    <message>
        <source>Z -Offset</source>
        <translation>Z Offset</translation>
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
        <translation>Parameter set successfully.</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>Parameter set successfully</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Machine stoppage</source>
        <translation>Machine stoppage</translation>
    </message>
    <message>
        <source>Please reboot the machine</source>
        <translation>Please reboot the machine</translation>
    </message>
    <message>
        <source>Repair is complete,
please restart the printer</source>
        <translation>Repair is complete,
please restart the printer</translation>
    </message>
    <message>
        <source>There was a problem
with the firmware update.
Please try again.</source>
        <translation>There was a problem
with the firmware update.
Please try again.</translation>
    </message>
</context>
<context>
    <name>Scanner</name>
    <message>
        <source>Serial No</source>
        <translation>Serial No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No ethernet mac found</source>
        <translation>No Ethernet MAC found</translation>
    </message>
    <message>
        <source>The scanned code is too long.</source>
        <translation>The scanned code is too long.</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Transmission Ratio</source>
        <translation>Transmission Ratio</translation>
    </message>
    <message>
        <source>Resume Print</source>
        <translation>Resume Print</translation>
    </message>
    <message>
        <source>Filament Detect</source>
        <translation>Filament Detect</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Light</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>Buzzer</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>Factory Reset</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>Upgrade</translation>
    </message>
</context>
<context>
    <name>ShowDisk</name>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>Please insert a USB disk!</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>Storage space is not enough</translation>
    </message>
    <message>
        <source>Copy File...</source>
        <translation>Copy File...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>Verifying file...</translation>
    </message>
    <message>
        <source>Copy Completed</source>
        <translation>Copy Completed</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copy Failed</source>
        <translation>Copy Failed</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>Are you sure to delete</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>Are you sure you want
to delete the file?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>Delete failed</translation>
    </message>
</context>
<context>
    <name>ShowTempSetting</name>
    <message>
        <source>PLA Preheat Setting</source>
        <translation>PLA Preheat Setting</translation>
    </message>
    <message>
        <source>ABS Preheat Setting</source>
        <translation>ABS Preheat Setting</translation>
    </message>
</context>
<context>
    <name>TransmissionRatio</name>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Ratio X</source>
        <translation>Ratio X</translation>
    </message>
    <message>
        <source>Ratio Y</source>
        <translation>Ratio Y</translation>
    </message>
    <message>
        <source>Ratio Z</source>
        <translation>Ratio Z</translation>
    </message>
    <message>
        <source>Ratio E</source>
        <translation>Ratio E</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>Parameter set successfully</translation>
    </message>
    <message>
        <source>Parameter setting failed.
The values are saved
for the next start.</source>
        <translation>Parameter setting failed.
The values are saved
for the next start.</translation>
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
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>UDiskAndLocalMemory</name>
    <message>
        <source>Disk</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>USB Device</translation>
    </message>
</context>
<context>
    <name>UnloadFilament</name>
    <message>
        <source>unLoad</source>
        <translation>Unload</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>Extruder heating...</translation>
    </message>
    <message>
        <source>Unloading the filament
 about 1 minute...</source>
        <translation>Unloading the filament,
about 1 minute...</translation>
    </message>
    <message>
        <source>Unloading completed</source>
        <translation>Unloading completed</translation>
    </message>
    <message>
        <source>Abnormal temperature,
Please check the extruder.</source>
        <translation>Abnormal temperature,
please check the extruder.</translation>
    </message>
    <message>
        <source>Cancel unload</source>
        <translation>Cancel unload</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel unload?</source>
        <translation>Are you sure you want
to cancel unloading?</translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>kernel downloading...</source>
        <translation>kernel downloading...</translation>
    </message>
    <message>
        <source>control downloading...</source>
        <translation>control downloading...</translation>
    </message>
    <message>
        <source>library downloading...</source>
        <translation>library downloading...</translation>
    </message>
    <message>
        <source>software downloading...</source>
        <translation>software downloading...</translation>
    </message>
    <message>
        <source>Poor network, please
check the network and
try again !</source>
        <translation>Poor network, please
check the network and
try again!</translation>
    </message>
    <message>
        <source>Checking version 
 information...</source>
        <translation>Checking version
information...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Downloading...</translation>
    </message>
    <message>
        <source>Upgrade Error</source>
        <translation>Upgrade Error</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>Installing...</translation>
    </message>
    <message>
        <source>Upgrade completed, 
Please restart the machine！</source>
        <translation>Upgrade completed.
Please restart the machine!</translation>
    </message>
    <message>
        <source>It&apos;s the latest version.</source>
        <translation>It&apos;s the latest version.</translation>
    </message>
    <message>
        <source>A new version is found.</source>
        <translation>A new version is found.</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>A new version is found.
Upgrade firmware?</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>WIFIPage</name>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>No connect</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>Scanning…</translation>
    </message>
    <message>
        <source>Forget SSID</source>
        <translation>Forget SSID</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>Please retry</translation>
    </message>
    <message>
        <source>SSID has been connected</source>
        <translation>SSID has been connected</translation>
    </message>
    <message>
        <source>Password is too short</source>
        <translation>Password is too short</translation>
    </message>
    <message>
        <source>Password is
 less than 8 characters</source>
        <translation>The password has
fewer than 8 characters</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Connection failed</translation>
    </message>
    <message>
        <source>This connection failed</source>
        <translation>This connection failed</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Connecting...</translation>
    </message>
</context>
<context>
    <name>ZCalibration</name>
    <message>
        <source>Calibrating, please wait...</source>
        <translation>Calibrating, please wait...</translation>
    </message>
    <message>
        <source>Completed!</source>
        <translation>Completed!</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>Homing failed</translation>
    </message>
</context>
<context>
    <name>myServer</name>
    <message>
        <source>Receive file</source>
        <translation>Receive file</translation>
    </message>
    <message>
        <source>CRC ERROR</source>
        <translation>CRC ERROR</translation>
    </message>
</context>
</TS>
