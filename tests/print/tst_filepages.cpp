// The file pages against the real main window, the real printing page and
// the simulated board, with a USB stick plugged and pulled through the
// program's own hot-plug handling (sim/usb-stick and the mount stand-ins).
#include "buildprint.h"
#include "onetimesclicked.h"
#include "pageopener.h"
#include "printertranslations.h"
#include "questions.h"
#include "screencheck.h"
#include "showdiskitem.h"
#include "stickpages.h"
#include "thumbnail.h"
#include "thumbnailcache.h"
#include "twobuttondialog.h"
#include "verifiedcopy.h"

#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QThreadPool>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A thumbnail of one colour.
QByteArray pngOf(const QColor &colour)
{
    return ::pngOf(QSize(40, 40), colour);
}

QByteArray headedFile(const QByteArray &picture, const QByteArray &gcode = "G28\nM104 S200\n")
{
    HeaderFields fields;
    fields.imgStart0 = 60;
    fields.imgStart1 = 60 + picture.size();
    fields.gcodeStart = fields.imgStart1;
    fields.timeUsed = 3725;
    fields.materialUsed = 2500;
    return headerBytes(fields) + picture + gcode;
}

// A short print the board can run to the end; `mark` makes its one
// extruding move recognisable.
QByteArray printableGcode(int mark)
{
    return "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nM82\nG92 E0\nG1 Z0.3 F600\nG1 X"
           + QByteArray::number(mark) + " Y12 E0.5 F1800\n";
}

QImage imageOf(const QLabel *label)
{
    return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32);
}

void waitForClickGuard()
{
    QTRY_VERIFY_WITH_TIMEOUT(!OneTimesClicked()->isHasClicked(), 2000);
}

template <class Button>
void tap(Button *button)
{
    waitForClickGuard();
    QVERIFY(button && button->isEnabled());
    button->click();
}

QStringList shownNames(ShowDisk *page)
{
    QStringList names;
    for (ShowDiskItem *row : page->findChildren<ShowDiskItem *>())
        if (row->isVisible())
            names << row->itemText();
    return names;
}


QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void checkScreen(QWidget *screen, const QString &name)
{
    QCoreApplication::processEvents();
    ScreenCheck::save(screen, name); // before the check, to look at a failure
    const QStringList clipped = ScreenCheck::clippedTexts(screen);
    QVERIFY2(clipped.isEmpty(), qPrintable(name + ": " + clipped.join(" | ")));
}

// Lets the process write no file beyond `bytes` while it lives: the copying
// thread then meets a write error part-way, as on a full medium.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

// A stick file that stops answering, as a stick that hangs mid-read: the
// listed file is swapped for a pipe, so that whoever reads it waits until the
// test lets it go. The watchdog lets it go by itself after `limitMs`, so that
// a GUI thread that waits for the reader fails the test instead of hanging.
class HangingFile {
public:
    explicit HangingFile(const QString &path) : m_path(QFile::encodeName(path))
    {
        const QByteArray pipe = m_path + ".pipe";
        m_ok = ::mkfifo(pipe.constData(), 0644) == 0 && ::rename(pipe.constData(), m_path.constData()) == 0;
    }
    ~HangingFile()
    {
        release();
        if (m_watchdog.joinable())
            m_watchdog.join();
    }
    bool ok() const { return m_ok; }

    // True once a reader has opened the file; it then waits in its read.
    bool readerWaiting()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_writer < 0 && !m_released)
            m_writer = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        return m_writer >= 0;
    }

    void armWatchdog(int limitMs)
    {
        m_watchdog = std::thread([this, limitMs] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (!m_releasedChanged.wait_for(lock, std::chrono::milliseconds(limitMs), [this] { return m_released; })) {
                m_forced = true;
                closeWriter();
            }
        });
    }

    // The reader sees the end of the file (a short header: no thumbnail).
    void release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        closeWriter();
        m_releasedChanged.notify_all();
    }

    bool releasedByWatchdog()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_forced;
    }

private:
    void closeWriter()
    {
        if (m_writer >= 0)
            ::close(m_writer);
        m_writer = -1;
    }

    const QByteArray m_path;
    bool m_ok = false;
    std::mutex m_mutex;
    std::condition_variable m_releasedChanged;
    std::thread m_watchdog;
    int m_writer = -1;
    bool m_released = false;
    bool m_forced = false;
};

} // namespace

class TestFilePages : public QObject, protected StickPages {
    Q_OBJECT

    // Files on the stick are written into its folder: the program sees them
    // under /media while it is mounted.
    QString onStick(const QString &name, const QByteArray &bytes = "G28\n")
    {
        write(m_stickFolder + '/' + name, bytes);
        return m_media + '/' + name;
    }

