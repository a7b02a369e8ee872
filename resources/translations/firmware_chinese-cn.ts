<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en">
<context>
    <name>ABSPreHeat</name>
    <message>
        <source>ABS Nozzle Temp</source>
        <translation>ABS喷嘴温度</translation>
    </message>
    <message>
        <source>ABS Platform Temp</source>
        <translation>ABS平台温度</translation>
    </message>
</context>
<context>
    <name>About</name>
    <message>
        <source>Machine Type:</source>
        <translation>机器型号：</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>软件版本：</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IP 地址：</translation>
    </message>
    <message>
        <source>Wi-Fi MAC:</source>
        <translation>Wi-Fi MAC：</translation>
    </message>
    <message>
        <source>Usage Counter:</source>
        <translation>使用时长：</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>序列号：</translation>
    </message>
    <message>
        <source>Momery Remaining:</source>
        <translation>剩余存储空间：</translation>
    </message>
    <message>
        <source>Email:</source>
        <translation>电子邮件：</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>网站：</translation>
    </message>
    <message>
        <source> hours</source>
        <translation>小时</translation>
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
        <translation>无网络</translation>
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
        <translation>未检测到U盘！</translation>
    </message>
</context>
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
    <name>BuildPrint</name>
    <message>
        <source>Build Time</source>
        <translation>打印时间</translation>
    </message>
    <message>
        <source>Time Remaining</source>
        <translation>剩余时间</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>终止</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>File format error</source>
        <translation>文件格式错误</translation>
    </message>
    <message>
        <source>Abnormally print.
Please check the extruder.</source>
        <translation>打印异常。
请检查挤出头。</translation>
    </message>
    <message>
        <source>No material detected. Please
load material before resuming
the print.</source>
        <translation>未检测到耗材。
请在继续打印前
装入耗材。</translation>
    </message>
    <message>
        <source>The print could not be started.</source>
        <translation>无法开始打印。</translation>
    </message>
    <message>
        <source>Out of material.You can
load more material to
continue this print.</source>
        <translation>耗材已用完。
装入耗材后
可继续打印。</translation>
    </message>
    <message>
        <source>Pausing...
please wait...</source>
        <translation>正在暂停...
请稍候...</translation>
    </message>
    <message>
        <source>Prepare to resume...</source>
        <translation>正在准备继续...</translation>
    </message>
    <message>
        <source>Cancel print job</source>
        <translation>取消打印任务</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel print job?</source>
        <translation>确定要
取消打印任务吗？</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>是</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Cancelling Build...</source>
        <translation>正在取消打印...</translation>
    </message>
    <message>
        <source>Build Completed</source>
        <translation>打印完成</translation>
    </message>
    <message>
        <source>Build completed!</source>
        <translation>打印完成！</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>The print stopped:
the printer board
stopped answering.</source>
        <translation>打印已停止：
打印机主板
没有响应。</translation>
    </message>
    <message>
        <source>The print stopped:
the printer could not
tell whether a line ran.</source>
        <translation>打印已停止：
无法确定某一行
是否已执行。</translation>
    </message>
    <message>
        <source>The print stopped:
the print file
cannot be read.</source>
        <translation>打印已停止：
无法读取
打印文件。</translation>
    </message>
    <message>
        <source>Power-loss resume is off
for this print: its record
cannot be saved.</source>
        <translation>无法保存断电记录，
本次打印的
断电续打已关闭。</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>回零失败</translation>
    </message>
</context>
<context>
    <name>BuildSetting</name>
    <message>
        <source>Pause print job</source>
        <translation>暂停打印</translation>
    </message>
    <message>
        <source>Pause print job?</source>
        <translation>暂停打印任务？</translation>
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
    <name>Control</name>
    <message>
        <source>Move</source>
        <translation>移动</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>电机</translation>
    </message>
    <message>
        <source>Homing</source>
        <translation>归零</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>进料</translation>
    </message>
    <message>
        <source>Unload</source>
        <translation>退料</translation>
    </message>
    <message>
        <source>Preheat</source>
        <translation>预热</translation>
    </message>
