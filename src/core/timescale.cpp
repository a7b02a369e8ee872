#include "timescale.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {
double initialFactor()
{
    // The sandbox run script may ask for a faster machine.
    if (const char *env = std::getenv("PRINTER_TIME_SCALE")) {
        const double f = std::atof(env);
        if (f > 0)
            return f;
    }
    return 1.0;
}
std::atomic<double> scaleFactor{initialFactor()};
} // namespace

namespace TimeScale {

double factor() { return scaleFactor.load(); }

void setFactor(double f)
{
    if (f > 0)
        scaleFactor.store(f);
}

int ms(int ms)
{
    const double scaled = ms * scaleFactor.load();
    return scaled < 1.0 ? 1 : static_cast<int>(scaled + 0.5);
}

int limitMs(int limit)
{
    return std::max(ms(limit), std::min(limit, kLimitFloorMs));
}

int pollMs(int pause)
{
    return std::max(ms(pause), std::min(pause, kPollFloorMs));
}

void sleepMs(int duration)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms(duration)));
}

} // namespace TimeScale
