// The printer link against the simulated board: exchanges per second and CPU
// time per exchange for plain and flow-controlled commands, and the longest
// stall of the GUI thread when the board falls silent under a page that talks
// to it (steps-per-mm Save, opening the levelling page, homing), with the
// main window's status poll running and the device's reply time; and, with a
// reply that comes late, the GUI thread's longest stall during a Save and how
// soon a jog's stop reaches the board.
#include "benchclock.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "config.h"
#include "home.h"
#include "manual.h"
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
#include <QToolButton>
#include <QTest>

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

// A healthy board whose reply to one command comes seconds late.
void lateReplyFigures(SimFixture &fx, StallProbe &probe)
{
    constexpr int kLateMs = 3000;
    TransmissionRatio *ratio = openPage(TransmissionRatio::instTransmissionRatio);
    QTest::mouseClick(ratio->findChildren<QPushButton *>("btn_add").first(), Qt::LeftButton);
    const int x = getConfigFile()->configFile()->getTransmissionRatioX() + 1;
    fx.board().delayReplyOnce(QStringLiteral("M92 X%1").arg(x).toStdString(), kLateMs);
    probe.takeWorstStallMs();
    ratio->findChild<QPushButton *>("btn_save")->click();
    (void)QTest::qWaitFor([] { return OneButtonDialog::instOneButtonDialog != nullptr; }, 4 * kLateMs);
    std::printf("%-52s longest GUI stall %6lld ms\n", "steps-per-mm Save, M92 reply 3 s late",
                static_cast<long long>(probe.takeWorstStallMs()));
    delete OneButtonDialog::instOneButtonDialog;
    delete ratio;

    fx.board().placeHead({100, 100, 100, 0});
    Manual *jog = openPage(Manual::instManual);
    fx.board().delayReplyOnce("G1 X305 F2000", kLateMs);
    QTest::mousePress(jog->findChild<QToolButton *>("Xp"), Qt::LeftButton);
    (void)QTest::qWaitFor([&] { return fx.count("G1 X305 F2000") > 0; }, 5000);
    const int stopsBefore = fx.count("M112");
    QElapsedTimer sinceRelease;
    sinceRelease.start();
    QTest::mouseRelease(jog->findChild<QToolButton *>("Xp"), Qt::LeftButton);
    (void)QTest::qWaitFor([&] { return fx.count("M112") > stopsBefore; }, 4 * kLateMs);
    std::printf("%-52s stop on the board after %6lld ms\n", "jog release, press reply 3 s late",
                static_cast<long long>(sinceRelease.elapsed()));
    delete jog;
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
    openPage(Home::instHome);
    (void)QTest::qWaitFor([&] { return fx.count("G1 X-320 F3000") > 0; }, 5000);
    silence(fx, probe, "homing as the board falls silent", [&] { fx.board().setSilent(true); });
    delete Home::instHome;

    lateReplyFigures(fx, probe);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    throughput();
    silenceFigures();
    return 0;
}