</context>
<context>
    <name>FactorySetting</name>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source> Factory Setting</source>
        <translation> 出厂设置</translation>
    </message>
    <message>
        <source>Restored to factory setting.</source>
        <translation>恢复出厂设置。</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>Restore to factory setting?</source>
        <translation>恢复出厂设置？</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>已完成</translation>
    </message>
    <message>
        <source>Restored to factory setting</source>
        <translation>已恢复出厂设置</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>Home</name>
    <message>
        <source>Homing, please wait...</source>
        <translation>正在归零，请稍候...</translation>
    </message>
    <message>
        <source>Homing completed</source>
        <translation>归零完成</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>回零失败</translation>
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
    <name>Leveling</name>
    <message>
        <source>Level</source>
        <translation>调平</translation>
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
    <message>
        <source>Homing failed</source>
        <translation>回零失败</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The motion board does not respond.</source>
        <translation>运动控制板无响应。</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控制</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>调平</translation>
    </message>
    <message>
        <source>Printer %1</source>
        <translation>打印机 %1</translation>
    </message>
    <message>
        <source>Resume print</source>
        <translation>恢复打印</translation>
    </message>
    <message>
        <source>The last print was interrupted.
Resume it?</source>
        <translation>上次打印被中断。
是否继续？</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>是</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>发现新版本。
是否升级固件？</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
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
    <name>PLAPreHeat</name>
    <message>
        <source>PLA Nozzle Temp</source>
        <translation>PLA喷嘴温度</translation>
    </message>
    <message>
        <source>PLA Platform Temp</source>
        <translation>PLA平台温度</translation>
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
    <name>PlatformLevel</name>
    <message>
        <source>Unscrew corresponding nut under
platform until touching
 the nozzle.</source>
        <translation>拧松平台下对应的螺母，
直到平台接触喷嘴。</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>下一步</translation>
    </message>
    <message>
        <source>Pre-adjusting, please wait...</source>
        <translation>正在预调整，请稍候...</translation>
    </message>
    <message>
        <source>Leveling completed!</source>
        <translation>调平完成！</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>Moving to point 2.
Please wait...</source>
        <translation>正在移动到第2点。
请稍候...</translation>
    </message>
    <message>
        <source>Moving to point 3.
Please wait...</source>
        <translation>正在移动到第3点。
请稍候...</translation>
    </message>
    <message>
        <source>Moving to point 4.
Please wait...</source>
        <translation>正在移动到第4点。
请稍候...</translation>
    </message>
    <message>
        <source>Calibration is stored. Extruder is homing...</source>
        <translation>校准已保存，喷头正在归零...</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>回零失败</translation>
    </message>
    <message>
        <source>Moving failed</source>
        <translation>移动失败</translation>
    </message>
</context>
<context>
    <name>Preheat</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
</context>
<context>
    <name>PreheatList</name>
    <message>
        <source>PLA Preheat</source>
        <translation>PLA预热</translation>
    </message>
    <message>
        <source>ABS Preheat</source>
        <translation>ABS预热</translation>
    </message>
</context>
<context>
    <name>PreheatPresetEditor</name>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
</context>
<context>
    <name>PrintDetail</name>
    <message>
        <source>Print Speed</source>
        <translation>打印速度</translation>
    </message>
    <message>
        <source>Extruder</source>
        <translation>喷头</translation>
    </message>
    <message>
        <source>Platform</source>
        <translation>平台</translation>
    </message>
    <message>
        <source>Z -Offset</source>
        <translation>Z轴偏移</translation>
    </message>
    <message>
        <source>Filament</source>
        <translation>耗材</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Parameter set successfully.</source>
        <translation>参数设置成功。</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>参数设置成功</translation>
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
    <name>QObject</name>
    <message>
        <source>Machine stoppage</source>
        <translation>机器停止</translation>
    </message>
    <message>
        <source>Please reboot the machine</source>
        <translation>请重启机器</translation>
    </message>
    <message>
        <source>Repair is complete,
please restart the printer</source>
        <translation>修复完成，
