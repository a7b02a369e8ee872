<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hu" sourcelanguage="en">
<context>
    <name>About</name>
    <message>
        <source>Machine Type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wi-Fi MAC:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage Counter:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Momery Remaining:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Email:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Website:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>support@korrin3d.com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>www.korrin3d.com</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1/2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2/2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No USB flash disk detected!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BuildPreview</name>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cpoy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please insert USB Disk !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy completed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BuildPrint</name>
    <message>
        <source>Build Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time Remaining</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abort</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File format error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abnormally print.
Please check the extruder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No material detected. Please
load material before resuming
the print.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The print could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Out of material.You can
load more material to
continue this print.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pausing...
please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prepare to resume...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel print job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to
 cancel print job?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelling Build...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build completed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The print stopped:
the printer board
stopped answering.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The print stopped:
the printer could not
tell whether a line ran.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The print stopped:
the print file
cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Power-loss resume is off
for this print: its record
cannot be saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BuildSetting</name>
    <message>
        <source>Pause print job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause print job?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CmdProcess</name>
    <message>
        <source>Copying...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy complete!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy failed!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Control</name>
    <message>
        <source>Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Motor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preheat</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Home</name>
    <message>
        <source>Homing, please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homing completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Keyboard</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Leveling</name>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LoadFilament</name>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preheat completed.
 Begin loading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading,about 1-2 minute
Press ok when new color appears</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abnormal temperature,
please check the extruder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to
 cancel load?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The motion board does not respond.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resume print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last print was interrupted.
Resume it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>YES</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NO</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OneButtonDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageFrame</name>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlatformLevel</name>
    <message>
        <source>Unscrew corresponding nut under
platform until touching
 the nozzle.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre-adjusting, please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leveling completed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Complete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moving to point 2.
Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moving to point 3.
Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moving to point 4.
Please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calibration is stored. Extruder is homing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moving failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Preheat</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreheatList</name>
    <message>
        <source>PLA Preheat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ABS Preheat</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrintDetail</name>
    <message>
        <source>Print Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extruder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Platform</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Z -Offset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filament</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter set successfully.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Machine stoppage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please reboot the machine</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repair is complete,
please restart the printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was a problem
with the firmware update.
Please try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Scanner</name>
    <message>
        <source>Serial No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No ethernet mac found</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShowDisk</name>
    <message>
        <source>Please insert USB Disk !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TwoButtonDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UDiskAndLocalMemory</name>
    <message>
        <source>Disk</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnloadFilament</name>
    <message>
        <source>unLoad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unloading the filament
 about 1 minute...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unloading completed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abnormal temperature,
Please check the extruder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel unload</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure to
 cancel unload?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>kernel downloading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>control downloading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>library downloading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>software downloading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Poor network, please
check the network and
try again !</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking version 
 information...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upgrade completed, 
Please restart the machine！</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It&apos;s the latest version.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version is found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WIFIPage</name>
    <message>
        <source>Wi-Fi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No connect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget SSID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SSID has been connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password is too short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password is
 less than 8 characters</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This connection failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ZCalibration</name>
    <message>
        <source>Calibrating, please wait...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Completed!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>myServer</name>
    <message>
        <source>Receive file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CRC ERROR</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
