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
