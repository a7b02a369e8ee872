#pragma once

#include <QString>

#include <string>
#include <vector>

// Reading the motion board's reply lines. Every reply starts with the board's
// count of free command-buffer slots and one blank; the rest depends on the
// command. The printer link returns one of the failure texts below in place of
// a reply when an exchange did not complete.
namespace StringBrevik {

extern const char *const kSendFailed;        // "send failed."
extern const char *const kGpioMutexTimeout;  // "m_gpio_mutex timeout"
extern const char *const kStatusCheckFailed; // "statusCheck failed"
extern const char *const kParseResultFailed; // "Send failed for parseResult."

// True for an empty reply and for each of the link's failure texts.
bool isFailure(const QString &reply);
bool isFailure(const std::string &reply);
// Whether the board took the command that `reply` answers: every reply says
// so, one without its slot count ("Send failed for parseResult.") included;
// the other failure texts and an empty reply say it did not.
bool commandTaken(const QString &reply);
bool commandTaken(const std::string &reply);

// The leading free-slot count; false when the reply does not start with one.
bool firstNumber(const QString &reply, int &number);
bool firstNumber(const std::string &reply, int &number);

// Whether a line is a reply the board could have sent: a reply of a known
// shape (see boardreplies.h) that either carries its count or answers a
// query. Line noise, a garbled line and a bare "ok" (a piece of anything)
// have no known shape.
bool hasKnownShape(const std::string &reply);

// Numbers read from replies are finite: "nan" or "inf" make a reply unreadable.

// "M114": "<n> X:<x> Y:<y> Z:<z> E:<e>" split at blanks and colons, empty
// pieces skipped, has X, Y and Z as pieces 2, 4 and 6 (E as 8).
bool positionXYZ(const QString &reply, float &x, float &y, float &z);
bool positionE(const QString &reply, float &e);

// "M121": the board has finished its queued moves when field 1 of the reply
// split at single blanks is "F".
bool isMotionIdle(const QString &reply);

// "M113": filament sensor.
enum class Filament { Present, Absent, SensorFault, Unknown };
Filament filamentState(const QString &reply);

// "M901": "<n> FW1.2.3" -> "1.2.3" (the second field behind its two leading
// characters); empty when the reply does not have that shape.
QString firmwareVersion(const QString &reply);

// "M105": "<n> T:<cur>/<target> B:<cur>/<target>"; also read with "ok" in
// front, blanks around "/" and "T0:" for the nozzle. The whole reply must
// have that shape: a target is a whole number without leading zeros.
struct Temperatures {
    float nozzle = 0, nozzleTarget = 0, bed = 0, bedTarget = 0;
};
bool temperatures(const QString &reply, Temperatures &out);

// "M119": "<n> X:<0|1> Y:<0|1> Z:<0|1>", 1 meaning the end-stop is pressed;
// also read with "ok" in front and blanks behind the colons; nothing else
// on the line.
struct EndStops {
    bool x = false, y = false, z = false;
};
bool endStops(const QString &reply, EndStops &out);

} // namespace StringBrevik
