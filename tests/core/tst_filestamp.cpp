#include "config.h"
#include "filestamp.h"
#include "sysroot.h"

#include <QtTest>

#include <memory>

#include <sys/stat.h>
#include <time.h>

class TestFileStamp : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_root;

    QString lanCounterPath() const { return m_root->path() + "/opt/PROGRAM/config/sysDateForFile.conf"; }

    QString makeFile(const QString &name)
    {
        const QString path = m_root->path() + "/data/" + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }

    static qint64 mtimeOf(const QString &path)
    {
        struct stat st;
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return -1;
        return st.st_mtime;
    }

    static qint64 secondsOf(const char *stamp)
    {
        return QDateTime::fromString(QLatin1String(stamp), "yyyyMMddhhmm.ss").toSecsSinceEpoch();
    }

    QByteArray lanCounter() const
    {
        QFile file(lanCounterPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
    }

    void setLanCounter(const QByteArray &stamp)
    {
        QDir().mkpath(QFileInfo(lanCounterPath()).absolutePath());
        QFile file(lanCounterPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(stamp + "\n");
    }

private slots:
    void initTestCase()
    {
        // Stamps are local times; a fixed zone keeps the expected values exact.
        qputenv("TZ", "UTC");
        tzset();
    }

    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        SysRoot::setRoot(m_root->path());
        Config::getInstance()->reload();
    }

    void nextStampCarries_data()
    {
        QTest::addColumn<QString>("stamp");
        QTest::addColumn<QString>("next");
        QTest::newRow("second") << "202001010101.01" << "202001010101.02";
        QTest::newRow("minute") << "202001010101.59" << "202001010102.00";
        QTest::newRow("hour") << "202001010159.59" << "202001010200.00";
        QTest::newRow("day") << "202001012359.59" << "202001020000.00";
        QTest::newRow("leap day") << "202002282359.59" << "202002290000.00";
        QTest::newRow("year") << "202012312359.59" << "202101010000.00";
        QTest::newRow("no dot") << "202001010101" << "202001010101.02";
        QTest::newRow("empty") << "" << "202001010101.02";
        QTest::newRow("garbage") << "20x0; rm -rf" << "202001010101.02";
        QTest::newRow("impossible date") << "202013452501.00" << "202001010101.02";
        // File times end in January 2038: no stamp goes past that, and one
        // beyond it was never handed out.
        QTest::newRow("the last stamp") << "203801170000.00" << "203801170000.00";
        QTest::newRow("past the last stamp") << "999912312359.59" << "202001010101.02";
    }

    void nextStampCarries()
    {
        QFETCH(QString, stamp);
        QFETCH(QString, next);
        QCOMPARE(QString::fromStdString(FileStamp::nextStamp(stamp.toStdString())), next);
    }

    // Counters ahead of the clock (a clock set back, stamps handed out in a
    // burst) go on from the later counter.
    void stampsIncreaseAcrossBothCounters()
    {
        Config::getInstance()->setModifyTime("203501010101.58");
        qint64 previous = 0;
        for (int i = 0; i < 6; ++i) {
            const QString path = makeFile(QString("file%1.gcode").arg(i));
            const auto counter = i % 2 ? FileStamp::Counter::LanServer : FileStamp::Counter::Settings;
            QVERIFY(FileStamp::stampNewFile(path.toStdString(), counter));
            const qint64 mtime = mtimeOf(path);
            QVERIFY2(mtime > previous, qPrintable(QString("file %1").arg(i)));
            previous = mtime;
        }
        QCOMPARE(previous, secondsOf("203501010102.04"));
        QCOMPARE(Config::getInstance()->getModifyTime(), std::string("203501010102.03"));
        QCOMPARE(lanCounter(), QByteArray("203501010102.04"));

        // A LAN counter ahead of the settings moves the settings counter on.
        setLanCounter("203505050505.05");
        const QString path = makeFile("copied.gx");
        QVERIFY(Config::getInstance()->updateFileModifyTime(path.toStdString()));
        QCOMPARE(mtimeOf(path), secondsOf("203505050505.06"));
        QCOMPARE(Config::getInstance()->getModifyTime(), std::string("203505050505.06"));
        QCOMPARE(lanCounter(), QByteArray("203505050505.05"));
        // The settings counter is on the medium when the stamp is handed out.
        QFile settings(m_root->path() + "/opt/PROGRAM/config/config.json");
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("\"203505050505.06\""));

        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(st.st_atime, st.st_mtime);
    }

    // Counters behind the clock (the usual case: they start in 2020) give
    // way to the current time, so a new file lists above files that arrived
    // with today's date.
    void newFileIsStampedNoEarlierThanNow()
    {
        const QString older = makeFile("sample.gcode"); // carries today's date
        Config::getInstance()->setModifyTime("202001010101.01");
        setLanCounter("202101010101.01");
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        const QString copy = makeFile("copy.gcode");
        QVERIFY(Config::getInstance()->updateFileModifyTime(copy.toStdString()));
        const qint64 stamped = mtimeOf(copy);
        QVERIFY(stamped >= before);
        QVERIFY(stamped <= QDateTime::currentSecsSinceEpoch());
        QVERIFY(stamped >= mtimeOf(older));
        QCOMPARE(Config::getInstance()->getModifyTime(),
                 QDateTime::fromSecsSinceEpoch(stamped).toString("yyyyMMddhhmm.ss").toStdString());

        // The next one within the same second still comes later.
        const QString upload = makeFile("upload.gcode");
        QVERIFY(FileStamp::stampNewFile(upload.toStdString(), FileStamp::Counter::LanServer));
        QVERIFY(mtimeOf(upload) > stamped);
    }

    // A counter past what file times hold (9999-12-31) is no stamp this
    // program handed out: the next file is stamped now, not in 1970, and
    // the ones after it later still.
    void counterPastTheLastStampStartsFromNow()
    {
        Config::getInstance()->setModifyTime("999912312359.59");
        setLanCounter("999912312359.59");
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        const QString upload = makeFile("upload.gcode");
        QVERIFY(FileStamp::stampNewFile(upload.toStdString(), FileStamp::Counter::LanServer));
        QVERIFY(mtimeOf(upload) >= before);
        QVERIFY(mtimeOf(upload) <= QDateTime::currentSecsSinceEpoch());
        const QString copy = makeFile("copy.gcode");
        QVERIFY(Config::getInstance()->updateFileModifyTime(copy.toStdString()));
        QVERIFY(mtimeOf(copy) > mtimeOf(upload));

        // At the last stamp the next file takes it too, never a wrapped one.
        Config::getInstance()->setModifyTime("203801170000.00");
        const QString last = makeFile("last.gcode");
        QVERIFY(Config::getInstance()->updateFileModifyTime(last.toStdString()));
        QCOMPARE(mtimeOf(last), secondsOf("203801170000.00"));
        QCOMPARE(Config::getInstance()->getModifyTime(), std::string("203801170000.00"));
    }

    void hostileNamesAreStampedAndRunNothing()
    {
        QVERIFY(QDir::setCurrent(m_root->path() + "/"));
        const QStringList names = {"with blanks in it.gcode", "quote's \"double\".gcode",
                                   "semi;colon.gcode", "$(touch pwned).gcode", "`touch pwned`.gcode",
                                   "-dash.gcode"};
        for (const QString &name : names) {
            const QString path = makeFile(name);
            QVERIFY2(FileStamp::stampNewFile(path.toStdString(), FileStamp::Counter::Settings), qPrintable(name));
            QVERIFY2(mtimeOf(path) >= secondsOf("202001010101.02"), qPrintable(name));
        }
        QVERIFY(!QFile::exists(m_root->path() + "/pwned"));
        QVERIFY(!QFile::exists(m_root->path() + "/data/pwned"));
    }

    void missingFileLeavesTheCountersAlone()
    {
        Config::getInstance()->setModifyTime("202101010101.01");
        setLanCounter("202001010101.09");
        const std::string missing = (m_root->path() + "/data/not-there.gcode").toStdString();
        QVERIFY(!FileStamp::stampNewFile(missing, FileStamp::Counter::Settings));
        QVERIFY(!FileStamp::stampNewFile(missing, FileStamp::Counter::LanServer));
        QVERIFY(!QFile::exists(QString::fromStdString(missing))); // never created
        QCOMPARE(Config::getInstance()->getModifyTime(), std::string("202101010101.01"));
        QCOMPARE(lanCounter(), QByteArray("202001010101.09"));
    }
};

QTEST_GUILESS_MAIN(TestFileStamp)
#include "tst_filestamp.moc"
