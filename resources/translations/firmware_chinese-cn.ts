<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>BuildPreview</name>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>Cpoy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>确认删除</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>确定要删除
该文件吗？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>删除失败</translation>
    </message>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>请插入U盘！</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>存储空间不足</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>正在复制...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>正在校验文件...</translation>
    </message>
    <message>
        <source>Copy File</source>
        <translation>复制文件</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>请稍候...</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>请重试</translation>
    </message>
    <message>
        <source>Copy completed</source>
        <translation>复制完成</translation>
    </message>
</context>
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
    <name>ShowDisk</name>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>请插入U盘！</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>存储空间不足</translation>
    </message>
    <message>
        <source>Copy File...</source>
        <translation>正在复制文件...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>正在校验文件...</translation>
    </message>
    <message>
        <source>Copy Completed</source>
        <translation>复制完成</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Copy Failed</source>
        <translation>复制失败</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>确认删除</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>确定要删除
该文件吗？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>删除失败</translation>
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
    <name>UDiskAndLocalMemory</name>
    <message>
        <source>Disk</source>
        <translation>本地存储</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>U盘</translation>
    </message>
</context>
<context>
    <name>myServer</name>
    <message>
        <source>Receive file</source>
        <translation>正在接收文件</translation>
    </message>
    <message>
        <source>CRC ERROR</source>
        <translation>CRC 错误</translation>
    </message>
</context>
</TS>
