<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
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
新しい色が出たらOKを押してください</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abnormal temperature,
please check the extruder.</source>
        <translation>温度異常です。
エクストルーダーを確認してください。</translation>
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
        <translation>戻る</translation>
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
        <translation>フィラメントをアンロード中、
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
エクストルーダーを確認してください。</translation>
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