请重启打印机</translation>
    </message>
    <message>
        <source>There was a problem
with the firmware update.
Please try again.</source>
        <translation>固件更新出现问题。
请重试。</translation>
    </message>
</context>
<context>
    <name>Scanner</name>
    <message>
        <source>Serial No</source>
        <translation>序列号</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>No ethernet mac found</source>
        <translation>未找到以太网 MAC</translation>
    </message>
    <message>
        <source>The scanned code is too long.</source>
        <translation>扫描的代码过长。</translation>
    </message>
</context>
<context>
    <name>Setting</name>
    <message>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Transmission Ratio</source>
        <translation>传动比</translation>
    </message>
    <message>
        <source>Resume Print</source>
        <translation>断电续打</translation>
    </message>
    <message>
        <source>Filament Detect</source>
        <translation>断料检测</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>照明灯</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>蜂鸣器</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>升级</translation>
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
    <name>ShowTempSetting</name>
    <message>
        <source>PLA Preheat Setting</source>
        <translation>PLA预热设置</translation>
    </message>
    <message>
        <source>ABS Preheat Setting</source>
        <translation>ABS预热设置</translation>
    </message>
</context>
<context>
    <name>TransmissionRatio</name>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Ratio X</source>
        <translation>X轴传动比</translation>
    </message>
    <message>
        <source>Ratio Y</source>
        <translation>Y轴传动比</translation>
    </message>
    <message>
        <source>Ratio Z</source>
        <translation>Z轴传动比</translation>
    </message>
    <message>
        <source>Ratio E</source>
        <translation>E轴传动比</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>参数设置成功</translation>
    </message>
    <message>
        <source>Parameter setting failed.
The values are saved
for the next start.</source>
        <translation>参数设置失败。
数值已保存，
下次启动时生效。</translation>
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
    <name>Update</name>
    <message>
        <source>kernel downloading...</source>
        <translation>正在下载内核...</translation>
    </message>
    <message>
        <source>control downloading...</source>
        <translation>正在下载控制程序...</translation>
    </message>
    <message>
        <source>library downloading...</source>
        <translation>正在下载程序库...</translation>
    </message>
    <message>
        <source>software downloading...</source>
        <translation>正在下载软件...</translation>
    </message>
    <message>
        <source>Poor network, please
check the network and
try again !</source>
        <translation>网络不佳，
请检查网络后
重试！</translation>
    </message>
    <message>
        <source>Checking version 
 information...</source>
        <translation>正在检查
版本信息...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>正在下载...</translation>
    </message>
    <message>
        <source>Upgrade Error</source>
        <translation>升级失败</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>正在安装...</translation>
    </message>
    <message>
        <source>Upgrade completed, 
Please restart the machine！</source>
        <translation>升级完成，
请重启机器！</translation>
    </message>
    <message>
        <source>It&apos;s the latest version.</source>
        <translation>已是最新版本。</translation>
    </message>
    <message>
        <source>A new version is found.</source>
        <translation>发现新版本。</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>确认</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>发现新版本。
是否升级固件？</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
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
        <translation>未连接</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>正在扫描…</translation>
    </message>
    <message>
        <source>Forget SSID</source>
        <translation>忘记网络</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>请重试</translation>
    </message>
    <message>
        <source>SSID has been connected</source>
        <translation>网络已连接</translation>
    </message>
    <message>
        <source>Password is too short</source>
        <translation>密码太短</translation>
    </message>
    <message>
        <source>Password is
 less than 8 characters</source>
        <translation>密码
少于 8 个字符</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>连接失败</translation>
    </message>
    <message>
        <source>This connection failed</source>
        <translation>本次连接失败</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>正在连接...</translation>
    </message>
</context>
<context>
    <name>ZCalibration</name>
    <message>
        <source>Calibrating, please wait...</source>
        <translation>正在校准，请稍候...</translation>
    </message>
    <message>
        <source>Completed!</source>
        <translation>已完成！</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>回零失败</translation>
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
        <translation>CRC错误</translation>
    </message>
</context>
</TS>
