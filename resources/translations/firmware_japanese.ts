<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
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
        <translation>USBメモリを挿入してください！</translation>
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
    <name>ShowDisk</name>
    <message>
        <source>Please insert USB Disk !</source>
        <translation>USBメモリを挿入してください！</translation>
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
