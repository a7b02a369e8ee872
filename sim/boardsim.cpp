#include "boardsim.h"

#include "boardmodel.h"
#include "files.h"
#include "framereader.h"
#include "pseudoterminal.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <deque>
#include <map>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/prctl.h>
#include <thread>
#include <unistd.h>

namespace sim {

namespace {
using Clock = std::chrono::steady_clock;

constexpr int kBusyPollMs = 10;             // upper bound of a wait while the queue runs
constexpr double kBitsPerByte = 10;         // 8N1
constexpr double kBaud = 115200;
// A throttled reply is waited for busily over its last stretch: a timed sleep
// wakes some 80 us late, which a real line would not add to every frame.
constexpr auto kOnTimeSpin = std::chrono::microseconds(250);
// What a reply looks like after a bad cable or a wrong baud rate.
const char *const kLineNoise = "\x8f#\xfa?|\x13\xc4%k\xe9=";

double secondsBetween(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double>(b - a).count();
}
} // namespace

struct BoardSimulator::Impl {
    struct Reply {
        Clock::time_point due;
        std::string text;
    };
    struct Frame {
        std::string text;
        Clock::time_point heard; // when its last byte came in
    };

    explicit Impl(std::string rootDir) : root(std::move(rootDir)) {}

    // Simulated seconds since start: real time times the scale, re-anchored
    // whenever the scale changes so that time never jumps.
    double simNow() const
    {
        return simAnchor + secondsBetween(realAnchor, Clock::now()) * timeScale;
    }

    // Runs `f(now)` under the lock after bringing the model up to now, then
    // wakes the board thread so that a knob or a freed slot acts at once.
    template <typename F>
    auto observe(F f)
    {
        struct Waker {
            Impl *impl;
            ~Waker()
            {
                if (impl->running)
                    impl->wake();
            }
        } waker{this};
        std::lock_guard<std::mutex> lock(mutex);
        const double now = simNow();
        model.advanceTo(now);
        return f(now);
    }

    void wake()
    {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1);
    }

    std::string gpioPath() const { return root + "/sys/class/gpio/gpio131/value"; }

    // The buffer-check line: "1" while the queue is full, "0" once there is room,
    // written in place so that the link may keep the value file open as it
    // does on the board. A blanked line reads as an empty file, as a flaky
    // sysfs read does.
    void syncGpio()
    {
        const int full = gpioBlank ? 2 : model.full() ? 1 : 0;
        if (full == gpioWritten)
            return;
        gpioWritten = full;
        writeInPlace(gpioPath(), full == 2 ? "" : full ? "1\n" : "0\n");
    }

    void logCommand(const std::string &text, bool taken)
    {
        const double seconds = secondsBetween(started, Clock::now());
        log.push_back({seconds, text, taken});
        if (logFile) {
            std::fprintf(logFile, "%.3f\t%s\n", seconds, text.c_str());
            std::fflush(logFile);
        }
    }

    // The board answers once it has heard the whole command, so a reply is
    // timed from the frame's arrival, not from when this loop got to it.
    void queueReply(const std::string &command, const std::string &body, Clock::time_point heard)
    {
        if (takeOnce(replyLost, command))
            return;
        std::string text = garbage ? body : std::to_string(model.freeSlots()) + " " + body;
        if (noisy)
            text = kLineNoise;
        if (takeOnce(garbledOnce, command) || garbleAfterDrop) {
            garbleAfterDrop = false;
            text = garbled(text);
        }
        if (!takeOnce(newlineLost, command))
            text += '\n';
        auto due = std::max(lastDue, heard) + std::chrono::milliseconds(replyDelayMs);
        if (const auto late = lateOnce.find(command); late != lateOnce.end()) {
            due += std::chrono::milliseconds(late->second);
            lateOnce.erase(late);
        }
        if (throttle) {
            const double bytes = static_cast<double>(command.size() + 3 + text.size());
            due += std::chrono::duration_cast<Clock::duration>(
                std::chrono::duration<double>(bytes * kBitsPerByte / kBaud));
        }
        lastDue = due;
        replies.push_back({due, text});
    }

    void admit(const std::string &text, double now, Clock::time_point heard)
    {
        model.enqueue(text, now);
        syncGpio(); // before the reply that may report no free slot
        queueReply(text, "ok", heard);
    }

