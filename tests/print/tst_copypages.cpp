// Copies of the file pages seen from the pages: each copy's outcome reaches
// the copy it belongs to, pages closed under running workers go quietly
// (this suite runs again under AddressSanitizer), and temporary files a
// pulled stick kept are gone when it comes back. Against the real main
// window and the program's own hot-plug handling (sim/usb-stick and the
// mount stand-ins).
#include "copyjob.h"
#include "filestorage.h"
#include "pageopener.h"
#include "pagetouches.h"
#include "showdiskitem.h"
#include "stickpages.h"
#include "verifiedcopy.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QThread>
#include <QToolButton>
#include <QtTest>

#include <atomic>

namespace {

QByteArray headedFile(int size)
{
    const QByteArray png = pngOf(QSize(40, 40), Qt::darkGreen);
    HeaderFields fields;
    fields.imgStart0 = 60;
    fields.imgStart1 = 60 + png.size();
    fields.gcodeStart = fields.imgStart1;
    const QByteArray head = headerBytes(fields) + png;
    return head + QByteArray(qMax(0, size - head.size()), ';');
}

// Long touch on the file, then a touch that selects it.
void selectFile(ShowDisk *page, const QString &name)
{
    touch(rowNamed(page, name), true);
    touch(rowNamed(page, name));
}

QStringList copyLeftoversIn(const QString &folder)
{
    return QDir(folder).entryList({".*.copy-??????"}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestCopyPages : public QObject, protected StickPages {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        start([] { FileStorage::tidyMountedSticks(); }); // as the program does at start
        QVERIFY(m_main);
    }

    void init() { emptyFolders(); }

    void cleanup()
    {
        m_gate.release();
        VerifiedCopy::setBlockFilterForTesting(nullptr);
        CopyJob::setWorkerDoneHookForTesting(nullptr);
        closeAll();
    }

    void cleanupTestCase() { stop(); }

    // The copy button tapped again the moment the first copy's worker is
    // done, before the page has its outcome: the outcome is the first
    // copy's and comes while no copy runs; a copy started after it gets its
    // own outcome only.
    void secondCopyGetsItsOwnResultOnly()
    {
        write(m_stickFolder + "/first.gcode", QByteArray(300000, 'f'));
        ShowDisk *page = openPage(ShowDisk::instShowDisk, From_UDisk);
        selectFile(page, "first.gcode");
        auto *copy = page->findChild<QPushButton *>("btn_copy");
        std::atomic<int> workersDone{0};
        CopyJob::setWorkerDoneHookForTesting([&workersDone] { ++workersDone; });
        waitForFreeClickGuard();
        // From here no event may run: the outcome must still be on its way.
        copy->click();
        QElapsedTimer waited;
        waited.start();
        while (workersDone == 0 && waited.elapsed() < kWaitMs)
            QThread::yieldCurrentThread();
        QCOMPARE(workersDone.load(), 1);
        m_gate.install(); // holds a second copy, should one start
        copy->click();

        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Copy Completed"), kWaitMs);
        const bool anotherCopyRan = page->isCopying() || m_gate.entered();
        m_gate.release();
        QVERIFY2(!anotherCopyRan, "an outcome was shown while another copy ran");
        QCOMPARE(entriesOf(m_local), QStringList{"first.gcode"});
        closeMessage();

        // The next copy shows its progress until its own outcome.
        VerifiedCopy::setBlockFilterForTesting(nullptr);
        waitForFreeClickGuard();
        copy->click();
        QVERIFY(page->isCopying());
        QVERIFY(ProgressDialog::instProgressDialog && ProgressDialog::instProgressDialog->isVisible());
        QCOMPARE(messageShown(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Copy Completed"), kWaitMs);
        QVERIFY(!page->isCopying());
        // Closing the page waits for any copy still going: two taps started
        // a copy, and only two copies ran.
        page->close();
        QTRY_VERIFY(!ShowDisk::instShowDisk);
        QCOMPARE(workersDone.load(), 2);
    }

    // The browser and the preview opened and closed over and over while
    // their copies and thumbnail readers run, each closed at a different
    // moment: no outcome reaches a page that has gone, and no copy leaves a
    // temporary file behind.
    void pagesClosedUnderRunningWorkers()
    {
        // As many files as the select mode shows on one page.
        for (int i = 0; i < 5; ++i)
            write(m_stickFolder + QString("/part%1.gx").arg(i), headedFile(3 * 1024 * 1024 + i));
        for (int round = 0; round < 24; ++round) {
            ShowDisk *browser = openPage(ShowDisk::instShowDisk, From_UDisk);
            const QString name = QString("part%1.gx").arg(round % 5);
            selectFile(browser, name);
            clickPastGuard(browser->findChild<QPushButton *>("btn_copy"));
            for (int spin = 0; spin < round % 4; ++spin)
                QCoreApplication::processEvents();

            // Every third round the preview's Build, whose copies a medium
            // that changes what it is given sends round its retries (and
            // never on to a printing page).
            BuildPreview *preview = openPage(BuildPreview::instBuildPreview, m_media + '/' + name);
            const bool build = round % 3 == 2;
            if (build)
                VerifiedCopy::setBlockFilterForTesting([](char *data, qint64) { data[0] = char(~data[0]); });
            clickPastGuard(preview->findChild<QToolButton *>(build ? "btn_build" : "btn_copy"));
            for (int spin = 0; spin < round % 3; ++spin)
                QCoreApplication::processEvents();
            // Either order: the preview above the browser, or the browser
            // first, as the main window's clearing of the screen may do.
            if (round % 2 == 0) {
                preview->close();
                browser->close();
            } else {
                browser->close();
                preview->close();
            }
            QTRY_VERIFY_WITH_TIMEOUT(!ShowDisk::instShowDisk && !BuildPreview::instBuildPreview, kWaitMs);
            VerifiedCopy::setBlockFilterForTesting(nullptr);
            closeAll();
        }
        QCOMPARE(copyLeftoversIn(m_local), QStringList());
        QCOMPARE(copyLeftoversIn(m_stickFolder), QStringList());
        for (const QString &copied : entriesOf(m_local))
            QCOMPARE(QFileInfo(m_local + '/' + copied).size(), QFileInfo(m_stickFolder + '/' + copied).size());
    }

    // A copy onto the stick cut off by pulling the stick leaves its hidden
    // temporary file there; when the stick comes back that file goes, and
    // nothing else does.
    void stickLeftoversGoWhenTheStickComesBack()
    {
        write(m_local + "/big.gcode", QByteArray(3 * 1024 * 1024, 'b'));
        const QStringList kept = {".hidden.gcode", ".x.gcode.copy-short", "keep.gcode", "notes.copy-abcdef"};
        for (const QString &name : kept)
            write(m_stickFolder + '/' + name, "mine");
        ShowDisk *page = openPage(ShowDisk::instShowDisk, From_LocalMemory);
        selectFile(page, "big.gcode");
        m_gate.install(2); // the temporary file holds a block by then
        clickPastGuard(page->findChild<QPushButton *>("btn_copy"));
        QTRY_VERIFY_WITH_TIMEOUT(m_gate.entered(), kWaitMs);
        unplug();
        m_gate.release();
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Copy Failed(0)"), kWaitMs);
        QCOMPARE(copyLeftoversIn(m_stickFolder).size(), 1);
        closeAll();

        plug();
        QCOMPARE(entriesOf(m_stickFolder).join(" "), kept.join(" "));
        QCOMPARE(QDir(m_media).entryList(QDir::Files | QDir::Hidden), kept);
    }
};

QTEST_MAIN(TestCopyPages)
#include "tst_copypages.moc"