    QString local(const QString &name, const QByteArray &bytes = "G28\n")
    {
        return write(m_local + '/' + name, bytes);
    }

    // Headed files named <stem>0.gx, <stem>1.gx, ... whose thumbnails differ,
    // listed in that order (each a minute older than the one before).
    void writeHeadedFiles(const QString &folder, const QString &stem, int count)
    {
        const QDateTime newest = QDateTime::currentDateTime().addDays(-1);
        for (int i = 0; i < count; ++i) {
            const QString path = write(folder + QString("/%1%2.gx").arg(stem).arg(i),
                                       headedFile(pngOf(QColor::fromHsv(i * 4 % 360, 255, 128 + i % 2 * 127))));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(newest.addSecs(-60 * i), QFileDevice::FileModificationTime));
        }
    }

    // Waits until every shown print row shows its own thumbnail.
    static void waitForThumbnails(ShowDisk *page)
    {
        for (const QString &name : shownNames(page)) {
            const QImage expected = ShowDisk::getPixmap(page->currentFolder() + '/' + name, 28, 28)
                                        .toImage()
                                        .convertToFormat(QImage::Format_RGB32);
            QVERIFY(!expected.isNull());
            QTRY_COMPARE(imageOf(rowNamed(page, name)->findChild<QLabel *>("label_icon")), expected);
        }
    }

    ShowDisk *openBrowser(ShowFilesFromWhere from)
    {
        return openPage(ShowDisk::instShowDisk, from);
    }

    BuildPreview *openPreview(const QString &path)
    {
        return openPage(BuildPreview::instBuildPreview, path);
    }

    // Lets a print the page started run to its end.
    void waitForPrintToFinish()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!BuildPrint::instBuildPrint, kWaitMs);
        QTRY_COMPARE(messageShown(), QString("Build completed!"));
        closeMessage();
        QCOMPARE(m_main->machineStatus.load(), MACHINE_STATUS_READY);
    }

