#pragma once

// One factor for every wait and timer of the program's own sequences (page
// timers, step workers, engine polls). It is 1 on the device; tests and the
// simulator's fast mode set it small so that nothing sleeps for real seconds.
namespace TimeScale {

double factor();
void setFactor(double factor);

// A duration of `ms` milliseconds scaled by the factor, never below 1 ms.
int ms(int ms);

// Sleeps for the scaled duration on the calling thread.
void sleepMs(int ms);

} // namespace TimeScale
