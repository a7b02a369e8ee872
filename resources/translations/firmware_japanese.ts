<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>ABSPreHeat</name>
    <message>
        <source>ABS Nozzle Temp</source>
        <translation>ABSノズル温度</translation>
    </message>
    <message>
        <source>ABS Platform Temp</source>
        <translation>ABSベッド温度</translation>
    </message>
</context>
<context>
    <name>About</name>
    <message>
        <source>Machine Type:</source>
        <translation>機種：</translation>
    </message>
    <message>
        <source>Software Version:</source>
        <translation>ソフトウェアバージョン：</translation>
    </message>
    <message>
        <source>IP Address:</source>
        <translation>IPアドレス：</translation>
    </message>
    <message>
        <source>Wi-Fi MAC:</source>
        <translation>Wi-Fi MAC：</translation>
    </message>
    <message>
        <source>Usage Counter:</source>
        <translation>使用時間：</translation>
    </message>
    <message>
        <source>Serial No:</source>
        <translation>シリアル番号：</translation>
    </message>
    <message>
        <source>Momery Remaining:</source>
        <translation>空き容量：</translation>
    </message>
    <message>
        <source>Email:</source>
        <translation>メール：</translation>
    </message>
    <message>
        <source>Website:</source>
        <translation>ウェブサイト：</translation>
    </message>
    <message>
        <source> hours</source>
        <translation>時間</translation>
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
        <translation>ネットワークなし</translation>
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
        <translation>USBメモリが
見つかりません！</translation>
    </message>
</context>
<context>
    <name>BuildPreview</name>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
    <message>
        <source>Cpoy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>印刷</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>削除の確認</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>このファイルを
削除しますか？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>削除に失敗しました</translation>
    </message>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>USBメモリを
挿入してください！</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>空き容量が不足しています</translation>
    </message>
    <message>
        <source>Copying...</source>
        <translation>コピー中...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>ファイルを検証中...</translation>
    </message>
    <message>
        <source>Copy File</source>
        <translation>ファイルのコピー</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>お待ちください...</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>もう一度お試しください</translation>
    </message>
    <message>
        <source>Copy completed</source>
        <translation>コピーが完了しました</translation>
    </message>
</context>
<context>
    <name>BuildPrint</name>
    <message>
        <source>Build Time</source>
        <translation>造形時間</translation>
    </message>
    <message>
        <source>Time Remaining</source>
        <translation>残り時間</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>中止</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>File format error</source>
        <translation>ファイル形式エラー</translation>
    </message>
    <message>
        <source>Abnormally print.
Please check the extruder.</source>
        <translation>印刷異常です。
エクストルーダーを
確認してください。</translation>
    </message>
    <message>
        <source>No material detected. Please
load material before resuming
the print.</source>
        <translation>材料が検出されません。
印刷を再開する前に
材料をセットしてください。</translation>
    </message>
    <message>
        <source>The print could not be started.</source>
        <translation>印刷を開始
できませんでした。</translation>
    </message>
    <message>
        <source>Out of material.You can
load more material to
continue this print.</source>
        <translation>材料切れです。
材料を補充すると
印刷を続行できます。</translation>
    </message>
    <message>
        <source>Pausing...
please wait...</source>
        <translation>一時停止中...
お待ちください...</translation>
    </message>
    <message>
        <source>Prepare to resume...</source>
        <translation>再開の準備中...</translation>
    </message>
    <message>
        <source>Cancel print job</source>
        <translation>印刷ジョブの中止</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel print job?</source>
        <translation>印刷ジョブを
中止しますか？</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Cancelling Build...</source>
        <translation>印刷を中止しています...</translation>
    </message>
    <message>
        <source>Build Completed</source>
        <translation>造形完了</translation>
    </message>
    <message>
        <source>Build completed!</source>
        <translation>造形が完了しました！</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>印刷</translation>
    </message>
    <message>
        <source>The print stopped:
the printer board
stopped answering.</source>
        <translation>印刷が停止しました：
プリンターボードが
応答しません。</translation>
    </message>
    <message>
        <source>The print stopped:
the printer could not
tell whether a line ran.</source>
        <translation>印刷が停止しました：
1行が実行されたか
確認できません。</translation>
    </message>
    <message>
        <source>The print stopped:
the print file
cannot be read.</source>
        <translation>印刷が停止しました：
印刷ファイルを
読み込めません。</translation>
    </message>
    <message>
        <source>Power-loss resume is off
for this print: its record
cannot be saved.</source>
        <translation>記録を保存できないため、
