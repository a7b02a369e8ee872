#include "config.h"
#include "copyjob.h"
#include "sysroot.h"
#include "verifiedcopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <fcntl.h>
#include <mutex>
#include <sys/mman.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray patternBytes(int size, char seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        bytes[i] = char(seed + i * 7 + i / 251);
    return bytes;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Flips one byte of the first block written: a medium that stores something
// else than it was given.
void corruptWrites()
{
    VerifiedCopy::setBlockFilterForTesting([](char *data, qint64 size) {
        if (size > 0)
            data[0] = char(~data[0]);
    });
}

// Changes one byte of the file at `path` behind the copy's back: a medium
// that does not keep what it was given.
bool changeByteOnTheMedium(const QByteArray &path, qint64 offset)
{
    const int fd = ::open(path.constData(), O_RDWR);
    if (fd < 0)
        return false;
    char byte = 0;
    bool ok = ::pread(fd, &byte, 1, offset) == 1;
    byte = char(~byte);
    ok = ok && ::pwrite(fd, &byte, 1, offset) == 1 && ::fdatasync(fd) == 0;
    ::close(fd);
    return ok;
}

// How many pages of [offset, offset + length) of the file are in the page
// cache; -1 when that cannot be told.
qint64 cachedPages(const QByteArray &path, qint64 offset, qint64 length)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0 || length <= 0)
        return fd < 0 ? -1 : 0;
    void *map = ::mmap(nullptr, size_t(length), PROT_READ, MAP_SHARED, fd, offset);
    ::close(fd);
    if (map == MAP_FAILED)
        return -1;
    const long page = ::sysconf(_SC_PAGESIZE);
    std::vector<unsigned char> resident(size_t((length + page - 1) / page));
    qint64 count = ::mincore(map, size_t(length), resident.data()) == 0 ? 0 : -1;
    for (unsigned char r : resident)
        count += (count >= 0 && (r & 1)) ? 1 : 0;
    ::munmap(map, size_t(length));
    return count;
}

} // namespace

