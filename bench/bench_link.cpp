// Exchanges per second and CPU time per exchange of the printer link against
// the simulated board, for plain and flow-controlled commands.
#include "benchclock.h"
#include "sandbox.h"
#include "serialobject.h"
#include "sysroot.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
void measure(const char *label, int count, const std::function<void(int)> &exchange)
{
    BenchClock clock;
    for (int i = 0; i < count; ++i)
        exchange(i);
    const double wall = clock.wallSeconds();
    std::printf("%-34s %8d exchanges  %9.0f /s  %7.1f us CPU each (whole process, board included)\n", label, count,
                count / wall, clock.cpuSeconds() * 1e6 / count);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    sim::Sandbox box(1e6);
    if (!box.isValid())
        return 1;
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
    return 0;
}