    // Handles received commands in order. A slot-taking command that finds
    // the queue full is held, unanswered, until a slot frees; the commands
    // behind it wait in the line as they would in the board's UART buffer.
    void processCommands(double now)
    {
        for (;;) {
            if (withheld) {
                if (model.full())
                    return;
                admit(*withheld, now, Clock::now()); // taken only now
                withheld.reset();
            }
            if (received.empty())
                return;
            const std::string text = received.front().text;
            const Clock::time_point heard = received.front().heard;
            received.pop_front();
            if (takeOnce(dropOnce, text)) {
                garbleAfterDrop = takeOnce(garbleBehindDrop, text) || garbleAfterDrop;
                continue;
            }
            if (silenceAtCommand && *silenceAtCommand == text) {
                silenceAtCommand.reset();
                silent = true;
                if (silenceForMs >= 0)
                    silentUntil = Clock::now() + std::chrono::milliseconds(silenceForMs);
            }
            if (silentUntil && Clock::now() >= *silentUntil) {
                silentUntil.reset();
                silent = false;
            }
            logCommand(text, !silent);
            if (silent)
                continue;
            const GCode command(text);
            if (!BoardModel::takesSlot(command)) {
                queueReply(text, model.answer(command, now), heard);
                syncGpio(); // M112 empties the queue
            } else if (model.full()) {
                ++overflow;
                withheld = text;
            } else {
                admit(text, now, heard);
            }
        }
    }

    // A reply as a bad line delivers it: every third byte with its top bit
    // flipped, so that neither its shape nor its numbers survive.
    static std::string garbled(std::string text)
    {
        const bool newline = !text.empty() && text.back() == '\n';
        for (size_t i = 0; i + (newline ? 1 : 0) < text.size(); i += 3)
            text[i] = static_cast<char>(text[i] ^ 0x80);
        return text;
    }

    // Whether `command` was listed for a one-time fault; takes it off the list.
    static bool takeOnce(std::vector<std::string> &list, const std::string &command)
    {
        const auto it = std::find(list.begin(), list.end(), command);
        if (it == list.end())
            return false;
        list.erase(it);
        return true;
    }

    void sendDueReplies()
    {
        auto now = Clock::now();
        if (throttle && !replies.empty() && replies.front().due > now && replies.front().due - now <= kOnTimeSpin) {
            while ((now = Clock::now()) < replies.front().due) {
            }
        }
        while (!replies.empty() && replies.front().due <= now) {
            const std::string &text = replies.front().text;
            // A program that stops reading loses what does not fit, as with a UART overrun.
            [[maybe_unused]] const ssize_t n = ::write(pty.masterFd(), text.data(), text.size());
            replies.pop_front();
        }
    }

    // Milliseconds until something is due (fractions kept: the baud throttle
    // schedules replies finer than a millisecond); negative: nothing is.
    double pollTimeoutMs(double now) const
    {
        double ms = -1;
        auto consider = [&ms](double candidate) {
            candidate = std::max(0.0, candidate);
            ms = ms < 0 ? candidate : std::min(ms, candidate);
        };
        if (!replies.empty()) {
            const auto wakeAt = throttle ? replies.front().due - kOnTimeSpin : replies.front().due;
            consider(secondsBetween(Clock::now(), wakeAt) * 1000.0);
        }
        if (model.queued() > 0) {
            consider(kBusyPollMs);
            if (const auto next = model.nextEventAt(now))
                consider((*next - now) / timeScale * 1000.0);
        }
        return ms;
    }

