// The printer link against the simulated board: exchanges per second and CPU
// time per exchange for plain and flow-controlled commands, and the longest
// stall of the GUI thread when the board falls silent under a page that talks
// to it (steps-per-mm Save, opening the levelling page, homing), with the
// main window's status poll running and the device's reply time, and how
// soon a homing under way gives Back back then; with a reply that comes late,
// the GUI thread's longest stall during a Save and how soon a jog's stop
// reaches the board; and the longest stall while the printing page pauses
// behind a queue of long moves, with every reply in time and with a late one.
#include "benchclock.h"
#include "buildprint.h"
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
#include <QFile>
#include <QPushButton>
#include <QToolButton>
#include <QTest>
#include <QTimer>

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

// A print of 30 mm moves, one second each at the board's real speed.
QString longMovesFile(const QString &root)
{
    QByteArray g = "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nM82\nG92 E0\nG1 Z0.3 F600\n";
    for (int i = 0; i < 20000; ++i)
        g += "G1 X" + QByteArray(i % 2 ? "10" : "40") + " Y10 E" + QByteArray::number(i * 1.5, 'f', 1) + " F1800\n";
    const QString path = root + "/data/long.gcode";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(g) != g.size())
        return QString();
    return path;
}

// From the press of pause until the page shows the head parked: the park
// waits behind 16 queued moves of over three seconds each, then the board
// runs them at once and the page finds it idle. The page resumes after.
void pauseBehindLongMoves(SimFixture &fx, StallProbe &probe, const char *what, const std::function<void()> &before)
{
    BuildPrint *page = BuildPrint::instBuildPrint;
    fx.board().setTimeScale(0.3);
    (void)QTest::qWaitFor([&] { return fx.board().queuedCommands() == 16; }, 30000);
    const int parks = fx.count("G1 X150 Y150 F2000");
    before();
    probe.takeWorstStallMs();
    page->printPause();
    (void)QTest::qWaitFor([&] { return fx.count("G1 X150 Y150 F2000") > parks; }, 120000);
    fx.board().setTimeScale(1000);
    auto *resume = page->findChild<QToolButton *>("play_pause");
    (void)QTest::qWaitFor([&] { return resume->isEnabled(); }, 30000);
    std::printf("%-52s longest GUI stall %6lld ms\n", what, static_cast<long long>(probe.takeWorstStallMs()));
    page->printContinue();
    (void)QTest::qWaitFor([&] { return fx.count("G1 X40 Y10 F3000") + fx.count("G1 X10 Y10 F3000") > 0; }, 30000);
}

// On the machine of the silence figures, whose board answers again.
void pauseFigures(SimFixture &fx, StallProbe &probe)
{
    fx.board().setTimeScale(1000);
    getConfigFile()->configFile()->setFilamentDetect(false);
    const QString path = longMovesFile(fx.root());
    BuildPrint::instBuildPrint = new BuildPrint(path, false);
    (void)QTest::qWaitFor([] { return BuildPrint::instBuildPrint->getPrinterFileSendStatus(); }, 60000);
    (void)QTest::qWaitFor([&] { return fx.count("G1 X40 Y10 E30.0 F1800") > 0; }, 60000);
    pauseBehindLongMoves(fx, probe, "pause behind long moves", [] {});
    pauseBehindLongMoves(fx, probe, "... its idle poll answered after a second",
                         [&] { fx.board().delayReplyOnce("M121", 1000); });
    BuildPrint::instBuildPrint->printStop();
    (void)QTest::qWaitFor([] { return BuildPrint::instBuildPrint == nullptr; }, 60000);
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

    lateReplyFigures(fx, probe);
    pauseFigures(fx, probe);
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    throughput();
    silenceFigures();
    return 0;
}