この印刷の停電復帰は
オフになりました。</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>原点復帰に失敗しました</translation>
    </message>
</context>
<context>
    <name>BuildSetting</name>
    <message>
        <source>Pause print job</source>
        <translation>印刷の一時停止</translation>
    </message>
    <message>
        <source>Pause print job?</source>
        <translation>印刷を一時停止しますか？</translation>
    </message>
</context>
<context>
    <name>CmdProcess</name>
    <message>
        <source>Copying...</source>
        <translation>コピー中...</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Copy complete!</source>
        <translation>コピーが完了しました！</translation>
    </message>
    <message>
        <source>Copy failed!</source>
        <translation>コピーに失敗しました！</translation>
    </message>
</context>
<context>
    <name>Control</name>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>モーター</translation>
    </message>
    <message>
        <source>Homing</source>
        <translation>原点復帰</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>ロード</translation>
    </message>
    <message>
        <source>Unload</source>
        <translation>アンロード</translation>
    </message>
    <message>
        <source>Preheat</source>
        <translation>予熱</translation>
    </message>
</context>
<context>
    <name>FactorySetting</name>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source> Factory Setting</source>
        <translation> 工場出荷設定</translation>
    </message>
    <message>
        <source>Restored to factory setting.</source>
        <translation>工場出荷時の設定に
戻します。</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>Restore to factory setting?</source>
        <translation>工場出荷時の設定に
戻しますか？</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Restored to factory setting</source>
        <translation>工場出荷時の設定に
戻しました</translation>
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
        <translation>原点復帰中です。
お待ちください...</translation>
    </message>
    <message>
        <source>Homing completed</source>
        <translation>原点復帰が完了しました</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>原点復帰に失敗しました</translation>
    </message>
</context>
<context>
    <name>Keyboard</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>アカウント</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Please enter</source>
        <translation>入力してください</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>スペース</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>Leveling</name>
    <message>
        <source>Level</source>
        <translation>水平調整</translation>
    </message>
</context>
<context>
    <name>LoadFilament</name>
    <message>
        <source>Load</source>
        <translation>ロード</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>エクストルーダー加熱中...</translation>
    </message>
    <message>
        <source>Preheat completed.
 Begin loading...</source>
        <translation>予熱完了。
ロードを開始します...</translation>
    </message>
    <message>
        <source>Loading,about 1-2 minute
Press ok when new color appears</source>
        <translation>ロード中、約1～2分
新しい色が出たら
OKを押してください</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal temperature,
please check the extruder.</source>
        <translation>温度異常です。
エクストルーダーを
確認してください。</translation>
    </message>
    <message>
        <source>Cancel load</source>
        <translation>ロードのキャンセル</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel load?</source>
        <translation>ロードを
キャンセルしますか？</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>原点復帰に失敗しました</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>The motion board does not respond.</source>
        <translation>モーションボードが
応答しません。</translation>
    </message>
    <message>
        <source>Build</source>
        <translation>印刷</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>水平調整</translation>
    </message>
    <message>
        <source>Printer %1</source>
        <translation>プリンター %1</translation>
    </message>
    <message>
        <source>Resume print</source>
        <translation>印刷を再開</translation>
    </message>
    <message>
        <source>The last print was interrupted.
Resume it?</source>
        <translation>前回の印刷が
中断されました。
再開しますか？</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>いいえ</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>新しいバージョンが
あります。
ファームウェアを
更新しますか？</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
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
        <translation>PLAノズル温度</translation>
    </message>
    <message>
        <source>PLA Platform Temp</source>
        <translation>PLAベッド温度</translation>
    </message>
</context>
<context>
    <name>PageFrame</name>
    <message>
        <source>Back</source>
        <translation>戻る</translation>
    </message>
</context>
<context>
    <name>PlatformLevel</name>
    <message>
        <source>Unscrew corresponding nut under
platform until touching
 the nozzle.</source>
        <translation>ベッド下のナットを緩め、
ベッドをノズルに
接触させてください。</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Pre-adjusting, please wait...</source>
        <translation>事前調整中です。
お待ちください...</translation>
    </message>
    <message>
        <source>Leveling completed!</source>
        <translation>水平調整が完了しました！</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Moving to point 2.
Please wait...</source>
        <translation>ポイント2へ移動中。
お待ちください...</translation>
    </message>
    <message>
        <source>Moving to point 3.
Please wait...</source>
        <translation>ポイント3へ移動中。
お待ちください...</translation>
    </message>
    <message>
        <source>Moving to point 4.
