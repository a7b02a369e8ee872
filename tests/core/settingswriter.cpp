// A process that changes settings through Config until tst_config kills it,
// as a power cut would (no exit, no destructor, no flush), or that ends right
// after its changes.
//
//   settingswriter <root> change   sets the language "german", the PLA nozzle
//                                  preset 215, the Wi-Fi station on and the
//                                  calibration point 3 to 0.5 once, then waits
//   settingswriter <root> exit     the same, then ends at once (status 0)
//   settingswriter <root> stream   sets serial number n, then all four steps
//                                  per mm to n, for n = 1, 2, ... endlessly
#include "config.h"
#include "sysroot.h"
#include "timescale.h"

#include <cstdio>
#include <string>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: settingswriter <root> change|stream\n");
        return 2;
    }
    SysRoot::setRoot(QString::fromLocal8Bit(argv[1]));
    const std::string mode = argv[2];
    Config *config = Config::getInstance();
    if (mode == "stream") {
        for (int i = 1;; ++i) {
            config->setPrinterSerialNumber(std::to_string(i));
            config->setTransmissionRatio(i, i, i, i);
        }
    }
    if (mode != "change" && mode != "exit")
        return 2;
    // Every wait of the program's own stretched far beyond the test's
    // patience: a write that waits for a quiet moment never comes.
    TimeScale::setFactor(1000);
    config->setPrinterLanguage("german");
    config->setPLANozzleTemperature(215);
    config->setWifiStationStatus(true);
    config->setAutoPoint3(0.5f);
    if (mode == "exit")
        return 0;
    for (;;)
        pause();
}
