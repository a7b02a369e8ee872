#pragma once

// One factor for every wait and timer of the program's own sequences (page
// timers, step workers, engine polls). It is 1 on the device; tests and the
// simulator's fast mode set it small so that nothing sleeps for real seconds.
namespace TimeScale {

double factor();
void setFactor(double factor);

// A duration of `ms` milliseconds scaled by the factor, never below 1 ms.
int ms(int ms);

// A time limit on work outside the program's own sequences (external tools,
// the network and its clients, the board reaching an end-stop): scaled like
// a duration, but never below kLimitFloorMs (or `ms` itself when shorter),
// because such work does not get faster with the factor and takes seconds on
// a loaded machine.
constexpr int kLimitFloorMs = 10000;
int limitMs(int ms);

// A pause between two calls of an external tool (a poll): scaled, but never
// below kPollFloorMs (or `ms` itself when shorter), so that a small factor
// does not turn a poll into an endless stream of processes.
constexpr int kPollFloorMs = 1000;
int pollMs(int ms);

// Sleeps for the scaled duration on the calling thread.
void sleepMs(int ms);

} // namespace TimeScale