Please wait...</source>
        <translation>ポイント4へ移動中。
お待ちください...</translation>
    </message>
    <message>
        <source>Calibration is stored. Extruder is homing...</source>
        <translation>キャリブレーションを
保存しました。
エクストルーダーを
原点に戻しています...</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>原点復帰に失敗しました</translation>
    </message>
    <message>
        <source>Moving failed</source>
        <translation>移動に失敗しました</translation>
    </message>
</context>
<context>
    <name>Preheat</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
</context>
<context>
    <name>PreheatList</name>
    <message>
        <source>PLA Preheat</source>
        <translation>PLA予熱</translation>
    </message>
    <message>
        <source>ABS Preheat</source>
        <translation>ABS予熱</translation>
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
        <translation>印刷速度</translation>
    </message>
    <message>
        <source>Extruder</source>
        <translation>ノズル</translation>
    </message>
    <message>
        <source>Platform</source>
        <translation>ベッド</translation>
    </message>
    <message>
        <source>Z -Offset</source>
        <translation>Zオフセット</translation>
    </message>
    <message>
        <source>Filament</source>
        <translation>フィラメント</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Parameter set successfully.</source>
        <translation>パラメータを設定しました。</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>パラメータを設定しました</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Machine stoppage</source>
        <translation>機械停止</translation>
    </message>
    <message>
        <source>Please reboot the machine</source>
        <translation>機械を再起動してください</translation>
    </message>
    <message>
        <source>Repair is complete,
please restart the printer</source>
        <translation>修復が完了しました。
プリンターを
再起動してください</translation>
    </message>
    <message>
        <source>There was a problem
with the firmware update.
Please try again.</source>
        <translation>ファームウェア更新で
問題が発生しました。
もう一度お試しください。</translation>
    </message>
</context>
<context>
    <name>Scanner</name>
    <message>
        <source>Serial No</source>
        <translation>製造番号</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No ethernet mac found</source>
        <translation>イーサネットMACなし</translation>
    </message>
    <message>
        <source>The scanned code is too long.</source>
        <translation>スキャンしたコードが
長すぎます。</translation>
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
        <translation>言語</translation>
    </message>
    <message>
        <source>Transmission Ratio</source>
        <translation>伝達比</translation>
    </message>
    <message>
        <source>Resume Print</source>
        <translation>印刷再開</translation>
    </message>
    <message>
        <source>Filament Detect</source>
        <translation>フィラメント検出</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>ライト</translation>
    </message>
    <message>
        <source>Buzzer</source>
        <translation>ブザー</translation>
    </message>
    <message>
        <source>Factory Reset</source>
        <translation>工場出荷時設定</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>情報</translation>
    </message>
    <message>
        <source>Upgrade</source>
        <translation>アップデート</translation>
    </message>
</context>
<context>
    <name>ShowDisk</name>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>USBメモリを
挿入してください！</translation>
    </message>
    <message>
        <source>Storage space is not enough</source>
        <translation>空き容量が不足しています</translation>
    </message>
    <message>
        <source>Copy File...</source>
        <translation>ファイルをコピー中...</translation>
    </message>
    <message>
        <source>Verifying file...</source>
        <translation>ファイルを検証中...</translation>
    </message>
    <message>
        <source>Copy Completed</source>
        <translation>コピーが完了しました</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copy Failed</source>
        <translation>コピーに失敗しました</translation>
    </message>
    <message>
        <source>Are you sure to delete</source>
        <translation>削除の確認</translation>
    </message>
    <message>
        <source>Are you sure
 to delete the file?</source>
        <translation>このファイルを
削除しますか？</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Delete failed</source>
        <translation>削除に失敗しました</translation>
    </message>
</context>
<context>
    <name>ShowTempSetting</name>
    <message>
        <source>PLA Preheat Setting</source>
        <translation>PLA予熱設定</translation>
    </message>
    <message>
        <source>ABS Preheat Setting</source>
        <translation>ABS予熱設定</translation>
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
        <translation>X軸伝達比</translation>
    </message>
    <message>
        <source>Ratio Y</source>
        <translation>Y軸伝達比</translation>
    </message>
    <message>
        <source>Ratio Z</source>
        <translation>Z軸伝達比</translation>
    </message>
    <message>
        <source>Ratio E</source>
        <translation>E軸伝達比</translation>
    </message>
    <message>
        <source>Parameter set successfully</source>
        <translation>パラメータを設定しました</translation>
    </message>
    <message>
        <source>Parameter setting failed.
The values are saved
for the next start.</source>
        <translation>パラメータの設定に
