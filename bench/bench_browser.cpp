// The file browser on a big folder, in the real main window against the
// simulated board: how soon it shows the first page of 2,000 headed files
// with its thumbnails, and the program's memory after paging through all of
// them, closing the browser and printing; then how soon the first page of
// 20,000 files is there. The memory figure is the process's peak resident
// size (the simulated board runs in this process too).
#include "benchheadedfile.h"
#include "buildprint.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "onetimesclicked.h"
#include "pageopener.h"
#include "printericons.h"
#include "printertranslations.h"
#include "showdisk.h"
#include "simfixture.h"
#include "thumbnailcache.h"
#include "timescale.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QToolButton>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

constexpr int kFolderFiles = 2000;
constexpr int kBigFolderFiles = 20000;
constexpr int kWaitMs = 60000;
// A short print the board can run to the end.
const QByteArray kPrintableGcode =
    "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nM82\nG92 E0\nG1 Z0.3 F600\nG1 X10 Y12 E0.5 F1800\n";

// A figure of /proc/self/status in megabytes ("VmHWM", "VmRSS").
double statusMegabytes(const char *field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field)) + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

bool waitUntil(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(kWaitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void tap(QAbstractButton *button)
{
    waitUntil([] { return !OneTimesClicked()->isHasClicked(); });
    button->click();
}

bool writeHeadedFiles(const QString &folder, int from, int to)
{
    for (int i = from; i < to; ++i) {
        QFile file(QString("%1/part%2.gx").arg(folder).arg(i, 5, 10, QChar('0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(benchHeadedFile(i, kPrintableGcode)) < 0) {
            std::printf("cannot write the folder of headed files\n");
            return false;
        }
    }
    return true;
}

// Opens the browser on local storage; returns it once the first page's
// thumbnails are there, with the milliseconds that took.
ShowDisk *openFirstPage(int &loaded, qint64 &firstPageMs)
{
    QElapsedTimer opening;
    opening.start();
    ShowDisk *page = openPage(ShowDisk::instShowDisk, From_LocalMemory);
    QObject::connect(page->findChild<ThumbnailCache *>(), &ThumbnailCache::loaded, [&loaded] { ++loaded; });
    waitUntil([&loaded] { return loaded >= 7; });
    firstPageMs = opening.elapsed();
    return page;
}

// Pages from the first page to the last, each time until the rows' thumbnails
// have arrived (`loaded` counts them). Returns the number of thumbnails read.
int pageThroughEveryThumbnail(ShowDisk *page, const int &loaded)
{
    auto *counter = page->findChild<QLabel *>("show");
    auto *down = page->findChild<QToolButton *>("down");
    int expected = 0;
    for (;;) {
        expected = qMin(expected + 7, kFolderFiles);
        if (!waitUntil([&] { return loaded >= expected; }))
            break;
        if (!down->isEnabled())
            break;
        const QString before = counter->text();
        tap(down);
        waitUntil([&] { return counter->text() != before; });
    }
    return loaded;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TimeScale::setFactor(0.01);
    initPrinterIcons();
    initPrinterTranslations();
    auto fx = std::make_unique<SimFixture>();
    if (!fx->ok())
        return 1;
    Config *config = getConfigFile()->configFile();
    config->reload();
    config->setBuzzerStatus(false);
    config->setFilamentDetect(false);
    if (!ExecuteGetSerialObject()->serial())
        return 1;
    MainWindow::setLanPorts(0, 0);
    auto *main = new MainWindow;
    main->show();
    if (!waitUntil([main] { return main->getCurrentExtruderTemp() > 0; }))
        return 1;

    const QString data = fx->root() + "/data";
    if (!writeHeadedFiles(data, 0, kFolderFiles))
        return 1;
    settle();
    const double beforeMb = statusMegabytes("VmRSS:");

    int loaded = 0;
    qint64 firstPageMs = 0;
    ShowDisk *page = openFirstPage(loaded, firstPageMs);
    const int thumbnails = pageThroughEveryThumbnail(page, loaded);
    const double browsedMb = statusMegabytes("VmRSS:");
    page->close();
    settle();
    const double closedMb = statusMegabytes("VmRSS:");

    openPage(BuildPrint::instBuildPrint, data + "/part00000.gx", false);
    const bool printed = waitUntil([] { return !BuildPrint::instBuildPrint; })
                         && fx->count("G1 X10 Y12 E0.5 F1800") == 1;
    const double printedMb = statusMegabytes("VmRSS:");
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->close();
    settle();

    if (!writeHeadedFiles(data, kFolderFiles, kBigFolderFiles))
        return 1;
    settle();
    int bigLoaded = 0;
    qint64 bigFirstPageMs = 0;
    openFirstPage(bigLoaded, bigFirstPageMs)->close();
    settle();

    std::printf("browser on %d headed files (%s platform): first page with its thumbnails after %lld ms\n",
                kFolderFiles, qPrintable(QGuiApplication::platformName()), static_cast<long long>(firstPageMs));
    std::printf("browser on %d headed files: first page with its thumbnails after %lld ms\n", kBigFolderFiles,
                static_cast<long long>(bigFirstPageMs));
    std::printf("browser memory (%s platform): %d thumbnails of %d files paged through, then a print%s;\n"
                "  resident before browsing %.1f MB, after paging %.1f MB, browser closed %.1f MB, "
                "after the print %.1f MB; peak %.1f MB\n",
                qPrintable(QGuiApplication::platformName()), thumbnails, kFolderFiles, printed ? "" : " (NOT FINISHED)",
                beforeMb, browsedMb, closedMb, printedMb, statusMegabytes("VmHWM:"));
    delete main;
    fx.reset();
    return 0;
}
