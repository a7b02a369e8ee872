#include "cfilemanager.h"
#include "tmsdk/FileManager.h"
#include "tmsdk/MutexLocker.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <thread>

#include <sys/stat.h>

namespace {

QStringList names(const QList<QFileInfo> &entries)
{
    QStringList result;
    for (const QFileInfo &entry : entries)
        result << entry.fileName();
    return result;
}

} // namespace

class TestFileHelpers : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    const QDateTime m_base = QDateTime::fromSecsSinceEpoch(1600000000);

    void makeFile(const QString &relative, int secondsAfterBase = 0)
    {
        QFile file(m_dir.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(m_base.addSecs(secondsAfterBase), QFileDevice::FileModificationTime));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir root(m_dir.path());
        for (const char *folder : {"beta", "Alpha", "gamma", ".cache", "beta/inner"})
            QVERIFY(root.mkpath(folder));
        makeFile("old.gx", 0);
        makeFile("new.gx", 300);
        makeFile("tie_b.gx", 100);
        makeFile("tie_a.gx", 100);
        makeFile("part.gcode.gx", 200);
        makeFile("UPPER.GX", 400);
        makeFile("plain.gcode", 50);
        makeFile("x.gx.bak", 500);
        makeFile("gx", 500);
        makeFile(".secret.gx", 600);
        makeFile("beta/deep.gx", 1000);
        makeFile("beta/inner/deeper.gx", 900);
        makeFile(".cache/cached.gx", 2000);
    }

    void foldersFirstThenNewestFilesOfTheExactSuffix()
    {
        const QStringList folders = {"..", "Alpha", "beta", "gamma"};
        QCOMPARE(names(CFileManager::checkNeedFileOut(m_dir.path(), "gx", false)),
                 folders + QStringList({"new.gx", "part.gcode.gx", "tie_a.gx", "tie_b.gx", "old.gx"}));
        QCOMPARE(names(CFileManager::checkNeedFileOut(m_dir.path(), "GX", false)),
                 folders + QStringList("UPPER.GX"));
        QCOMPARE(names(CFileManager::checkNeedFileOut(m_dir.path(), "gcode", false)),
                 folders + QStringList("plain.gcode"));
    }

    void recursiveAddsFilesOfVisibleSubFolders()
    {
        const QStringList listed = names(CFileManager::checkNeedFileOut(m_dir.path(), "gx", true));
        QCOMPARE(listed.mid(0, 6), (QStringList{"..", "Alpha", "beta", "gamma", "deep.gx", "deeper.gx"}));
        QVERIFY(!listed.contains("cached.gx"));
        QVERIFY(!listed.contains("inner"));
        QCOMPARE(listed.size(), 4 + 7);
    }

    void missingFolderListsNothing()
    {
        QVERIFY(CFileManager::checkNeedFileOut(m_dir.filePath("nowhere"), "gx", false).isEmpty());
    }

    // The browser's one-pass listing gives what the one-suffix listings give
    // in turn: folders (links to folders too), then the newest "g", "gx" and
    // "gcode" files, nothing hidden, no links that lead nowhere, no pipes;
    // a big folder, whose entries are shared among threads, the same way.
    void browserListingMatchesTheListingPerSuffix_data()
    {
        QTest::addColumn<int>("bulk");
        QTest::newRow("small folder") << 0;
        QTest::newRow("big folder") << 3000;
    }

    void browserListingMatchesTheListingPerSuffix()
    {
        QFETCH(int, bulk);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QDir root(dir.path());
        for (const char *folder : {"beta", "Alpha", "models.gx", ".hidden"})
            QVERIFY(root.mkpath(folder));
        QVERIFY(QFile::link(dir.filePath("beta"), dir.filePath("linked")));
        const auto make = [&dir](const char *name, qint64 msAfterBase) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(int(msAfterBase % 7), 'x'));
            QVERIFY(file.flush()); // before the time is set, or closing sets it anew
            QVERIFY(file.setFileTime(QDateTime::fromMSecsSinceEpoch(1600000000000 + msAfterBase),
                                     QFileDevice::FileModificationTime));
        };
        make("c.gcode", 4000);
        make("old.g", 1000);
        make("new.g", 3000);
        make("tie_b.gx", 2000);
        make("Tie_c.gx", 2000);
        make("tie_a.gx", 2000);
        make("late.gx", 2001); // a millisecond apart
        make("part.gcode.gx", 500);
        make("UPPER.GX", 9000);
        make("notes.txt", 9000);
        make("g", 9000);
        make(".secret.g", 9000);
        QVERIFY(QFile::link(dir.filePath("c.gcode"), dir.filePath("alias.gcode")));
        QVERIFY(QFile::link(dir.filePath("gone.g"), dir.filePath("dangling.g")));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe.gx")).constData(), 0644), 0);
        // Among the hand-made entries: folders, each suffix, other files,
        // times that tie with them and with each other.
        const char *const bulkSuffixes[] = {"g", "gx", "gcode", "txt"};
        for (int i = 0; i < bulk; ++i) {
            if (i % 50 == 0)
                QVERIFY(root.mkpath(QStringLiteral("Folder%1").arg(i)));
            make(qPrintable(QStringLiteral("bulk%1.%2").arg(i).arg(bulkSuffixes[i % 4])), (i * 37) % 9500);
        }

        const QStringList suffixes = {"g", "gx", "gcode"};
        QStringList reference;
        for (const QString &suffix : suffixes)
            for (const QString &name : names(CFileManager::checkNeedFileOut(dir.path(), suffix, false)))
                if (name != ".." && !reference.contains(name))
                    reference << name;
        QStringList listed;
        for (const CFileManager::ListedEntry &entry : CFileManager::listForBrowser(dir.path(), suffixes)) {
            listed << entry.name;
            QCOMPARE(entry.isFolder, QFileInfo(dir.filePath(entry.name)).isDir());
            if (!entry.isFolder) {
                QCOMPARE(entry.modifiedMs, QFileInfo(dir.filePath(entry.name)).lastModified().toMSecsSinceEpoch());
                QCOMPARE(entry.size, QFileInfo(dir.filePath(entry.name)).size());
            }
        }
        QCOMPARE(listed, reference);
        if (bulk == 0)
            QCOMPARE(listed, (QStringList{"Alpha", "beta", "linked", "models.gx", "new.g", "old.g", "late.gx",
                                          "tie_a.gx", "tie_b.gx", "Tie_c.gx", "part.gcode.gx", "alias.gcode",
                                          "c.gcode"}));
        QVERIFY(CFileManager::listForBrowser(dir.filePath("nowhere"), suffixes).isEmpty());
    }

    void removeDeletesAndReportsFailures()
    {
        const QString file = m_dir.filePath("doomed.g");
        QFile(file).open(QIODevice::WriteOnly);
        QCOMPARE(tmsdk::FileManager::remove(file.toStdString()), 0);
        QVERIFY(!QFile::exists(file));

        // Nothing to delete counts as done.
        QCOMPARE(tmsdk::FileManager::remove(file.toStdString()), 0);

        // A folder cannot be unlinked: the errno comes back negated.
        QCOMPARE(tmsdk::FileManager::remove(m_dir.filePath("gamma").toStdString()), -EISDIR);
        QVERIFY(QDir(m_dir.filePath("gamma")).exists());
    }

    void mutexLockerExcludesOtherThreads()
    {
        tmsdk::Mutex mutex;
        long counter = 0;
        auto work = [&] {
            for (int i = 0; i < 200000; ++i) {
                tmsdk::MutexLocker locker(mutex);
                const long seen = counter;
                counter = seen + 1;
            }
        };
        std::thread first(work);
        std::thread second(work);
        first.join();
        second.join();
        QCOMPARE(counter, 400000L);
    }
};

QTEST_GUILESS_MAIN(TestFileHelpers)
#include "tst_filehelpers.moc"