失敗しました。
値は保存され、
次回起動時に送信されます。</translation>
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
        <translation>戻る</translation>
    </message>
</context>
<context>
    <name>UDiskAndLocalMemory</name>
    <message>
        <source>Disk</source>
        <translation>本体</translation>
    </message>
    <message>
        <source>USB Device</source>
        <translation>USBメモリ</translation>
    </message>
</context>
<context>
    <name>UnloadFilament</name>
    <message>
        <source>unLoad</source>
        <translation>アンロード</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>ロード</translation>
    </message>
    <message>
        <source>Extruder heating...</source>
        <translation>エクストルーダー加熱中...</translation>
    </message>
    <message>
        <source>Unloading the filament
 about 1 minute...</source>
        <translation>フィラメントを
アンロード中、
約1分...</translation>
    </message>
    <message>
        <source>Unloading completed</source>
        <translation>アンロード完了</translation>
    </message>
    <message>
        <source>Abnormal temperature,
Please check the extruder.</source>
        <translation>温度異常です。
エクストルーダーを
確認してください。</translation>
    </message>
    <message>
        <source>Cancel unload</source>
        <translation>アンロードのキャンセル</translation>
    </message>
    <message>
        <source>Are you sure to
 cancel unload?</source>
        <translation>アンロードを
キャンセルしますか？</translation>
    </message>
</context>
<context>
    <name>Update</name>
    <message>
        <source>kernel downloading...</source>
        <translation>カーネルを
ダウンロード中...</translation>
    </message>
    <message>
        <source>control downloading...</source>
        <translation>制御プログラムを
ダウンロード中...</translation>
    </message>
    <message>
        <source>library downloading...</source>
        <translation>ライブラリを
ダウンロード中...</translation>
    </message>
    <message>
        <source>software downloading...</source>
        <translation>ソフトウェアを
ダウンロード中...</translation>
    </message>
    <message>
        <source>Poor network, please
check the network and
try again !</source>
        <translation>ネットワークが不安定です。
ネットワークを確認して
再試行してください！</translation>
    </message>
    <message>
        <source>Checking version 
 information...</source>
        <translation>バージョン情報を
確認中...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>ダウンロード中...</translation>
    </message>
    <message>
        <source>Upgrade Error</source>
        <translation>更新エラー</translation>
    </message>
    <message>
        <source>Installing...</source>
        <translation>インストール中...</translation>
    </message>
    <message>
        <source>Upgrade completed, 
Please restart the machine！</source>
        <translation>更新が完了しました。
本機を再起動してください！</translation>
    </message>
    <message>
        <source>It&apos;s the latest version.</source>
        <translation>最新バージョンです。</translation>
    </message>
    <message>
        <source>A new version is found.</source>
        <translation>新しいバージョンが
あります。</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>A new version is found.
 Upgrade firmware?</source>
        <translation>新しいバージョンが
あります。
ファームウェアを
更新しますか？</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>はい</translation>
    </message>
    <message>
        <source>No</source>
        <translation>いいえ</translation>
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
        <translation>未接続</translation>
    </message>
    <message>
        <source>Scanning…</source>
        <translation>スキャン中…</translation>
    </message>
    <message>
        <source>Forget SSID</source>
        <translation>ネットワークを削除</translation>
    </message>
    <message>
        <source>Please retry</source>
        <translation>再試行してください</translation>
    </message>
    <message>
        <source>SSID has been connected</source>
        <translation>ネットワークに接続済み</translation>
    </message>
    <message>
        <source>Password is too short</source>
        <translation>パスワードが短すぎます</translation>
    </message>
    <message>
        <source>Password is
 less than 8 characters</source>
        <translation>パスワードが
8 文字未満です</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>接続に失敗しました</translation>
    </message>
    <message>
        <source>This connection failed</source>
        <translation>この接続に失敗しました</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>接続中...</translation>
    </message>
</context>
<context>
    <name>ZCalibration</name>
    <message>
        <source>Calibrating, please wait...</source>
        <translation>キャリブレーション中です。
お待ちください...</translation>
    </message>
    <message>
        <source>Completed!</source>
        <translation>完了しました！</translation>
    </message>
    <message>
        <source>Homing failed</source>
        <translation>原点復帰に失敗しました</translation>
    </message>
</context>
<context>
    <name>myServer</name>
    <message>
        <source>Receive file</source>
        <translation>ファイル受信中</translation>
    </message>
    <message>
        <source>CRC ERROR</source>
        <translation>CRCエラー</translation>
    </message>
</context>
</TS>