class TestVerifiedCopy : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_stick, m_local;

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        SysRoot::setRoot(m_root.path());
        Config::getInstance()->reload();
        m_stick = m_root.filePath("media");
        m_local = m_root.filePath("data");
    }

    void init()
    {
        QDir(m_stick).removeRecursively();
        QDir(m_local).removeRecursively();
        QVERIFY(QDir().mkpath(m_stick) && QDir().mkpath(m_local));
    }

    void cleanup()
    {
        VerifiedCopy::setBlockFilterForTesting(nullptr);
        VerifiedCopy::setReadBackHookForTesting(nullptr);
    }

    void copiesExactlyAndReplacesOnlyWhenVerified_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("oldTarget");
        QTest::newRow("empty file") << 0 << QByteArray();
        QTest::newRow("several blocks, odd size") << 3 * 256 * 1024 + 17 << QByteArray();
        QTest::newRow("exactly one block") << 256 * 1024 << QByteArray();
        // A longer old file must not leave its tail behind the new data.
        QTest::newRow("over a longer file") << 1000 << patternBytes(50000, 'z');
    }

    void copiesExactlyAndReplacesOnlyWhenVerified()
    {
        QFETCH(int, size);
        QFETCH(QByteArray, oldTarget);
        const QByteArray data = patternBytes(size, 'a');
        const QString source = m_stick + "/part.gcode";
        const QString target = m_local + "/part.gcode";
        QVERIFY(writeFile(source, data));
        if (!oldTarget.isEmpty())
            QVERIFY(writeFile(target, oldTarget));

        VerifiedCopy::Progress progress;
        QCOMPARE(VerifiedCopy::copyFile(source, target, &progress), VerifiedCopy::Result::Done);
        QCOMPARE(readFile(target), data);
        QCOMPARE(progress.copied.load(), qint64(size));
        QCOMPARE(progress.total.load(), qint64(size));
        QCOMPARE(entriesOf(m_local), QStringList{"part.gcode"});
    }

    void failuresLeaveTheOldFileAndNoTrace_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("data corrupted on the way") << "corrupt";
        QTest::newRow("cancelled mid-copy") << "cancel";
        QTest::newRow("source unreadable") << "nosource";
    }

    void failuresLeaveTheOldFileAndNoTrace()
    {
        QFETCH(QString, failure);
        const QByteArray old = "old print that must survive";
        const QString source = m_stick + "/part.gx";
        const QString target = m_local + "/part.gx";
        QVERIFY(writeFile(source, patternBytes(2 * 1024 * 1024, 'q')));
        QVERIFY(writeFile(target, old));

        VerifiedCopy::Progress progress;
        VerifiedCopy::Result expected = VerifiedCopy::Result::Mismatch;
        if (failure == "corrupt") {
            corruptWrites();
        } else if (failure == "cancel") {
            expected = VerifiedCopy::Result::Cancelled;
            VerifiedCopy::setBlockFilterForTesting([&progress](char *, qint64) { progress.cancel = true; });
        } else {
            expected = VerifiedCopy::Result::SourceFailed;
            QFile::remove(source);
        }
        QCOMPARE(VerifiedCopy::copyFile(source, target, &progress), expected);
        QCOMPARE(readFile(target), old);
        QCOMPARE(entriesOf(m_local), QStringList{"part.gx"});
    }

    // What is compared is what the medium holds: a byte that changes there
    // after it was written and flushed is caught, though every byte handed to
    // the medium was right.
    void changedOnTheMediumAfterTheWriteIsCaught()
    {
        const QByteArray old = "old print that must survive";
        const QString source = m_stick + "/part.gx";
        const QString target = m_local + "/part.gx";
        const qint64 size = 20 * 1024 * 1024 + 333;
        QVERIFY(writeFile(source, patternBytes(int(size), 'm')));
        QVERIFY(writeFile(target, old));
        std::atomic<int> changed{0};
        VerifiedCopy::setReadBackHookForTesting([&changed, size](const QByteArray &path, qint64 offset, qint64 length) {
            // The file's last byte, read back after the copy's final flush.
            if (offset + length == size && changeByteOnTheMedium(path, size - 1))
                ++changed;
        });
        QCOMPARE(VerifiedCopy::copyFile(source, target), VerifiedCopy::Result::Mismatch);
        QCOMPARE(changed.load(), 1);
        QCOMPARE(readFile(target), old);
        QCOMPARE(entriesOf(m_local), QStringList{"part.gx"});
    }

    // The copy is read back from the medium, not from the page cache: each
    // range is out of the cache when its read-back starts. The disk's
    // readahead may already be fetching (from the medium) a few pages of a
    // range, so only the second half of each range is looked at, and the
    // sum of what is found there must stay a small part.
    void readBackComesFromTheMediumNotTheCache()
    {
        struct statfs fs;
        QVERIFY(::statfs(QFile::encodeName(m_local).constData(), &fs) == 0);
        if (fs.f_type == 0x01021994) // tmpfs: its page cache is the medium
            QSKIP("the test folder lies in memory");
        const QString source = m_stick + "/big.gcode";
        const QByteArray data = patternBytes(20 * 1024 * 1024 + 4096, 'c');
        QVERIFY(writeFile(source, data));
        std::mutex mutex;
        qint64 looked = 0;
        qint64 cached = 0;
        VerifiedCopy::setReadBackHookForTesting([&](const QByteArray &path, qint64 offset, qint64 length) {
            const qint64 half = (length / 2) & ~qint64(4095);
            const qint64 pages = cachedPages(path, offset + half, length - half);
            std::lock_guard<std::mutex> lock(mutex);
            looked += (length - half) / 4096;
            cached += pages < 0 ? length : pages;
        });
        QCOMPARE(VerifiedCopy::copyFile(source, m_local + "/big.gcode"), VerifiedCopy::Result::Done);
        QCOMPARE(readFile(m_local + "/big.gcode"), data);
        QVERIFY(looked > 1000);
        QVERIFY2(cached < looked / 4, qPrintable(QString("%1 of %2 pages came from the cache").arg(cached).arg(looked)));
    }

    void missingTargetFolderFails()
    {
        const QString source = m_stick + "/a.g";
        QVERIFY(writeFile(source, "G28\n"));
        QCOMPARE(VerifiedCopy::copyFile(source, m_local + "/gone/a.g"), VerifiedCopy::Result::TargetFailed);
        QVERIFY(entriesOf(m_local).isEmpty());
    }

    // Names are handed to no shell: blanks, quotes and command syntax are
    // just characters of a file name.
    void hostileNamesAreJustNames()
    {
        const QStringList names = {"my part.gx", "it's \"fine\".gcode", "a;touch pwned;.g",
                                   "$(touch pwned).gx", "`touch pwned`.g"};
        for (const QString &name : names) {
            const QByteArray data = name.toUtf8() + patternBytes(5000, 'n');
            QVERIFY(writeFile(m_stick + '/' + name, data));
            QCOMPARE(VerifiedCopy::copyFile(m_stick + '/' + name, m_local + '/' + name), VerifiedCopy::Result::Done);
            QCOMPARE(readFile(m_local + '/' + name), data);
        }
        QCOMPARE(entriesOf(m_local).size(), names.size());
        QVERIFY(!QFile::exists("pwned") && !QFile::exists(m_local + "/pwned") && !QFile::exists(m_stick + "/pwned"));
    }

    void jobCopiesInOrderAndStampsLocalCopies()
    {
        QVERIFY(writeFile(m_local + "/older.g", "G1\n"));
        QVERIFY(Config::getInstance()->updateFileModifyTime((m_local + "/older.g").toStdString()));
        QList<CopyJob::Item> items;
        for (const QString name : {"one.gx", "two.gx"}) {
            QVERIFY(writeFile(m_stick + '/' + name, patternBytes(300000, name.at(0).toLatin1())));
            items << CopyJob::Item{m_stick + '/' + name, m_local + '/' + name, true};
        }
        QVERIFY(writeFile(m_local + "/back.g", "G28\n"));
        items << CopyJob::Item{m_local + "/back.g", m_stick + "/back.g", false};
        const QDateTime stickTimeBefore = QDateTime::currentDateTime().addSecs(-5);

        CopyJob job;
        // The outcome is emitted on the job's own thread: the spy (and any
        // page) is never fed from the worker.
        QThread *emittedOn = nullptr;
        connect(&job, &CopyJob::finished, this, [&emittedOn] { emittedOn = QThread::currentThread(); },
                Qt::DirectConnection);
        QSignalSpy finished(&job, &CopyJob::finished);
        QVERIFY(job.start(items));
        QVERIFY(finished.wait(kTryWaitMs));
        QCOMPARE(emittedOn, thread());
        QCOMPARE(finished.first().at(0).value<VerifiedCopy::Result>(), VerifiedCopy::Result::Done);
        QCOMPARE(finished.first().at(1).toInt(), 3);
        QVERIFY(!job.isRunning());

        const QDateTime older = QFileInfo(m_local + "/older.g").lastModified();
        const QDateTime one = QFileInfo(m_local + "/one.gx").lastModified();
        const QDateTime two = QFileInfo(m_local + "/two.gx").lastModified();
        QVERIFY2(older < one && one < two, "each copy into local storage is stamped after all before it");
        QVERIFY2(QFileInfo(m_stick + "/back.g").lastModified() > stickTimeBefore, "copies onto the stick keep a fresh time");
        QCOMPARE(readFile(m_stick + "/two.gx"), readFile(m_local + "/two.gx"));
    }

    void jobStopsAtTheFirstFailure()
    {
        QList<CopyJob::Item> items;
        for (const QString name : {"a.g", "b.g", "c.g"}) {
            QVERIFY(writeFile(m_stick + '/' + name, patternBytes(1000, 'x')));
            items << CopyJob::Item{m_stick + '/' + name, m_local + '/' + name, false};
        }
        std::atomic<int> blocks{0};
        VerifiedCopy::setBlockFilterForTesting([&blocks](char *data, qint64) {
            if (++blocks == 2)
                data[0] = '!';
        });
        CopyJob job;
        QSignalSpy finished(&job, &CopyJob::finished);
        job.start(items);
        QVERIFY(finished.wait(kTryWaitMs));
        QCOMPARE(finished.first().at(0).value<VerifiedCopy::Result>(), VerifiedCopy::Result::Mismatch);
        QCOMPARE(finished.first().at(1).toInt(), 1);
        QCOMPARE(entriesOf(m_local), QStringList{"a.g"});
    }

    void destroyingARunningJobCancelsIt()
    {
        QVERIFY(writeFile(m_stick + "/big.g", patternBytes(8 * 1024 * 1024, 'b')));
        std::atomic<bool> started{false};
        VerifiedCopy::setBlockFilterForTesting([&started](char *, qint64) { started = true; });
        {
            CopyJob job;
            job.start({CopyJob::Item{m_stick + "/big.g", m_local + "/big.g", false}});
            QTRY_VERIFY(started.load());
        }
        QVERIFY(entriesOf(m_local).isEmpty() || entriesOf(m_local) == QStringList{"big.g"});
        if (!entriesOf(m_local).isEmpty())
            QCOMPARE(readFile(m_local + "/big.g"), readFile(m_stick + "/big.g"));
    }
};

QTEST_MAIN(TestVerifiedCopy)
#include "tst_verifiedcopy.moc"
