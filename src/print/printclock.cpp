#include "printclock.h"

namespace PrintClock {

QString hoursMinutes(int seconds)
{
    return QString::number(seconds / 3600) + ':' + QString::number(seconds % 3600 / 60);
}

int remainingSeconds(int estimatedSeconds, float progress)
{
    return static_cast<int>(estimatedSeconds * (1.0 - static_cast<double>(progress)));
}

} // namespace PrintClock
