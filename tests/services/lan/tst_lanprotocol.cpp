#include "lan/discoveryrecord.h"
#include "lan/lancommand.h"
#include "lan/myserver.h"
#include "lan/uploadname.h"

#include <QtTest>

class TestLanProtocol : public QObject {
    Q_OBJECT
private slots:
    void commandLinesParse()
    {
        LanCommand command;
        QVERIFY(parseLanCommand("~M28 1024 0:/user/a b.gx  ", &command));
        QCOMPARE(command.name(), QByteArray("M28"));
        QCOMPARE(command.args, QByteArray("1024 0:/user/a b.gx"));
        QVERIFY(parseLanCommand("~G28", &command));
        QCOMPARE(command.name(), QByteArray("G28"));
        QVERIFY(command.args.isEmpty());

        for (const QByteArray &bad : {QByteArray("M105"), QByteArray("~M"), QByteArray("~M10x"),
                                      QByteArray("~T105"), QByteArray("~M12345"), QByteArray("~ M105")})
            QVERIFY2(!parseLanCommand(bad, &command), bad);
    }

    void uploadNamesAreChecked()
    {
        QByteArray error;
        QCOMPARE(lanFileName("0:/user/Cube 1.GX", &error), QStringLiteral("Cube 1.GX"));
        QCOMPARE(lanFileName("vase.zuvrak", &error), QStringLiteral("vase.zuvrak"));
        QCOMPARE(lanFileName("0:/user/\xe7\x8c\xab.g", &error), QString::fromUtf8("\xe7\x8c\xab.g"));
        for (const QByteArray &bad : {QByteArray("0:/user/sub/x.gx"), QByteArray(".."), QByteArray("x.gx\x7f"),
                                      QByteArray("bad\xff.gx"), QByteArray("gx"), QByteArray(300, 'a') + ".gx"}) {
            error.clear();
            QVERIFY2(lanFileName(bad, &error).isEmpty(), bad);
            QVERIFY(!error.isEmpty());
        }
    }

    void pathsStayInsideTheFolder()
    {
        QTemporaryDir root;
        const QString data = root.path() + "/data";
        QVERIFY(QDir().mkpath(data));
        QVERIFY(staysInside(data, data + "/new.gx"));
        QVERIFY(!staysInside(data, data + "/../new.gx"));
        QVERIFY(QFile::link(root.path() + "/outside.gx", data + "/link.gx"));
        QVERIFY(!staysInside(data, data + "/link.gx"));
    }

    void discoveryRecordFieldsFit()
    {
        DiscoveryRecord::Fields fields;
        // 60 three-byte characters: the cut must fall between characters.
        fields.printerName = QString(60, QChar(0x732B));
        fields.address = QStringLiteral("192.168.100.200");
        fields.tcpPort = 8899;
        const QByteArray record = DiscoveryRecord::build(fields);
        QCOMPARE(record.size(), 140);
        const QByteArray name(record.constData() + DiscoveryRecord::kNameOffset);
        QCOMPARE(name.size(), 114); // 38 whole characters, then NUL padding
        QCOMPARE(QString::fromUtf8(name), QString(38, QChar(0x732B)));
        QCOMPARE(QByteArray(record.constData() + DiscoveryRecord::kAddressOffset),
                 QByteArray("192.168.100.200"));
        QCOMPARE(record.mid(DiscoveryRecord::kPortOffset, 2), QByteArray("\xc3\x22", 2));
    }

    void freeSpaceOfMissingPathIsMinusOne()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("check free space failed: "));
        QCOMPARE(myServer::check_free_space("/no/such/folder"), qint64(-1));
        QVERIFY(myServer::check_free_space(QDir::tempPath().toLocal8Bit().constData()) > 0);
    }
};

QTEST_GUILESS_MAIN(TestLanProtocol)
#include "tst_lanprotocol.moc"