    void readFromProgram()
    {
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(pty.masterFd(), buffer, sizeof buffer);
            if (n <= 0)
                return; // EAGAIN, or EIO while no one has the port open: keep going
            const auto heard = Clock::now();
            std::lock_guard<std::mutex> lock(mutex);
            for (auto &command : frames.feed(buffer, static_cast<std::size_t>(n)))
                received.push_back({std::move(command), heard});
        }
    }

    void run()
    {
        // A reply is due when its last byte would be on the wire; the
        // kernel's default 50 us of timer slack would make every one late.
        ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
        while (running) {
            double timeout;
            {
                std::lock_guard<std::mutex> lock(mutex);
                const double now = simNow();
                model.advanceTo(now);
                processCommands(now);
                syncGpio();
                sendDueReplies();
                timeout = pollTimeoutMs(now);
            }
            pollfd fds[2] = {{pty.masterFd(), POLLIN, 0}, {wakePipe[0], POLLIN, 0}};
            timespec wait{};
            if (timeout >= 0) {
                const long long ns = static_cast<long long>(timeout * 1e6);
                wait.tv_sec = static_cast<time_t>(ns / 1000000000LL);
                wait.tv_nsec = static_cast<long>(ns % 1000000000LL);
            }
            if (::ppoll(fds, 2, timeout < 0 ? nullptr : &wait, nullptr) < 0 && errno != EINTR)
                break;
            if (fds[1].revents & POLLIN) {
                char drain[64];
                while (::read(wakePipe[0], drain, sizeof drain) > 0) {
                }
            }
            if (fds[0].revents & POLLIN)
                readFromProgram();
            else if (fds[0].revents & (POLLHUP | POLLERR))
                std::this_thread::sleep_for(std::chrono::milliseconds(kBusyPollMs));
        }
    }

    std::string root;
    mutable std::mutex mutex;
    BoardModel model;
    FrameReader frames;
    PseudoTerminal pty;
    std::deque<Frame> received;
    std::optional<std::string> withheld;
    std::deque<Reply> replies;
    Clock::time_point lastDue;
    int gpioWritten = -1;

    Clock::time_point started = Clock::now();
    Clock::time_point realAnchor = started;
    double simAnchor = 0;
    double timeScale = 1.0;

    bool silent = false;
    std::optional<std::string> silenceAtCommand;
    int silenceForMs = -1;
    std::optional<Clock::time_point> silentUntil; // a silence that ends by itself
    bool gpioBlank = false;
    bool garbage = false;
    bool noisy = false;
    std::vector<std::string> dropOnce; // commands whose next frame is lost
    std::vector<std::string> garbleBehindDrop; // of those, the ones whose loss garbles the next reply
    bool garbleAfterDrop = false; // the next reply arrives garbled
    std::vector<std::string> garbledOnce; // commands whose next reply arrives garbled
    std::vector<std::string> replyLost; // commands whose next reply is lost
    std::vector<std::string> newlineLost; // commands whose next reply loses its newline
    bool throttle = false;
    int replyDelayMs = 0;
    std::map<std::string, int> lateOnce; // command -> extra delay of its next reply
    int overflow = 0;
    std::vector<LoggedCommand> log;
    FILE *logFile = nullptr;

    int wakePipe[2] = {-1, -1};
    std::atomic<bool> running{false};
    std::thread thread;
};

BoardSimulator::BoardSimulator(std::string root)
    : d(new Impl(std::move(root)))
{
}

BoardSimulator::~BoardSimulator()
{
    stop();
    if (d->logFile)
        std::fclose(d->logFile);
}

bool BoardSimulator::start()
{
    if (d->running)
        return true;
    if (!d->pty.open(d->root + "/dev/ttyS2"))
        return false;
    if (::pipe2(d->wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) {
        d->pty.close();
        return false;
    }
    makeParentDirs(d->gpioPath());
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->started = Clock::now();
        d->gpioWritten = -1;
        d->syncGpio();
    }
    d->running = true;
    d->thread = std::thread([this] { d->run(); });
    return true;
}

void BoardSimulator::stop()
{
    if (!d->running)
        return;
    d->running = false;
    d->wake();
    d->thread.join();
    d->pty.close();
    ::close(d->wakePipe[0]);
    ::close(d->wakePipe[1]);
    d->wakePipe[0] = d->wakePipe[1] = -1;
}

std::string BoardSimulator::slavePath() const
{
    return d->pty.slavePath();
}

