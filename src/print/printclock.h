#pragma once

#include <QString>

// The printing page's time read-outs.
namespace PrintClock {

// "h:m" with whole hours and the minutes of the last hour, unpadded:
// 3725 s reads "1:2".
QString hoursMinutes(int seconds);

// The slicer's estimate scaled by the part of the file not yet sent.
int remainingSeconds(int estimatedSeconds, float progress);

} // namespace PrintClock
