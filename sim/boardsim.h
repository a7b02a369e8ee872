#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A stand-in for the printer's motion-controller board: it speaks the board's
// side of the serial protocol on a pseudo-terminal whose slave the sandbox
// root's /dev/ttyS2 links to, and models the command queue, motion, end-stops,
// the Z probe and the heaters well enough for the program's sequences.
namespace sim {

enum class Filament { Present, Absent, SensorFault };

struct LoggedCommand {
    double seconds;      // real seconds since start(), when the board took the command
    std::string command; // the command text between "~" and "\r\n"
    bool taken = true;   // false when a silence swallowed it: heard, not acted on
};

struct Position {
    double x = 0, y = 0, z = 0, e = 0;
};

class BoardSimulator {
public:
    // `root` is the sandbox root: the simulator links <root>/dev/ttyS2 to its
    // pty slave and writes <root>/sys/class/gpio/gpio131/value.
    explicit BoardSimulator(std::string root);
    ~BoardSimulator();
    BoardSimulator(const BoardSimulator &) = delete;
    BoardSimulator &operator=(const BoardSimulator &) = delete;

    bool start();   // opens the pty, makes the links, starts the board thread
    void stop();    // stops the thread and closes the pty
    std::string slavePath() const;

    // Knobs; all thread-safe and effective at once.
    void setTimeScale(double factor);          // >1 runs motion and heating faster
    void setCapacity(int slots);               // command-queue capacity (default 16)
    void setFilament(Filament state);
    void setForcedNozzleTemp(std::optional<double> celsius);
    void setForcedBedTemp(std::optional<double> celsius);
    void setSilent(bool silent);               // swallow commands, never reply
    // Falls silent on the next `command`, which it does not take; for good, or
    // for `forMs` real milliseconds.
    void silenceAt(const std::string &command, int forMs = -1);
    void setGarbageReplies(bool garbage);      // replies without the leading number
    void setNoisyReplies(bool noisy);          // every reply a line of noise; commands still act
    // The next `command` is lost on the line: not taken, no reply; with
    // `garbleNextReply`, the reply after it (to whatever comes next) arrives garbled.
    void dropNextFrame(const std::string &command, bool garbleNextReply = false);
    void garbleNextReply(const std::string &command); // the reply to the next `command` arrives garbled
    void dropNextReply(const std::string &command); // the next `command` is taken and run, its reply lost
    void cutNextReplyNewline(const std::string &command); // the reply to the next `command` runs into the one after it
    void setSlotFreedAtStart(bool freed);      // a command's slot frees when it starts, not when it ends
    void setReplyDelayMs(int ms);              // hold every reply this long
    void delayReplyOnce(const std::string &command, int ms); // hold the reply to the next `command` this long
    void setStuckEndstop(char axis, bool stuck); // that end-stop never triggers
    // Where the deployed probe touches the bed: its height at machine X0 Y0
    // and its rise per millimetre along X and Y (a tilted bed).
    void setBedPlane(double z, double risePerMmX = 0, double risePerMmY = 0);
    void setCutPositionReplies(int count);     // the next `count` M114 replies end after Y
    void setNonFinitePositionReplies(int count); // the next `count` M114 replies give Z "nan", E "inf"
    void setFirmwareVersion(const std::string &version);
    void setBufferLineBlank(bool blank);       // the buffer-check value file reads empty
    void setBaudThrottle(bool on);             // delay replies as a 115200 8N1 line would
    void setM112Reply(const std::string &word); // "ok" by default; start-up reflash tests
    void setCommandLogFile(const std::string &path); // also append "<seconds>\t<command>" lines there
    void placeHead(const Position &machine);   // as if pushed by hand: machine coordinates, no motion

    // Observation.
    std::vector<LoggedCommand> commandLog() const;
    std::vector<std::string> commands() const; // just the texts, in order
    std::vector<std::string> takenCommands() const; // the texts of those it acted on, in order
    void clearLog();
    Position position() const;                 // live, interpolated
    double nozzleTemp() const;
    double bedTemp() const;
    int nozzleTarget() const;
    int bedTarget() const;
    bool motorsEnabled() const;                // any axis
    bool motorEnabled(char axis) const;        // 'X','Y','Z','E'
    bool lightOn() const;
    bool probeDeployed() const;
    double stepsPerMm(char axis) const;        // 'X','Y','Z','A'
    int queuedCommands() const;
    int overflowCount() const;                 // queued commands that arrived with no free slot
    bool absoluteMode() const;
    int discardedFrames() const;               // overlong or malformed frames dropped

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace sim
