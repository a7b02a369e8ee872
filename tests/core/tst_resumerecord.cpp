#include "resumeprintconfigsavefile.h"
#include "sysroot.h"

#include <QtTest>

#include <memory>

using FILESNAMESPACE::ResumePrintConfigSaveFile;

class TestResumeRecord : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_root;

    QString recordPath() const { return m_root->path() + "/data/.resume_print_file"; }

    void writeRecord(const QByteArray &text)
    {
        QFile file(recordPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    // A stand-in "mount" that logs its arguments and, when `repairs`, turns
    // the blocked /data back into a writable folder.
    void installMount(bool repairs)
    {
        const QString folder = m_root->path() + "/sbin-standin";
        QDir().mkpath(folder);
        QFile script(folder + "/mount");
        QVERIFY(script.open(QIODevice::WriteOnly));
        QByteArray body = "#!/bin/sh\nroot=\"$(dirname \"$0\")/..\"\necho \"$@\" >> \"$root/mount.log\"\n";
        body += repairs ? "rm -f \"$root/data\" && mkdir \"$root/data\"\n" : "exit 32\n";
        script.write(body);
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }

    void blockData()
    {
        QDir(m_root->path() + "/data").removeRecursively();
        QFile blocker(m_root->path() + "/data"); // a file where the folder belongs
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }

    QStringList mountCalls() const
    {
        QFile file(m_root->path() + "/mount.log");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        SysRoot::setRoot(m_root->path());
        QDir().mkpath(m_root->path() + "/data");
    }

    void saveReadRemove()
    {
        qint64 line = -1;
        QVERIFY(!ResumePrintConfigSaveFile()->readLine(line));
        QVERIFY(ResumePrintConfigSaveFile()->saveLine(12345));
        QFile leftover(recordPath() + ".tmp"); // a power cut can leave a longer one behind
        QVERIFY(leftover.open(QIODevice::WriteOnly) && leftover.write("123456789012345678\n") > 0);
        leftover.close();
        QVERIFY(ResumePrintConfigSaveFile()->saveLine(9876543210LL));
        QVERIFY(ResumePrintConfigSaveFile()->readLine(line));
        QCOMPARE(line, 9876543210LL);
        QFile file(recordPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("9876543210\n"));
        QVERIFY(!QFile::exists(recordPath() + ".tmp"));

        QVERIFY(ResumePrintConfigSaveFile()->removeResumePrintConfigFile());
        QVERIFY(!QFile::exists(recordPath()));
        QVERIFY(!ResumePrintConfigSaveFile()->readLine(line));
        QVERIFY(ResumePrintConfigSaveFile()->removeResumePrintConfigFile()); // already gone
    }

    void garbageIsNoRecord_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("letters") << QByteArray("abc\n");
        QTest::newRow("trailing junk") << QByteArray("12abc\n");
        QTest::newRow("negative") << QByteArray("-5\n");
        QTest::newRow("two numbers") << QByteArray("1 2\n");
        QTest::newRow("too large") << QByteArray("99999999999999999999\n");
        QTest::newRow("binary") << QByteArray("\x00\x01\x02", 3);
    }

    void garbageIsNoRecord()
    {
        QFETCH(QByteArray, content);
        writeRecord(content);
        qint64 line = 77;
        QVERIFY(!ResumePrintConfigSaveFile()->readLine(line));
        QCOMPARE(line, 77LL);
    }

    void failedSaveRemountsOnceAndRetries()
    {
        installMount(true);
        blockData();
        QVERIFY(ResumePrintConfigSaveFile()->saveLine(42));
        QCOMPARE(mountCalls(), QStringList{"-o remount,rw /data"});
        qint64 line = 0;
        QVERIFY(ResumePrintConfigSaveFile()->readLine(line));
        QCOMPARE(line, 42LL);
    }

    void saveThatStillFailsIsReported()
    {
        installMount(false);
        blockData();
        QVERIFY(!ResumePrintConfigSaveFile()->saveLine(42));
        QCOMPARE(mountCalls().size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestResumeRecord)
#include "tst_resumerecord.moc"
