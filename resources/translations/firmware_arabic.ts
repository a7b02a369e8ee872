<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar" sourcelanguage="en">
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
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
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