void BoardSimulator::setTimeScale(double factor)
{
    if (factor <= 0)
        return;
    d->observe([this, factor](double now) {
        d->simAnchor = now;
        d->realAnchor = Clock::now();
        d->timeScale = factor;
    });
}
void BoardSimulator::setCapacity(int slots) { d->observe([&](double) { d->model.setCapacity(slots); }); }
void BoardSimulator::setFilament(Filament state) { d->observe([&](double) { d->model.setFilament(state); }); }
void BoardSimulator::setForcedNozzleTemp(std::optional<double> celsius) { d->observe([&](double) { d->model.setForcedNozzleTemp(celsius); }); }
void BoardSimulator::setForcedBedTemp(std::optional<double> celsius) { d->observe([&](double) { d->model.setForcedBedTemp(celsius); }); }
void BoardSimulator::setSilent(bool silent) { d->observe([&](double) { d->silent = silent; }); }
void BoardSimulator::silenceAt(const std::string &command, int forMs)
{
    d->observe([&](double) {
        d->silenceAtCommand = command;
        d->silenceForMs = forMs;
    });
}
void BoardSimulator::setGarbageReplies(bool garbage) { d->observe([&](double) { d->garbage = garbage; }); }
void BoardSimulator::setNoisyReplies(bool noisy) { d->observe([&](double) { d->noisy = noisy; }); }
void BoardSimulator::dropNextFrame(const std::string &command, bool garbleNextReply)
{
    d->observe([&](double) {
        d->dropOnce.push_back(command);
        if (garbleNextReply)
            d->garbleBehindDrop.push_back(command);
    });
}
void BoardSimulator::garbleNextReply(const std::string &command) { d->observe([&](double) { d->garbledOnce.push_back(command); }); }
void BoardSimulator::dropNextReply(const std::string &command) { d->observe([&](double) { d->replyLost.push_back(command); }); }
void BoardSimulator::cutNextReplyNewline(const std::string &command) { d->observe([&](double) { d->newlineLost.push_back(command); }); }
void BoardSimulator::setSlotFreedAtStart(bool freed) { d->observe([&](double) { d->model.setSlotFreedAtStart(freed); d->syncGpio(); }); }
void BoardSimulator::setReplyDelayMs(int ms) { d->observe([&](double) { d->replyDelayMs = std::max(0, ms); }); }
void BoardSimulator::delayReplyOnce(const std::string &command, int ms) { d->observe([&](double) { d->lateOnce[command] = std::max(0, ms); }); }
void BoardSimulator::setStuckEndstop(char axis, bool stuck) { d->observe([&](double) { d->model.setStuckEndstop(axis, stuck); }); }
void BoardSimulator::setBedPlane(double z, double risePerMmX, double risePerMmY)
{
    d->observe([&](double) { d->model.setBedPlane(z, risePerMmX, risePerMmY); });
}
void BoardSimulator::setCutPositionReplies(int count) { d->observe([&](double) { d->model.setCutPositionReplies(count); }); }
void BoardSimulator::setNonFinitePositionReplies(int count) { d->observe([&](double) { d->model.setNonFinitePositionReplies(count); }); }
void BoardSimulator::setFirmwareVersion(const std::string &version) { d->observe([&](double) { d->model.setFirmwareVersion(version); }); }
void BoardSimulator::setBufferLineBlank(bool blank) { d->observe([&](double) { d->gpioBlank = blank; d->syncGpio(); }); }
void BoardSimulator::setBaudThrottle(bool on) { d->observe([&](double) { d->throttle = on; }); }
void BoardSimulator::setM112Reply(const std::string &word) { d->observe([&](double) { d->model.setM112Reply(word); }); }
void BoardSimulator::placeHead(const Position &machine) { d->observe([&](double now) { d->model.placeHead(machine, now); }); }

void BoardSimulator::setCommandLogFile(const std::string &path)
{
    d->observe([&](double) {
        if (d->logFile)
            std::fclose(d->logFile);
        d->logFile = std::fopen(path.c_str(), "a");
    });
}

std::vector<LoggedCommand> BoardSimulator::commandLog() const { return d->observe([this](double) { return d->log; }); }
std::vector<std::string> BoardSimulator::commands() const
{
    return d->observe([this](double) {
        std::vector<std::string> texts;
        for (const auto &entry : d->log)
            texts.push_back(entry.command);
        return texts;
    });
}
std::vector<std::string> BoardSimulator::takenCommands() const
{
    return d->observe([this](double) {
        std::vector<std::string> texts;
        for (const auto &entry : d->log)
            if (entry.taken)
                texts.push_back(entry.command);
        return texts;
    });
}
void BoardSimulator::clearLog() { d->observe([this](double) { d->log.clear(); }); }
Position BoardSimulator::position() const { return d->observe([this](double now) { return d->model.position(now); }); }
double BoardSimulator::nozzleTemp() const { return d->observe([this](double now) { return d->model.nozzleTemp(now); }); }
double BoardSimulator::bedTemp() const { return d->observe([this](double now) { return d->model.bedTemp(now); }); }
int BoardSimulator::nozzleTarget() const { return d->observe([this](double) { return d->model.nozzleTarget(); }); }
int BoardSimulator::bedTarget() const { return d->observe([this](double) { return d->model.bedTarget(); }); }
bool BoardSimulator::motorsEnabled() const { return d->observe([this](double) { return d->model.anyMotorEnabled(); }); }
bool BoardSimulator::motorEnabled(char axis) const { return d->observe([&](double) { return d->model.motorEnabled(axis); }); }
bool BoardSimulator::lightOn() const { return d->observe([this](double) { return d->model.lightOn(); }); }
bool BoardSimulator::probeDeployed() const { return d->observe([this](double) { return d->model.probeDeployed(); }); }
double BoardSimulator::stepsPerMm(char axis) const { return d->observe([&](double) { return d->model.stepsPerMm(axis); }); }
int BoardSimulator::queuedCommands() const { return d->observe([this](double) { return d->model.queued(); }); }
int BoardSimulator::overflowCount() const { return d->observe([this](double) { return d->overflow; }); }
bool BoardSimulator::absoluteMode() const { return d->observe([this](double) { return d->model.absoluteMode(); }); }
int BoardSimulator::discardedFrames() const { return d->observe([this](double) { return d->frames.discarded(); }); }

} // namespace sim
