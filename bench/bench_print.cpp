// Streams a 100,000-line sliced file through the print engine against the
// simulated board, unthrottled and at the line rate of 115200 baud 8N1.
#include "benchclock.h"
#include "getconfigfile.h"
#include "config.h"
#include "sandbox.h"
#include "serialobject.h"
#include "sysroot.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>
#include <thread>

namespace {
constexpr int kLines = 100000;

// Sliced-looking moves with comments and blank lines among them.
QByteArray slicedFile(qint64 &wireBytes)
{
    QByteArray g;
    g.reserve(kLines * 40);
    wireBytes = 0;
    double e = 0;
    for (int i = 0; i < kLines; ++i) {
        QByteArray line;
        if (i % 500 == 0)
            line = ";LAYER:" + QByteArray::number(i / 500);
        else if (i % 500 == 1)
            line = "G1 Z" + QByteArray::number(0.2 + i / 500 * 0.2, 'f', 2) + " F600";
        else {
            e += 0.04;
            line = "G1 X" + QByteArray::number(50 + (i * 7) % 200) + "." + QByteArray::number(i % 10) + " Y"
                   + QByteArray::number(50 + (i * 13) % 200) + ".5 E" + QByteArray::number(e, 'f', 4) + " F3000";
        }
        if (!line.startsWith(';'))
            wireBytes += 1 + line.size() + 2 + 6; // "~" + command + "\r\n" and a "15 ok\n" reply
        g += line + "\n";
    }
    return g;
}

void run(const char *label, bool throttled)
{
    sim::Sandbox box(1e9);
    SysRoot::setRoot(box.root());
    getConfigFile()->configFile()->reload();
    box.board().setBaudThrottle(throttled);
    qint64 wireBytes = 0;
    const QString path = box.root() + "/data/bench.gcode";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(slicedFile(wireBytes));
    f.close();

    SerialObject link("/dev/ttyS2", 131);
    link.slo_printCtlInit();
    BenchClock clock;
    long threadCpu = 0, threadSys = 0;
    std::thread t([&] {
        rusage a{}, b{};
        getrusage(RUSAGE_THREAD, &a);
        link.serialPrint(path);
        getrusage(RUSAGE_THREAD, &b);
        auto us = [](const timeval &v) { return v.tv_sec * 1000000L + v.tv_usec; };
        threadSys = us(b.ru_stime) - us(a.ru_stime);
        threadCpu = us(b.ru_utime) - us(a.ru_utime) + threadSys;
    });
    t.join();
    const double wall = clock.wallSeconds();
    const double perLineUs = double(threadCpu) / kLines;
    std::printf("%-12s %7d lines in %6.2f s  %8.0f lines/s  engine CPU %5.1f us/line (%4.1f in the kernel)", label,
                kLines, wall, kLines / wall, perLineUs, double(threadSys) / kLines);
    if (throttled) {
        const double limitSeconds = wireBytes * 10.0 / 115200.0;
        std::printf("  link busy %5.1f %% of the 115200-baud limit (%.1f s)", 100.0 * limitSeconds / wall, limitSeconds);
    }
    std::printf("\n");
    std::fflush(stdout);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    run("unthrottled", false);
    run("115200 baud", true);
    return 0;
}
