// Streams a 100,000-line sliced file through the print engine against the
// simulated board, unthrottled and at the line rate of 115200 baud 8N1; sends
// the same commands through the bare port, with no engine at all, to show
// what of the line's idle time is the pseudo-terminal's; then counts how
// often the print thread wakes while the board's queue is full.
#include "benchclock.h"
#include "getconfigfile.h"
#include "config.h"
#include "sandbox.h"
#include "serial.h"
#include "serialobject.h"
#include "sysroot.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {
constexpr int kLines = 100000;

// Bytes on the wire for one command: "~" + command + "\r\n" and a "15 ok\n" reply.
qint64 wireBytesOf(const QByteArray &command) { return 1 + command.size() + 2 + 6; }

double linkLimitSeconds(qint64 wireBytes) { return wireBytes * 10.0 / 115200.0; }

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
            wireBytes += wireBytesOf(line);
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
        const double limitSeconds = linkLimitSeconds(wireBytes);
        std::printf("  link busy %5.1f %% of the 115200-baud limit (%.1f s)", 100.0 * limitSeconds / wall, limitSeconds);
    }
    std::printf("\n");
    std::fflush(stdout);
}
// The same commands, each written and its reply read through the port with
// nothing in between: the best any sender can do on this machine's line.
void barePort(int frames)
{
    sim::Sandbox box(1e9);
    box.board().setBaudThrottle(true);
    qint64 unused = 0;
    const QList<QByteArray> lines = slicedFile(unused).split('\n');
    Serial port(box.root().toStdString() + "/dev/ttyS2");
    qint64 wireBytes = 0;
    int sent = 0;
    BenchClock clock;
    std::string reply;
    for (const QByteArray &line : lines) {
        if (sent == frames)
            break;
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (!port.writeAll("~" + line.toStdString() + "\r\n") || !port.readLine(reply, 5000)) {
            std::printf("bare port    the board did not answer\n");
            return;
        }
        wireBytes += wireBytesOf(line);
        ++sent;
    }
    const double wall = clock.wallSeconds();
    std::printf("bare port    %7d lines in %6.2f s  %8.0f lines/s  nothing but write and read:   link busy %5.1f %%\n",
                sent, wall, sent / wall, 100.0 * linkLimitSeconds(wireBytes) / wall);
    std::fflush(stdout);
}

// Context switches of one thread of this process so far.
long contextSwitches(pid_t tid)
{
    std::ifstream status("/proc/self/task/" + std::to_string(tid) + "/status");
    long total = 0;
    for (std::string line; std::getline(status, line);)
        if (line.find("ctxt_switches:") != std::string::npos)
            total += std::stol(line.substr(line.find(':') + 1));
    return total;
}

// Slow moves at the machine's real speed keep the board's queue full, so
// the print thread spends its time waiting for a free slot.
void fullQueue()
{
    sim::Sandbox box(1.0);
    SysRoot::setRoot(box.root());
    getConfigFile()->configFile()->reload();
    box.board().setCapacity(4);
    const QString path = box.root() + "/data/slow.gcode";
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int i = 0; i < 200; ++i)
        f.write(i % 2 ? "G1 X0 F600\n" : "G1 X10 F600\n"); // one second each
    f.close();

    SerialObject link("/dev/ttyS2", 131);
    link.slo_printCtlInit();
    std::atomic<pid_t> tid{0};
    std::thread t([&] {
        tid = ::gettid();
        link.serialPrint(path);
    });
    while (link.freeSlots() > 0 || tid == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    constexpr double kSeconds = 5;
    const long before = contextSwitches(tid);
    std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
    const long after = contextSwitches(tid);
    link.slo_printingQuit();
    t.join();
    std::printf("full queue   print thread %5.0f wake-ups/s while waiting for a free slot\n", (after - before) / kSeconds);
    std::fflush(stdout);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // "full-queue" alone skips the two long streaming runs.
    if (argc < 2 || std::string(argv[1]) != "full-queue") {
        run("unthrottled", false);
        run("115200 baud", true);
        barePort(20000);
    }
    fullQueue();
    return 0;
}
