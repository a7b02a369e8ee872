// printer-sim: runs the simulated motion board on a sandbox root until
// SIGINT or SIGTERM; SIGUSR1 and SIGUSR2 take the filament out and put it back.
#include "boardsim.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void usage(std::FILE *to)
{
    std::fprintf(to,
                 "usage: printer-sim --root DIR [--time-scale F] [--capacity N] [--throttle]\n"
                 "                   [--firmware V] [--log]\n"
                 "\n"
                 "Simulates the printer's motion board on DIR/dev/ttyS2 until SIGINT or SIGTERM.\n"
                 "\n"
                 "  --root DIR      the sandbox root (laid out by sim/make-sandbox.sh)\n"
                 "  --time-scale F  runs heating, cooling, moves and dwells F times faster\n"
                 "                  than the real machine (default 1, real time; 20 heats\n"
                 "                  a print in seconds instead of minutes)\n"
                 "  --capacity N    command-queue slots the board reports (default 16)\n"
                 "  --throttle      delays replies as the real 115200 baud line would\n"
                 "  --firmware V    the firmware version the board reports for M901\n"
                 "  --log           appends every command received to DIR/sim-commands.log\n"
                 "\n"
                 "Filament run-out: kill -USR1 PID makes the filament sensor report no\n"
                 "filament (with filament detection on, a running print pauses); kill -USR2 PID puts the filament\n"
                 "back. A silent board: kill -URG PID makes the board swallow every command\n"
                 "without a reply, the next kill -URG PID makes it answer again. run.sh prints\n"
                 "the PID.\n");
}
} // namespace

int main(int argc, char **argv)
{
    std::string root;
    double timeScale = 1.0;
    int capacity = 16;
    bool throttle = false;
    bool log = false;
    std::string firmware;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--root" && hasValue)
            root = argv[++i];
        else if (arg == "--time-scale" && hasValue)
            timeScale = std::atof(argv[++i]);
        else if (arg == "--capacity" && hasValue)
            capacity = std::atoi(argv[++i]);
        else if (arg == "--firmware" && hasValue)
            firmware = argv[++i];
        else if (arg == "--throttle")
            throttle = true;
        else if (arg == "--log")
            log = true;
        else if (arg == "--help") {
            usage(stdout);
            return 0;
        }
        else {
            usage(stderr);
            return 2;
        }
    }
    if (root.empty() || timeScale <= 0 || capacity < 1) {
        usage(stderr);
        return 2;
    }

    // Block the stop signals before the board thread starts so that only
    // sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGUSR1);
    sigaddset(&stopSignals, SIGUSR2);
    sigaddset(&stopSignals, SIGURG);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    sim::BoardSimulator board(root);
    board.setTimeScale(timeScale);
    board.setCapacity(capacity);
    board.setBaudThrottle(throttle);
    if (!firmware.empty())
        board.setFirmwareVersion(firmware);
    if (log)
        board.setCommandLogFile(root + "/sim-commands.log");
    if (!board.start()) {
        std::fprintf(stderr, "printer-sim: cannot open the serial stand-in under %s\n", root.c_str());
        return 1;
    }
    std::fprintf(stderr, "printer-sim: board on %s (%s/dev/ttyS2)\n", board.slavePath().c_str(),
                 root.c_str());

    // The filament signals flip the sensor, SIGURG the silence;
    // the others stop the board.
    int received = 0;
    bool silent = false;
    while (sigwait(&stopSignals, &received) == 0
           && (received == SIGUSR1 || received == SIGUSR2 || received == SIGURG)) {
        if (received == SIGURG) {
            silent = !silent;
            board.setSilent(silent);
            std::fprintf(stderr, "printer-sim: board %s\n", silent ? "silent" : "answers again");
            continue;
        }
        board.setFilament(received == SIGUSR1 ? sim::Filament::Absent : sim::Filament::Present);
        std::fprintf(stderr, "printer-sim: filament %s\n", received == SIGUSR1 ? "run out" : "back");
    }
    board.stop();
    return 0;
}
