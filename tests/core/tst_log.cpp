#include "log.h"
#include "sysroot.h"

#include <QtTest>

#include <memory>

class TestLog : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_root;

    QString logPath(const QString &suffix = QString()) const
    {
        return m_root->path() + "/opt/PROGRAM/log/tstlog.log" + suffix;
    }

    QStringList linesOf(const QString &path) const
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase()
    {
        // A zone far from UTC makes a local-time stamp stand out.
        qputenv("TZ", "JST-9");
        tzset();
    }

    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        SysRoot::setRoot(m_root->path());
        Log::setRotationSize(1024000);
    }

    void cleanup() { Log::close(); }

    void linesCarryUtcTimeAndLevel()
    {
        QVERIFY(Log::open({"-1", "-D"}, "tstlog"));
        QCOMPARE(Log::filePath(), logPath());
        const QDateTime before = QDateTime::currentDateTimeUtc().addMSecs(-1);
        qDebug("first %d", 1);
        qInfo("informed");
        qWarning("warned");
        qCritical("ünïcode critical");
        Log::close();

        const QStringList lines = linesOf(logPath());
        QCOMPARE(lines.size(), 4);
        QRegExp shape("^(\\d{4}\\.\\d{2}\\.\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}) <([A-Z]+)> (.*)$");
        QVERIFY(shape.exactMatch(lines[0]));
        QDateTime stamped = QDateTime::fromString(shape.cap(1), "yyyy.MM.dd hh:mm:ss.zzz");
        stamped.setTimeSpec(Qt::UTC);
        QVERIFY(qAbs(stamped.msecsTo(before)) < 60000);
        QCOMPARE(shape.cap(2), QString("DEBUG"));
        QCOMPARE(shape.cap(3), QString("first 1"));
        QVERIFY(lines[1].endsWith(" <DEBUG> informed"));
        QVERIFY(lines[2].endsWith(" <WARNING> warned"));
        QVERIFY(lines[3].endsWith(QString::fromUtf8(" <CRITICAL> ünïcode critical")));
    }

    void levelArgumentFilters_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("kept");
        QTest::newRow("-1") << "-1" << "DEBUG WARNING CRITICAL";
        QTest::newRow("-2") << "-2" << "WARNING CRITICAL";
        QTest::newRow("-3") << "-3" << "CRITICAL";
        QTest::newRow("-4") << "-4" << "";
        QTest::newRow("other") << "-7" << "CRITICAL";
        QTest::newRow("none") << "" << "CRITICAL";
    }

    void levelArgumentFilters()
    {
        QFETCH(QString, argument);
        QFETCH(QString, kept);
        QVERIFY(Log::open({argument, "-D"}, "tstlog"));
        Log::write(QtDebugMsg, "d");
        Log::write(QtWarningMsg, "w");
        Log::write(QtCriticalMsg, "c");
        Log::close();
        QStringList levels;
        for (const QString &line : linesOf(logPath()))
            levels << line.section('<', 1).section('>', 0, 0);
        QCOMPARE(levels.join(' '), kept);
    }

    void withoutRoutingTheFileStaysEmpty()
    {
        QVERIFY(Log::open({"-1"}, "tstlog"));
        QVERIFY(QFile::exists(logPath()));
        qWarning("to standard error");
        Log::close();
        QCOMPARE(linesOf(logPath()).size(), 0);
    }

    void rotatesIntoNinePredecessors()
    {
        Log::setRotationSize(1); // every line after the first rotates
        QVERIFY(Log::open({"-1", "-D"}, "tstlog"));
        for (int i = 0; i < 12; ++i)
            Log::write(QtWarningMsg, QString("message %1").arg(i));
        Log::close();

        QVERIFY(linesOf(logPath()).value(0).endsWith("message 11"));
        for (int n = 1; n <= 9; ++n) {
            const QStringList lines = linesOf(logPath(QString(".%1").arg(n)));
            QCOMPARE(lines.size(), 1);
            QVERIFY2(lines[0].endsWith(QString("message %1").arg(11 - n)), qPrintable(lines[0]));
        }
        QVERIFY(!QFile::exists(logPath(".10")));
    }

    void unopenableFileIsReported()
    {
        QDir().mkpath(m_root->path() + "/opt/PROGRAM");
        QFile blocker(m_root->path() + "/opt/PROGRAM/log"); // a file where the folder belongs
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QString error;
        QVERIFY(!Log::open({"-1", "-D"}, "tstlog", &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(Log::filePath(), QString());
    }
};

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
