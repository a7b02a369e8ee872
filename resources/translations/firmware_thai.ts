<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="th" sourcelanguage="en">
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