private slots:
    void initTestCase()
    {
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        start([] { getConfigFile()->configFile()->setFilamentDetect(false); });
        QVERIFY(m_main);
        QTRY_VERIFY_WITH_TIMEOUT(m_main->getCurrentExtruderTemp() > 0, kWaitMs);
    }

    void init()
    {
        emptyFolders();
        fx->board().clearLog();
    }

    void cleanup()
    {
        m_gate.release();
        VerifiedCopy::setBlockFilterForTesting(nullptr);
        if (BuildPrint::instBuildPrint)
            BuildPrint::instBuildPrint->printStop();
        QTRY_VERIFY_WITH_TIMEOUT(!BuildPrint::instBuildPrint, kWaitMs);
        closeAll();
    }

    void cleanupTestCase() { stop(); }

    void chooserFollowsTheStick()
    {
        unplug();
        auto *chooser = openPage(UDiskAndLocalMemory::instUDiskAndLocalMemory);
        auto *usb = chooser->findChild<QToolButton *>("btn_UDisk");
        QVERIFY(!usb->isEnabled());
        plug();
        QVERIFY(usb->isEnabled());

        tap(chooser->findChild<QToolButton *>("btn_localMemory"));
        QVERIFY(ShowDisk::instShowDisk);
        QCOMPARE(ShowDisk::instShowDisk->currentFolder(), m_local);
        ShowDisk *first = ShowDisk::instShowDisk;
        tap(usb); // a browser is open already
        QCOMPARE(ShowDisk::instShowDisk, first);
        first->close();
        QTRY_VERIFY(!ShowDisk::instShowDisk);
        tap(usb);
        QVERIFY(ShowDisk::instShowDisk);
        QCOMPARE(ShowDisk::instShowDisk->currentFolder(), m_media);
        ShowDisk::instShowDisk->close();
        QTRY_VERIFY(!ShowDisk::instShowDisk);

        unplug();
        QVERIFY(!usb->isEnabled());
        tap(chooser->findChild<QToolButton *>("btn_back"));
        QTRY_VERIFY(!UDiskAndLocalMemory::instUDiskAndLocalMemory);
    }

    // The chooser's two buttons as drawn, in every offered language: round
    // at every corner, and "USB Device" without a stick evenly grey with
    // text and picture darker than the grey.
    void chooserButtonsReadWell()
    {
        unplug();
        for (const QString &language : ScreenCheck::offeredLanguages()) {
            QTranslator translator;
            QVERIFY(ScreenCheck::installCatalogue(translator, language));
            auto *chooser = openPage(UDiskAndLocalMemory::instUDiskAndLocalMemory);
            QCoreApplication::processEvents();
            const QImage page = chooser->grab().toImage();
            for (const char *name : {"btn_localMemory", "btn_UDisk"}) {
                const QRect button = chooser->findChild<QToolButton *>(name)->geometry();
                const QColor beside = page.pixelColor(button.left() - 2, button.top());
                QCOMPARE(page.pixelColor(button.topLeft()), beside);
                QCOMPARE(page.pixelColor(button.topRight()), beside);
                QCOMPARE(page.pixelColor(button.bottomLeft()), beside);
            }
            const QRect usb = chooser->findChild<QToolButton *>("btn_UDisk")->geometry();
            const QColor grey("#cccccc");
            for (int y = usb.top() + 2; y < usb.top() + 12; ++y)
                QCOMPARE(page.pixelColor(usb.center().x(), y), grey);
            // Text (lower part) and picture (upper part) each hold strokes
            // well darker than the grey.
            for (const QRect &part : {QRect(usb.left(), usb.top(), usb.width(), usb.height() * 2 / 3),
                                      QRect(usb.left(), usb.top() + usb.height() * 2 / 3, usb.width(),
                                            usb.height() / 3)}) {
                int darkest = 255;
                for (int y = part.top(); y <= part.bottom(); ++y)
                    for (int x = part.left() + 8; x <= part.right() - 8; ++x)
                        darkest = qMin(darkest, page.pixelColor(x, y).value());
                QVERIFY2(darkest < grey.value() - 80, qPrintable(language + ": " + QString::number(darkest)));
            }
            ScreenCheck::saveScreen(language + "_chooser_without_stick");
            plug();
            QVERIFY(chooser->findChild<QToolButton *>("btn_UDisk")->isEnabled());
            ScreenCheck::saveScreen(language + "_chooser");
            unplug();
            chooser->close();
            QTRY_VERIFY(!UDiskAndLocalMemory::instUDiskAndLocalMemory);
            QCoreApplication::removeTranslator(&translator);
        }
    }

    void listsFoldersThenFilesAndPages()
    {
        onStick("d.txt");
        onStick("Zeta/inner.gcode");
        onStick("alpha/x.g");
        onStick("c.gcode");
        onStick("b.gx");
        onStick("a.g");
        for (int i = 0; i < 10; ++i) {
            QFile file(m_stickFolder + QString("/n%1.g").arg(i));
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.setFileTime(QDateTime(QDate(2021, 1, 1), QTime(0, i)), QFileDevice::FileModificationTime));
        }
        ShowDisk *page = openBrowser(From_UDisk);
        auto *counter = page->findChild<QLabel *>("show");
        QCOMPARE(shownNames(page), (QStringList{"alpha", "Zeta", "a.g", "n9.g", "n8.g", "n7.g", "n6.g"}));
        QCOMPARE(counter->text(), QString("1/3"));
        QVERIFY(!page->findChild<QToolButton *>("up")->isEnabled());
        tap(page->findChild<QToolButton *>("down"));
        tap(page->findChild<QToolButton *>("down"));
        QCOMPARE(counter->text(), QString("3/3"));
        QCOMPARE(shownNames(page), QStringList{"c.gcode"});
        QVERIFY(!page->findChild<QToolButton *>("down")->isEnabled());

        tap(page->findChild<QToolButton *>("up"));
        tap(page->findChild<QToolButton *>("up"));
        touch(rowNamed(page, "alpha"));
        QCOMPARE(page->currentFolder(), m_media + "/alpha");
        QCOMPARE(shownNames(page), (QStringList{"..", "x.g"}));
        QCOMPARE(counter->text(), QString("1/1"));
        touch(rowNamed(page, ".."));
        QCOMPARE(page->currentFolder(), m_media);
        touch(rowNamed(page, "Zeta"));
        tap(page->findChild<QToolButton *>("back"));
        QCOMPARE(page->currentFolder(), m_media);
        tap(page->findChild<QToolButton *>("back"));
        QTRY_VERIFY(!ShowDisk::instShowDisk);
    }

    // The stick is mounted with UTF-8 names: Chinese and German names are
    // listed and opened as they are.
    void foreignNamesListAndOpen()
    {
        onStick(QString::fromUtf8("模型 Würfel.gcode"), printableGcode(45));
        ShowDisk *page = openBrowser(From_UDisk);
        QCOMPARE(shownNames(page), QStringList{QString::fromUtf8("模型 Würfel.gcode")});
        touch(rowNamed(page, QString::fromUtf8("模型 Würfel.gcode")));
        QTRY_VERIFY(BuildPreview::instBuildPreview);
        QCOMPARE(BuildPreview::instBuildPreview->findChild<QLabel *>("label_fileName")->text(),
                 QString::fromUtf8("模型 Würfel.gcode"));
        tap(BuildPreview::instBuildPreview->findChild<QToolButton *>("btn_build"));
        QVERIFY(fx->waitForCommand("G1 X45 Y12 E0.5 F1800", kWaitMs));
        waitForPrintToFinish();
    }

    void rowsShowThumbnailsOrTheGenericPicture()
    {
        const QByteArray red = pngOf(Qt::red);
        local("good.gx", headedFile(red));
        HeaderFields broken; // offsets all 0
        local("broken.gx", headerBytes(broken) + red);
        local("short.gx", QByteArray(59, 'x'));
        local("plain.gcode", headedFile(red)); // not headed by its name
        ShowDisk *page = openBrowser(From_LocalMemory);
        const QImage thumbnail =
            ShowDisk::getPixmap(m_local + "/good.gx", 28, 28).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage generic = defaultPrintFilePicture(28, 28).toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!thumbnail.isNull() && thumbnail != generic);
        auto iconOf = [page](const QString &name) {
            return imageOf(rowNamed(page, name)->findChild<QLabel *>("label_icon"));
        };
        QTRY_COMPARE(iconOf("good.gx"), thumbnail);
        for (const char *name : {"broken.gx", "short.gx", "plain.gcode"})
            QCOMPARE(iconOf(name), generic);
    }

    // Paging through more thumbnails than the cache keeps: every page shows
    // its own, the cache never holds more than its bound, and the first page,
    // long pushed out, is read again.
    void thumbnailCacheKeepsItsBound()
    {
        writeHeadedFiles(m_local, "part", ThumbnailCache::kDefaultCapacity + 3 * 7);
        ShowDisk *page = openBrowser(From_LocalMemory);
        auto *cache = page->findChild<ThumbnailCache *>();
        QVERIFY(cache);
        auto *down = page->findChild<QToolButton *>("down");
        auto *up = page->findChild<QToolButton *>("up");
        for (;;) {
            waitForThumbnails(page);
            QVERIFY(cache->count() <= ThumbnailCache::kDefaultCapacity);
            if (!down->isEnabled())
                break;
            tap(down);
        }
        QCOMPARE(page->findChild<QLabel *>("show")->text(), QString("13/13"));
        QCOMPARE(cache->count(), ThumbnailCache::kDefaultCapacity);
        while (up->isEnabled())
            tap(up);
        QCOMPARE(shownNames(page).first(), QString("part0.gx"));
        waitForThumbnails(page);
        QVERIFY(cache->count() <= ThumbnailCache::kDefaultCapacity);
    }

    // A stick that hangs in the middle of a thumbnail read: the browser stays
    // usable, closes at once, and the read's late end reaches nothing (the
    // page tests run again under AddressSanitizer).
    void closingDoesNotWaitForAHangingThumbnailRead()
    {
        writeHeadedFiles(m_stickFolder, "p", 8);
        ShowDisk *page = openBrowser(From_UDisk);
        auto *counter = page->findChild<QLabel *>("show");
        waitForThumbnails(page);
        HangingFile hanging(m_stickFolder + "/p7.gx"); // the second page's only row
        QVERIFY(hanging.ok());
        tap(page->findChild<QToolButton *>("down"));
        QTRY_VERIFY(hanging.readerWaiting());

        tap(page->findChild<QToolButton *>("up"));
        QCOMPARE(counter->text(), QString("1/2"));
        waitForThumbnails(page);
        tap(page->findChild<QToolButton *>("down"));
        QCOMPARE(shownNames(page), QStringList{"p7.gx"});
        QCOMPARE(imageOf(rowNamed(page, "p7.gx")->findChild<QLabel *>("label_icon")),
                 defaultPrintFilePicture(28, 28).toImage().convertToFormat(QImage::Format_RGB32));

        hanging.armWatchdog(kWaitMs);
        page->close();
        QTRY_VERIFY(!ShowDisk::instShowDisk);
        QVERIFY2(!hanging.releasedByWatchdog(), "closing the browser waited for the hanging read");
        hanging.release();
        QTRY_COMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
        QCoreApplication::processEvents();

        // The pipe is no print file: a new browser lists the other seven.
        page = openBrowser(From_UDisk);
        QCOMPARE(shownNames(page).size(), 7);
        QCOMPARE(page->findChild<QLabel *>("show")->text(), QString("1/1"));
    }

    // On a slow stick only the rows on screen are read: the rest of a page
    // passed while a read hangs is not read after it.
    void pagesPassedDuringAHangingReadAreNotRead()
    {
        writeHeadedFiles(m_stickFolder, "p", 15);
        ShowDisk *page = openBrowser(From_UDisk);
        waitForThumbnails(page);
        HangingFile hanging(m_stickFolder + "/p7.gx"); // the first row of the second page
        QVERIFY(hanging.ok());
        tap(page->findChild<QToolButton *>("down"));
        QTRY_VERIFY(hanging.readerWaiting());
        tap(page->findChild<QToolButton *>("down"));
        QCOMPARE(shownNames(page), QStringList{"p14.gx"});
        hanging.release();
        waitForThumbnails(page);
        // The first page, the pipe's empty answer and p14.gx; nothing of p8 to
        // p13, which would have been read before p14.gx.
        QCOMPARE(page->findChild<ThumbnailCache *>()->count(), 7 + 1 + 1);
    }

    void longTouchSelectsAndShortTouchPreviews()
    {
        for (const char *name : {"a.g", "b.g", "c.g"})
            local(name);
        ShowDisk *page = openBrowser(From_LocalMemory);
        auto *bar = page->findChild<QWidget *>("widget_select");
        auto *all = page->findChild<QPushButton *>("btn_selectAll");

        touch(rowNamed(page, "a.g"));
        QVERIFY(BuildPreview::instBuildPreview);
        QCOMPARE(BuildPreview::instBuildPreview->getFileName(), m_local + "/a.g");
        BuildPreview::instBuildPreview->close();
        QTRY_VERIFY(!BuildPreview::instBuildPreview);

        touch(rowNamed(page, "b.g"), true);
        QVERIFY(bar->isVisible());
        QVERIFY(!BuildPreview::instBuildPreview);
        for (const char *name : {"a.g", "b.g", "c.g"}) {
            QVERIFY(!all->isChecked());
            touch(rowNamed(page, name));
            QVERIFY(rowNamed(page, name)->isSelected());
        }
        QVERIFY(all->isChecked());
        touch(rowNamed(page, "b.g"));
        QVERIFY(!all->isChecked());

        tap(page->findChild<QToolButton *>("back")); // leaves select mode only
        QVERIFY(!page->isSelectMode() && !bar->isVisible());
        QVERIFY(ShowDisk::instShowDisk);
    }

    void browserCopiesBothWaysWithStampsAndVerification()
    {
        local("earlier.g");
        getConfigFile()->configFile()->updateFileModifyTime((m_local + "/earlier.g").toStdString());
        const QByteArray data = QByteArray(700000, 'p');
        const QStringList names = {"my part.g", "$(touch pwned).g", "it's;\"x\".g"};
        for (const QString &name : names)
            onStick(name, data + name.toUtf8());
        local("$(touch pwned).g", "old local file");

        ShowDisk *page = openBrowser(From_UDisk);
        touch(rowNamed(page, names.first()), true);
        tap(page->findChild<QPushButton *>("btn_selectAll"));

        // A medium that stores something else: nothing replaced, code 2.
        VerifiedCopy::setBlockFilterForTesting([](char *d, qint64) { d[0] = '#'; });
        tap(page->findChild<QPushButton *>("btn_copy"));
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Copy Failed(2)"), kWaitMs);
        QCOMPARE(entriesOf(m_local), (QStringList{"$(touch pwned).g", "earlier.g"}));
        QCOMPARE(contentOf(m_local + "/$(touch pwned).g"), QByteArray("old local file"));
        closeMessage();

        VerifiedCopy::setBlockFilterForTesting(nullptr);
        tap(page->findChild<QPushButton *>("btn_copy"));
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Copy Completed"), kWaitMs);
        QCOMPARE(OneButtonDialog::instOneButtonDialog->findChild<QPushButton *>("okBtn")->text(), ShowDisk::tr("Ok"));
        closeMessage();
        const QDateTime earlier = QFileInfo(m_local + "/earlier.g").lastModified();
        for (const QString &name : names) {
            QCOMPARE(contentOf(m_local + '/' + name), data + name.toUtf8());
            QVERIFY(QFileInfo(m_local + '/' + name).lastModified() > earlier);
        }
        for (const QString &folder : {QDir::currentPath(), m_local, m_stickFolder, fx->root()})
            QVERIFY(!QFile::exists(folder + "/pwned"));
        page->close();
        QTRY_VERIFY(!ShowDisk::instShowDisk);

        // Back onto the stick from local storage: the copy lands on the
        // stick itself and is not stamped.
        page = openBrowser(From_LocalMemory);
        const QStringList firstRows = shownNames(page).mid(0, 3);
        QCOMPARE(QSet<QString>(firstRows.begin(), firstRows.end()), QSet<QString>(names.begin(), names.end()));
        QCOMPARE(shownNames(page).last(), QString("earlier.g"));
        const QDateTime before = QDateTime::currentDateTime().addSecs(-5);
        touch(rowNamed(page, "earlier.g"), true);
        touch(rowNamed(page, "earlier.g"));
        tap(page->findChild<QPushButton *>("btn_copy"));
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Copy Completed"), kWaitMs);
        QCOMPARE(contentOf(m_stickFolder + "/earlier.g"), QByteArray("G28\n"));
        QVERIFY(QFileInfo(m_stickFolder + "/earlier.g").lastModified() > before);
    }

    void cancelledCopyLeavesNothing()
    {
        onStick("big.g", QByteArray(8 * 1024 * 1024, 'b'));
        ShowDisk *page = openBrowser(From_UDisk);
        touch(rowNamed(page, "big.g"), true);
        touch(rowNamed(page, "big.g"));
        // Cancel in the progress dialog as soon as data flows.
        VerifiedCopy::setBlockFilterForTesting([](char *, qint64) {
            QMetaObject::invokeMethod(qApp, [] {
                if (ProgressDialog::instProgressDialog)
                    ProgressDialog::instProgressDialog->findChild<QPushButton *>("cancelBtn")->click();
            });
        });
        tap(page->findChild<QPushButton *>("btn_copy"));
        QVERIFY(page->isCopying());
        tap(page->findChild<QToolButton *>("back")); // ignored while copying
        QVERIFY(page->isSelectMode());
        QTRY_VERIFY_WITH_TIMEOUT(!page->isCopying(), kWaitMs);
        QCOMPARE(messageShown(), QString());
        QCOMPARE(entriesOf(m_local), QStringList());
    }

    // The stick pulled while a copy from it runs: the copy stops with code 0,
    // nothing reaches /data and the stick's browser goes.
    void stickPulledDuringACopy()
    {
        onStick("part.g", QByteArray(600000, 'q'));
        local("part.g", "old");
        ShowDisk *page = openBrowser(From_UDisk);
        touch(rowNamed(page, "part.g"), true);
        touch(rowNamed(page, "part.g"));
        m_gate.install();
        tap(page->findChild<QPushButton *>("btn_copy"));
        QTRY_VERIFY(m_gate.entered());
        // Nothing copied yet: the bar stays at its start.
        QCOMPARE(ProgressDialog::instProgressDialog->findChild<QProgressBar *>("progressBar")->value(), 1);
        unplug();
        m_gate.release();
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Copy Failed(0)"), kWaitMs);
        QTRY_VERIFY(!ShowDisk::instShowDisk);
        QCOMPARE(entriesOf(m_local), QStringList{"part.g"});
        QCOMPARE(contentOf(m_local + "/part.g"), QByteArray("old"));
    }

    void stickPulledUnderOpenPagesAndQuestions()
    {
        onStick("a.gx", headedFile(pngOf(Qt::blue)));
        onStick("b.g");

        // The browser alone.
        openBrowser(From_UDisk);
        unplug();
        QTRY_VERIFY(!ShowDisk::instShowDisk);

        // The preview of a stick file goes with its browser.
        plug();
        ShowDisk *page = openBrowser(From_UDisk);
        touch(rowNamed(page, "b.g"));
        QVERIFY(BuildPreview::instBuildPreview);
        unplug();
        QTRY_VERIFY(!BuildPreview::instBuildPreview && !ShowDisk::instShowDisk);

        // A delete question open on the preview goes too; nothing deleted.
        plug();
        page = openBrowser(From_UDisk);
        touch(rowNamed(page, "a.gx"));
        onNextQuestion([this](TwoButtonDialog *) { unplug(); });
        tap(BuildPreview::instBuildPreview->findChild<QToolButton *>("btn_delete"));
        QTRY_VERIFY(!TwoButtonDialog::instTwoButtonDialog);
        QTRY_VERIFY(!BuildPreview::instBuildPreview && !ShowDisk::instShowDisk);

        // The browser's own delete question over a selection.
        plug();
        page = openBrowser(From_UDisk);
        touch(rowNamed(page, "b.g"), true);
        touch(rowNamed(page, "b.g"));
        onNextQuestion([this](TwoButtonDialog *) { unplug(); });
        tap(page->findChild<QPushButton *>("btn_delete"));
        QTRY_VERIFY(!TwoButtonDialog::instTwoButtonDialog);
        QTRY_VERIFY(!ShowDisk::instShowDisk);
        QCOMPARE(entriesOf(m_stickFolder), (QStringList{"a.gx", "b.g"}));

        // The local browser and a local preview stay, without copying.
        local("here.g");
        plug();
        page = openBrowser(From_LocalMemory);
        touch(rowNamed(page, "here.g"));
        BuildPreview *preview = BuildPreview::instBuildPreview;
        QVERIFY(preview && preview->findChild<QToolButton *>("btn_copy")->isEnabled());
        unplug();
        QVERIFY(ShowDisk::instShowDisk && BuildPreview::instBuildPreview);
        QVERIFY(!preview->findChild<QToolButton *>("btn_copy")->isEnabled());
        QVERIFY(page->findChild<QPushButton *>("btn_copy")->isHidden());
    }

    void previewShowsTheHeaderAndDeletes()
    {
        const QString path = local("part.gx", headedFile(pngOf(Qt::green)));
        ShowDisk *page = openBrowser(From_LocalMemory);
        touch(rowNamed(page, "part.gx"));
        BuildPreview *preview = BuildPreview::instBuildPreview;
        QCOMPARE(preview->findChild<QLabel *>("label_time")->text(), QString("1h 2min"));
        QCOMPARE(preview->findChild<QLabel *>("label_filament")->text(), QString("2.50m"));
        QTRY_COMPARE(imageOf(preview->findChild<QLabel *>("label_filePixmap")),
                     ShowDisk::getPixmap(path, 124, 124).toImage().convertToFormat(QImage::Format_RGB32));

        answerNextQuestion(false);
        tap(preview->findChild<QToolButton *>("btn_delete"));
        QVERIFY(QFile::exists(path) && BuildPreview::instBuildPreview);
        answerNextQuestion(true);
        tap(preview->findChild<QToolButton *>("btn_delete"));
        QTRY_VERIFY(!BuildPreview::instBuildPreview);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!rowNamed(page, "part.gx"));
    }

    void previewCopyRetriesAndKeepsTheOldFile()
    {
        BuildPreview *preview = openPreview(onStick("p q.gcode", QByteArray(300000, 's')));
        local("p q.gcode", "old");
        VerifiedCopy::setBlockFilterForTesting([](char *d, qint64) { d[0] = '#'; });
        tap(preview->findChild<QToolButton *>("btn_copy"));
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Please retry"), kWaitMs);
        QCOMPARE(entriesOf(m_local), QStringList{"p q.gcode"});
        QCOMPARE(contentOf(m_local + "/p q.gcode"), QByteArray("old"));
        closeMessage();

        VerifiedCopy::setBlockFilterForTesting(nullptr);
        tap(preview->findChild<QToolButton *>("btn_copy"));
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Copy completed"), kWaitMs);
        QCOMPARE(contentOf(m_local + "/p q.gcode"), QByteArray(300000, 's'));
    }

    // Build on a stick file hands the printing page the verified copy in
    // /data, never the stick's file; a copy that fails its comparison is
    // made again up to three times.
    void buildFromTheStickPrintsTheVerifiedLocalCopy()
    {
        const QByteArray gcode = printableGcode(41);
        BuildPreview *preview = openPreview(onStick("sub/print me.gcode", gcode));
        std::atomic<int> tries{0};
        VerifiedCopy::setBlockFilterForTesting([&tries](char *d, qint64) {
            if (++tries <= 2)
                d[0] = '#';
        });
        tap(preview->findChild<QToolButton *>("btn_build"));
        QTRY_VERIFY_WITH_TIMEOUT(BuildPrint::instBuildPrint, kWaitMs);
        QCOMPARE(tries.load(), 3);
        QCOMPARE(BuildPrint::instBuildPrint->getPrintFilePathName(), m_local + "/print me.gcode");
        QCOMPARE(contentOf(m_local + "/print me.gcode"), gcode);
        QVERIFY(!NoButtonDialog::instNoButtonDialog);
        QVERIFY(fx->waitForCommand("G1 X41 Y12 E0.5 F1800", kWaitMs));
        waitForPrintToFinish();

        // A local file prints in place.
        fx->board().clearLog();
        const QString here = local("here.gcode", printableGcode(43));
        preview->close();
        QTRY_VERIFY(!BuildPreview::instBuildPreview);
        preview = openPreview(here);
        tap(preview->findChild<QToolButton *>("btn_build"));
        QVERIFY(BuildPrint::instBuildPrint);
        QCOMPARE(BuildPrint::instBuildPrint->getPrintFilePathName(), here);
        QVERIFY(fx->waitForCommand("G1 X43 Y12 E0.5 F1800", kWaitMs));
        waitForPrintToFinish();
    }

    // /data too small for the file: refused before a byte is copied. /data
    // that cannot take the copy (a write error part-way, as on a full
    // medium) or keeps storing something else: "Please retry", the older
    // file of that name intact, nothing printed.
    void buildWithAFailingDataStorageKeepsTheOldFile()
    {
        {
            BuildPreview *preview = openPreview(onStick("huge.gcode"));
            QFile huge(m_stickFolder + "/huge.gcode");
            QVERIFY(huge.resize(qint64(1) << 42)); // sparse, 4 TB
            std::atomic<int> blocks{0};
            VerifiedCopy::setBlockFilterForTesting([&blocks](char *, qint64) { ++blocks; });
            tap(preview->findChild<QToolButton *>("btn_build"));
            QTRY_COMPARE(messageShown(), QString("Storage space is not enough"));
            VerifiedCopy::setBlockFilterForTesting(nullptr);
            QCOMPARE(blocks.load(), 0);
            QCOMPARE(entriesOf(m_local), QStringList());
            closeMessage();
            preview->close();
            QTRY_VERIFY(!BuildPreview::instBuildPreview);
            QVERIFY(huge.remove());
        }

        const QByteArray gcode = printableGcode(47) + QByteArray(3 * 1024 * 1024, '\n');
        BuildPreview *preview = openPreview(onStick("big.gcode", gcode));
        local("big.gcode", "old print");
        {
            FileSizeLimit full(1024 * 1024);
            QVERIFY(full.ok());
            tap(preview->findChild<QToolButton *>("btn_build"));
            QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Please retry"), kWaitMs);
        }
        QVERIFY(!NoButtonDialog::instNoButtonDialog);
        QCOMPARE(entriesOf(m_local), QStringList{"big.gcode"});
        QCOMPARE(contentOf(m_local + "/big.gcode"), QByteArray("old print"));
        closeMessage();

        std::atomic<int> tries{0};
        VerifiedCopy::setBlockFilterForTesting([&tries](char *d, qint64) {
            if (d[0] == 'M') { // the first block of each try
                ++tries;
                d[0] = '#';
            }
        });
        tap(preview->findChild<QToolButton *>("btn_build"));
        QTRY_COMPARE_WITH_TIMEOUT(messageShown(), QString("Please retry"), kWaitMs);
        QCOMPARE(tries.load(), 3);
        QCOMPARE(entriesOf(m_local), QStringList{"big.gcode"});
        QCOMPARE(contentOf(m_local + "/big.gcode"), QByteArray("old print"));
        QVERIFY(!BuildPrint::instBuildPrint);
        QVERIFY(!fx->motionCommands().contains("G1 X47 Y12 E0.5 F1800"));
    }

    void screensFitInEveryOfferedLanguage()
    {
        for (int i = 0; i < 9; ++i)
            onStick(QString("benchy part %1.gx").arg(i), headedFile(pngOf(QColor::fromHsv(i * 40, 200, 220))));
        onStick("models/a.g");
        onStick("big.g", QByteArray(600000, 'b'));
        for (const QString &language : ScreenCheck::offeredLanguages()) {
            QTranslator translator;
            QVERIFY(ScreenCheck::installCatalogue(translator, language));

            UDiskAndLocalMemory *chooser = openPage(UDiskAndLocalMemory::instUDiskAndLocalMemory);
            checkScreen(chooser, language + "_chooser");

            ShowDisk *page = openBrowser(From_UDisk);
            const QString shown = shownNames(page).at(2);
            QTRY_VERIFY(imageOf(rowNamed(page, shown)->findChild<QLabel *>("label_icon"))
                        != defaultPrintFilePicture(28, 28).toImage().convertToFormat(QImage::Format_RGB32));
            checkScreen(page, language + "_browser");

            touch(rowNamed(page, shown), true);
            touch(rowNamed(page, shown));
            checkScreen(page, language + "_selectbar");

            BuildPreview *preview = openPreview(m_media + "/benchy part 3.gx");
            QTRY_VERIFY(imageOf(preview->findChild<QLabel *>("label_filePixmap"))
                        != defaultPrintFilePicture(124, 124).toImage().convertToFormat(QImage::Format_RGB32));
            checkScreen(preview, language + "_preview");
            preview->close();
            QTRY_VERIFY(!BuildPreview::instBuildPreview);

            // A real copy held after its first block.
            tap(page->findChild<QToolButton *>("back"));
            touch(rowNamed(page, "big.g"), true);
            touch(rowNamed(page, "big.g"));
            m_gate.install(2);
            tap(page->findChild<QPushButton *>("btn_copy"));
            QTRY_VERIFY(m_gate.entered());
            QVERIFY(ProgressDialog::instProgressDialog);
            auto *bar = ProgressDialog::instProgressDialog->findChild<QProgressBar *>("progressBar");
            QTRY_COMPARE(bar->value(), 256 * 1024 * 100 / 600000);
            checkScreen(ProgressDialog::instProgressDialog, language + "_copying");
            m_gate.release();
            // The result comes queued after the copy thread ends: wait for it,
            // or it appears after closeAll().
            QTRY_COMPARE_WITH_TIMEOUT(messageShown(), ShowDisk::tr("Copy Completed"), kWaitMs);
            VerifiedCopy::setBlockFilterForTesting(nullptr);

            closeAll();
            QFile::remove(m_local + "/big.g");
            QCoreApplication::removeTranslator(&translator);
        }
    }
};

QTEST_MAIN(TestFilePages)
#include "tst_filepages.moc"
