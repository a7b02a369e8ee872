// The printer link against the simulated board: exchanges per second and CPU
// time per exchange for plain and flow-controlled commands, and the longest
// stall of the GUI thread when the board falls silent under a page that talks
// to it (steps-per-mm Save, opening the levelling page, homing), with the
// main window's status poll running and the device's reply time, and how
// soon a homing under way gives Back back then.
#include "benchclock.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "config.h"
#include "home.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "pageopener.h"
#include "platformlevel.h"
#include "printericons.h"
#include "serialobject.h"
#include "simfixture.h"
#include "stallprobe.h"
#include "stringbrevik.h"
#include "sysroot.h"
#include "transmissionratio.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
void measure(const char *label, int count, const std::function<void(int)> &exchange)
{
    BenchClock clock;
    double longest = 0;
    for (int i = 0; i < count; ++i) {
        BenchClock one;
        exchange(i);
        longest = std::max(longest, one.wallSeconds());
    }
    const double wall = clock.wallSeconds();
    std::printf("%-34s %8d exchanges  %9.0f /s  %7.1f us CPU each (whole process, board included), longest %.1f ms\n",
                label, count, count / wall, clock.cpuSeconds() * 1e6 / count, longest * 1e3);
}

void throughput()
{
    sim::Sandbox box(1e6);
    if (!box.isValid())
        return;
    SysRoot::setRoot(box.root());
    SerialObject link("/dev/ttyS2", 131);
    const int n = 20000;
    measure("plain M105", n, [&](int) { link.serialCheckCode(QStringLiteral("M105")); });
    measure("flow-controlled G1 (free slots)", n,
            [&](int i) { link.serialSendCode(QStringLiteral("G1 X%1 F60000").arg(i % 100)); });
    box.board().setCapacity(1);
    box.board().setTimeScale(100);
    measure("flow-controlled G1 (1 slot)", 2000,
            [&](int i) { link.serialSendCode(QStringLiteral("G1 X%1 F60000").arg(i % 2)); });
}

// Watches the GUI thread from `act` on for two reply times and a little more,
// until the silence is known and the pages' own attempts have been seen; then
// the board answers again and the link is given time to find out.
void silence(SimFixture &fx, StallProbe &probe, const char *what, const std::function<void()> &act)
{
    SerialObject *link = ExecuteGetSerialObject()->serial();
    probe.takeWorstStallMs();
    act();
    QTest::qWait(12000);
    std::printf("%-52s longest GUI stall %6lld ms\n", what, static_cast<long long>(probe.takeWorstStallMs()));
    fx.board().setSilent(false);
    (void)QTest::qWaitFor(
        [link] { return link->boardResponding() && !StringBrevik::isFailure(link->serialCheckCode("M105")); }, 30000);
}

void silenceFigures()
{
    initPrinterIcons();
    SimFixture fx;
    if (!fx.ok())
        return;
    SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs); // as on the device
    getConfigFile()->configFile()->reload();
    getConfigFile()->configFile()->setBuzzerStatus(false);
    MainWindow::setLanPorts(0, 0);
    MainWindow window;
    StallProbe probe;

    TransmissionRatio *ratio = openPage(TransmissionRatio::instTransmissionRatio);
    QTest::mouseClick(ratio->findChildren<QPushButton *>("btn_add").first(), Qt::LeftButton);
    silence(fx, probe, "steps-per-mm Save while the poll meets the silence", [&] {
        fx.board().clearLog();
        fx.board().setSilent(true);
        (void)QTest::qWaitFor([&] { return fx.count("M105") > 0; }, 5000);
        ratio->findChild<QPushButton *>("btn_save")->click();
    });
    delete OneButtonDialog::instOneButtonDialog;
    delete ratio;

    silence(fx, probe, "levelling page opened as the board falls silent", [&] {
        fx.board().setSilent(true);
        openPage(PlatformLevel::instPlatformLevel);
    });
    delete PlatformLevel::instPlatformLevel;

    fx.board().placeHead({150, 150, 150, 0});
    fx.board().setTimeScale(1.0);
    Home *home = openPage(Home::instHome);
    (void)QTest::qWaitFor([&] { return fx.count("G1 X-320 F3000") > 0; }, 5000);
    // When the page gives Back back: once the link knows the board silent.
    QElapsedTimer sinceSilence;
    qint64 failedAfterMs = -1;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (failedAfterMs < 0 && home->findChild<QToolButton *>("yes")->isEnabled())
            failedAfterMs = sinceSilence.elapsed();
    });
    silence(fx, probe, "homing as the board falls silent", [&] {
        fx.board().setSilent(true);
        sinceSilence.start();
        watch.start(10);
    });
    std::printf("%-52s Back usable after %6lld ms (reply time %d ms)\n", "homing as the board falls silent",
                static_cast<long long>(failedAfterMs), 5000);
    delete Home::instHome;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    throughput();
    silenceFigures();
    return 0;
}
