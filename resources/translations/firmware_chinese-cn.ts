<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>CmdProcess</name>
    <message>
        <source>Copying...</source>
        <translation>正在复制...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Copy complete!</source>
        <translation>复制完成！</translation>
    </message>
    <message>
        <source>Copy failed!</source>
        <translation>复制失败！</translation>
    </message>
</context>
<context>
    <name>Keyboard</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>账号</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN码</translation>
    </message>
    <message>
        <source>Please enter</source>
        <translation>请输入</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>空格</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>LoadFilament</name>
    <message>
        <source>Load</source>
        <translation>进料</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>喷头加热中...</translation>
    </message>
    <message>
        <source>Preheat completed.
 Begin loading...</source>
        <translation>预热完成。
开始进料...</translation>
    </message>
    <message>
        <source>Loading,about 1-2 minute
Press ok when new color appears</source>
        <translation>进料中，约1-2分钟
新颜色出现时请按确定</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Abnormal temperature,
please check the extruder.</source>
        <translation>温度异常，
请检查喷头。</translation>
    </message>
    <message>
        <source>Cancel load</source>
        <translation>取消进料</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel load?</source>
        <translation>确定要
取消进料吗？</translation>
    </message>
</context>
<context>
    <name>OneButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>PageFrame</name>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>TwoButtonDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
</context>
<context>
    <name>UnloadFilament</name>
    <message>
        <source>unLoad</source>
        <translation>退料</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>进料</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>喷头加热中...</translation>
    </message>
    <message>
        <source>Unloading the filament
 about 1 minute...</source>
        <translation>正在退料，
约1分钟...</translation>
    </message>
    <message>
        <source>Unloading completed</source>
        <translation>退料完成</translation>
    </message>
    <message>
        <source>Abnormal temperature,
Please check the extruder.</source>
        <translation>温度异常，
请检查喷头。</translation>
    </message>
    <message>
        <source>Cancel unload</source>
        <translation>取消退料</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel unload?</source>
        <translation>确定要
取消退料吗？</translation>
    </message>
</context>
<context>
    <name>myServer</name>
    <message>
        <source>Receive file</source>
        <translation>接收文件</translation>
    </message>
    <message>
        <source>CRC ERROR</source>
        <translation>CRC 校验错误</translation>
    </message>
</context>
</TS>
