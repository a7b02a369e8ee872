// printer-sim: runs the simulated motion board on a sandbox root until
// SIGINT or SIGTERM.
#include "boardsim.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
void usage()
{
    std::fprintf(stderr,
                 "usage: printer-sim --root DIR [--time-scale F] [--capacity N] [--throttle]\n"
                 "                   [--firmware V] [--log]\n");
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
            usage();
            return 0;
        }
        else {
            usage();
            return 2;
        }
    }
    if (root.empty() || timeScale <= 0 || capacity < 1) {
        usage();
        return 2;
    }

    // Block the stop signals before the board thread starts so that only
    // sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
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

    int received = 0;
    sigwait(&stopSignals, &received);
    board.stop();
    return 0;
}
