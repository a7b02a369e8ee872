<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
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
Press ok when the new color appears</translation>
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
        <translation>Back</translation>
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
