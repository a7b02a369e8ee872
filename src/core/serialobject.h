#pragma once

#include "boardreplies.h"
#include "boardrequest.h"
#include "boardstate.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Serial;
class Gpio;
class PrintJob;
class WorkLane;

// Where the print engine takes the head when a print pauses and once its
// file has ended: `lift` mm above the height of the last move sent (never
// above `zMax`), then to the pause or the end point. Millimetres.
struct ParkPlaces {
    double lift = 10;
    double zMax = 400;
    double pauseX = 150, pauseY = 150;
    double endX = 0, endY = 0;
};

// The live adjustments of a running print.
struct PrintingAdjust {
    int speed = 100; // feed-rate factor in percent
    int offset = 0;  // Z offset in hundredths of a millimetre
    int purge = 100; // extrusion factor in percent (kept, not applied)
};

// The printer link: the one connection to the motion board, shared by the GUI
// thread's polling, the print thread and page workers.
//
// An exchange writes "~<command>\r\n" and reads one reply line. The board
// answers every frame once and in order, so a reply that comes after its
// exchange gave up belongs to that old frame and is passed over by the
// exchanges after it; a line answers a frame only when it has the shape of
// that frame's reply. A command whose reply does not come is followed by
// probes; when the board answers them but not the command, the link finds
// out what the board did (serialsettle.cpp) instead of guessing: it writes
// the command again only where running it twice moves the machine no
// further, or where the position read once the queue has drained shows that
// it did not run. A flow-controlled send first waits until the board
// has a free command-buffer slot (the free-slot count of the last reply, or
// the buffer-check GPIO line falling to 0) and keeps the buffer lock until the
// reply has told the new count, so two senders can never both use the last
// slot. Failures come back in place of the reply as the texts of StringBrevik.
//
// After an exchange has found the board silent, or after its replies have been
// line noise for as long, the link counts the board as not responding until a
// reply of a known shape arrives; exchanges then make one short attempt.
//
// The GUI thread never waits long for the board: its exchange is made by a
// helper thread like any other thread's, and the GUI thread waits for it
// at most a fifth of a second. When that runs out the call fails as against a
// silent board and the helper finishes the exchange alone, so that the link
// still finds out what the board does; the GUI thread's calls meanwhile fail
// at once. An exchange the GUI thread gave up on before its frame was
// written is not made.
//
// Commands whose loss leaves the machine unsafe (heaters off, motors off,
// absolute mode) go through sendMustReach(): what the board did not take is
// kept and sent again, heaters first, as soon as the board answers; a later
// command for the same thing that reached the board replaces it.
class SerialObject : public QObject {
    Q_OBJECT
public:
    // The process's link, opened on first use. Throws std::runtime_error when
    // the serial port cannot be opened.
    static SerialObject *getInstance(const std::string &device = "/dev/ttyS2", int gpioPin = 131);

    // A link of its own (tests). `device` is a device path mapped through
    // SysRoot. Throws std::runtime_error when the port cannot be opened.
    SerialObject(const std::string &device, int gpioPin, QObject *parent = nullptr);
    ~SerialObject() override;

    QString serialCheckCode(QString command);

    QString serialSendCode(QString command);
    void serialClose();
    // Opens the port again after serialClose() (an update that did not
    // install gives the printer back); false when the port does not open.
    bool serialReopen();

    // The screen's way to the board: hands a command, or a sequence that
    // belongs together, to the link and returns at once; the request's
    // finished() tells on this object's thread what the board did. Commands
    // run in the order asked for (queries on a lane of their own, so a
    // reading never waits behind a sequence): motion and heater commands
    // flow-controlled, heater-off, motors-off and absolute mode kept until
    // the board takes them. A sequence that ends early switches off the
    // heaters it switched on and restores absolute modes. Call on the GUI
    // thread only.
    BoardRequest *request(const QStringList &commands, QObject *parent = nullptr);
    BoardRequest *request(const QString &command, QObject *parent = nullptr);
    // Stops the machine at once: "M112" goes ahead of everything not yet
    // written. Of the requests made before it that move the machine, only
    // the safety commands not yet written still go.
    void stopMotion();
    // A flow-controlled send that is repeated until the board has taken it.
    // Never blocks while the board is known not to respond. True when the
    // board took it now; otherwise it is kept and sent later.
    bool sendMustReach(const QString &command);
    // Commands still waiting for the board to take them.
    int undeliveredCount();

    // 0 switches a heater off; heater-off always reaches the board.
    void Heating(int t);
    void HeatingPlatform(int t);
    void HeatingHalvorII(int nozzle, int platform);
    void stopHalvorIIHeating();
    // The same for the screen, as requests: the target is kept at once, the
    // request tells whether the board took it. requestHeaters() sets the bed
    // first; (0, 0) switches both off.
    BoardRequest *requestNozzle(int t, QObject *parent = nullptr);
    BoardRequest *requestBed(int t, QObject *parent = nullptr);
    BoardRequest *requestHeaters(int nozzle, int bed, QObject *parent = nullptr);
    int nozzleTarget() const { return m_nozzleTarget.load(); }
    int bedTarget() const { return m_bedTarget.load(); }

    void getPrintingAdjust(PrintingAdjust &out);
    void setPrintingAdjust(PrintingAdjust value);
    void printingAdjustNozzleTemp(int t);
    void printingAdjustPlatformTemp(int t);

    // The print engine: streams the file at `path` on the calling thread (the
    // printing page's print thread) and returns 0 when the job has ended.
    // Emits printOver() only when the file ended normally and the board has
    // taken the heaters-off and the end park; a quit request, a dead link or
    // an unreadable file end with printQuit(). printPause() comes once the
    // board has taken the pause park.
    int serialPrint(QString path);
    void setInitPrintingPersent();
    // Forgets the power-loss resume line.
    void setPoweroffCancelPrint();
    // Asks the next serialPrint to resume after line `line` of the file (the
    // line number the power-loss record kept).
    void setPoweroffResumeLine(qint64 line);
    bool isJobRunning() const { return m_jobRunning.load(); }
    // Lines sent of the running job, 0 to 1.
    float printingProgress();
    // The pause and the end of a print park from the print thread, which
    // waits for room on the board as it does for every line; the printing
    // page says where.
    void setParkPlaces(const ParkPlaces &places);

    // Deadline for one reply (default 5 s; two attempts per exchange) and the
    // longest wait for a free buffer slot (default 60 s). Tests shorten them.
    void setReplyTimeoutMs(int ms) { m_replyTimeoutMs.store(ms); }
    void setBufferWaitMs(int ms) { m_bufferWaitMs.store(ms); }
    // How long the GUI thread waits for an exchange before it goes on
    // without the answer, for every link of the process. A healthy board
    // answers in milliseconds; tests on a loaded machine, where a healthy
    // reply can take longer than a screen may wait, raise it.
    static constexpr int kDefaultScreenWaitMs = 200;
    static void setScreenWaitMs(int ms) { s_screenWaitMs.store(ms); }
    int freeSlots() const { return m_freeSlots.load(); }
    bool boardResponding() const { return m_boardResponding.load(); }

public slots:
    void slo_printingPause();
    void slo_printingContinue();
    void slo_printingQuit();
    void slo_printCtlInit();

signals:
    void sendPrintPersent(float persent);
    void printOver();
    void printPause();
    void printResume();
    void printQuit();
    void readM25();
    // The board stopped answering (false) or answers again (true); emitted on
    // the thread whose exchange found out.
    void boardRespondingChanged(bool responding);

private:
    friend class PrintJob;

    // Requests from the GUI thread to the print loop, read between lines.
    struct PrintControl {
        std::mutex mutex;
        std::condition_variable wake;
        bool pauseRequested = false;
        bool paused = false;
        bool resumeRequested = false;
        bool quitRequested = false;
        int keptNozzleTarget = 0; // targets to heat back to on resume
        int keptBedTarget = 0;
        float progress = 0;
        qint64 resumeLine = 0;
        ParkPlaces park;
    };

    // Commands that the print loop sends after its next line (user changes of
    // the targets while a job streams).
    std::vector<QString> takeDeferredCommands();
    // Marks the job as ended and hands over the commands still waiting.
    std::vector<QString> endJob();

    // `quick`: one short attempt, no probe (see lockExchange).
    std::string exchangeLocked(const std::string &command, bool quick);
    void setBoardResponding(bool responding, const char *why = nullptr);
    // A line of no known shape: once nothing but such lines has come for as
    // long as a silence takes to be noticed, the board counts as not responding.
    void noteGarbledReply();
    bool garbledEpisode() const { return m_garbledSince.time_since_epoch().count() != 0; }
    bool lockExchange(std::unique_lock<std::timed_mutex> &lock, bool &shortAttempt);
    bool lockBuffer(std::unique_lock<std::timed_mutex> &lock, std::chrono::steady_clock::time_point deadline);
    // serialSendCode without text conversions, for the print loop.
    // `mustReachId` names the undelivered command being repeated; it is not
    // sent when a newer command has replaced it meanwhile.
    std::string sendFlowControlled(const std::string &command, std::uint64_t mustReachId = 0);
    bool waitForBufferRoom(std::chrono::steady_clock::time_point deadline, std::string &failure);
    // Queues `command` for the streaming job, or hands it to the link as a
    // request when no line streams (GUI thread).
    void sendOrDefer(const QString &command);

    struct MustReach {
        std::uint64_t id; // the order number of when it was asked for
        std::string command;
        std::string subject; // what it sets: a later command for it replaces it
    };
    static std::string mustReachSubject(const std::string &command);
    bool mustReachQueued(std::uint64_t id);
    // Forgets the kept commands about `subject` asked for up to order `upTo`.
    void forgetKeptLocked(const std::string &subject, std::uint64_t upTo); // m_mustReachMutex held
    MustReach nextToDeliver(std::uint64_t lastTried); // m_mustReachMutex held, queue not empty
    void deliverLoop();
    void sendHeater(const QString &command, int target);

    // A GUI-thread exchange: run by m_screenHelper, waited for a bounded time.
    struct ScreenCall {
        std::function<std::string()> exchange;
        std::string reply;
        bool done = false;
        std::atomic<bool> gaveUp{false};
        std::atomic<bool> waitingForRoom{false}; // for a slot of a board that answers
    };
    std::string forScreen(std::function<std::string()> exchange);
    void screenLoop();

    std::unique_ptr<Serial> m_serial;
    std::unique_ptr<Gpio> m_gpio;
    std::timed_mutex m_exchangeMutex;
    std::timed_mutex m_bufferMutex;
    std::mutex m_adjustMutex;
    PrintingAdjust m_adjust;
    std::vector<QString> m_deferred;

    std::atomic<int> m_freeSlots{1};
    std::atomic<int> m_nozzleTarget{0};
    std::atomic<int> m_bedTarget{0};
    std::atomic<bool> m_jobRunning{false};
    PrintControl m_print;
    std::atomic<int> m_replyTimeoutMs{5000};
    std::atomic<int> m_bufferWaitMs{60000};
    std::atomic<bool> m_closed{false};
    std::atomic<bool> m_boardResponding{true};
    // Start of a run of replies of no known shape; guarded by m_exchangeMutex.
    std::chrono::steady_clock::time_point m_garbledSince{};

    std::mutex m_mustReachMutex;
    std::condition_variable m_mustReachWake;
    std::deque<MustReach> m_mustReach; // in the order given
    bool m_delivererStop = false;
    std::thread m_deliverer; // started with the first command the board did not take

    static std::atomic<int> s_screenWaitMs;
    std::mutex m_screenMutex;
    std::condition_variable m_screenWake;
    std::shared_ptr<ScreenCall> m_screenCall; // queued or running; null when the helper is free
    bool m_screenStop = false;
    std::thread m_screenHelper; // started with the GUI thread's first exchange

    // Requests from the screen (serialrequests.cpp).
    BoardRequest::Outcome runSequence(const QStringList &commands, std::uint64_t stops, QStringList &replies);
    bool stoppedSinceRequest(const std::string &command) const;
    static thread_local std::uint64_t t_requestStops; // 0 outside a request
    std::atomic<std::uint64_t> m_stops{1}; // counts stopMotion()
    std::unique_ptr<WorkLane> m_commandLane;
    std::unique_ptr<WorkLane> m_queryLane;

    // ---- Replies owed and credited, lost replies settled, urgent commands
    // (serialexchange.cpp, serialsettle.cpp, serialurgent.cpp) ----
public:
    // Writes `command` (M112 from a jog release or a page close) to the board
    // within a few milliseconds from any thread without waiting itself:
    // ahead of everything not yet written, by the exchange waiting for a reply
    // between its reads, or by a thread of the link when none is in flight.
    // It ends what came before it: a command written before it whose reply
    // has not come is not written again.
    void sendUrgent(const QString &command);
    // Whether the board has said anything readable within the last reply
    // time; the screen shows no readings when it has not.
    bool boardHeardWithinReplyTime() const;
    // Why the newest exchange that failed failed.
    enum class Failure {
        None,
        BoardSilent,       // two reply times without a word
        MightRunTwice,     // the board may have run a move whose repeat would move the machine
        QueueStuck,        // the board's queue did not drain (nothing moved for the buffer wait)
        NeverAcknowledged, // the board answers but never acknowledged the command
        Stopped,           // an urgent command (a stop) came after it
    };
    Failure lastFailure() const { return m_lastFailure.load(); }

private:
    using Clock = std::chrono::steady_clock;
    struct OwedReply {
        std::uint64_t id;
        StringBrevik::ReplyKind expect;
        bool own; // a probe or query of the link's, or an urgent command
    };
    struct Answer {
        std::uint64_t id;
        StringBrevik::ReplyKind kind;
        std::string text;
    };
    enum class Wait { Answered, Lost, Silent };

    std::uint64_t writeFrame(const std::string &command, bool own);
    std::uint64_t writeOne(const std::string &command, StringBrevik::ReplyKind expect, bool own);
    // Reads one reply within `deadlineMs` (writing urgent commands between
    // reads) and credits it to its frame; false when none came.
    bool takeReply(int deadlineMs);
    void creditReply(const StringBrevik::Reply &reply);
    bool takeAnswer(std::uint64_t id, std::string &text);
    bool isOwed(std::uint64_t id) const;
    void heardFrom(const StringBrevik::Reply &reply);
    // Answered: `reply` holds the answer. Lost: the board answered a later
    // frame but not this one. Silent: `timeoutMs` passed without an answer.
    // With a `probe`, writes it at once and again and again.
    Wait awaitFrame(std::uint64_t id, int timeoutMs, const char *probe, std::string &reply);
    std::string quickAttempt(const std::string &command, int timeoutMs);
    // Writes `command` (its `sends`th time) and reads its reply, settling
    // what the board did when only later frames are answered.
    std::string sendAndSettle(const std::string &command, int timeoutMs, int sends);
    std::string settleUnanswered(const std::string &command, std::uint64_t id, int timeoutMs, int sends);
    // A query of the link's own, asked until a frame of it written after
    // frame `after` is answered; false when the board fell silent or a stop
    // came. `answeredId` is the frame that was answered.
    bool askLocked(const char *query, std::uint64_t after, int timeoutMs, std::string &reply,
                   std::uint64_t *answeredId = nullptr);
    bool drainLocked(std::uint64_t after, int timeoutMs, std::uint64_t &drainedAt);
    bool readPositionLocked(std::uint64_t after, int timeoutMs, BoardPosition &at, int &count);
    void pauseLocked(int ms);
    // The first exchange sends G90 and M82, so that the modes the link
    // assumes are the board's, and reads where the head is.
    void openBoardLocked(int timeoutMs);
    void boardSilentLocked();
    std::string failWith(Failure why);
    // The probes and queries of the link's still owed after an exchange:
    // one query of another shape settles which of them the board heard.
    void settleOwnFramesLocked(std::uint64_t after, int timeoutMs);
    void flushUrgentLocked();
    void urgentLoop();
    std::uint64_t nextOrder() { return ++m_order; }
    // A command that reached the board settles every kept command about the
    // same thing asked for up to when it was (order numbers up to `order`).
    void dropReplaced(const std::string &sentCommand, std::uint64_t order);

    // Guarded by m_exchangeMutex.
    std::deque<OwedReply> m_owed; // oldest first
    std::deque<StringBrevik::Reply> m_mergedReplies; // still to be taken from a line that held several
    std::vector<Answer> m_answers; // credited and not yet taken
    std::uint64_t m_lastFrameId = 0;
    std::uint64_t m_lastAnsweredId = 0;
    std::uint64_t m_lastUrgentId = 0;
    BoardState m_board;
    bool m_opened = false;
    bool m_opening = false;

    static long long steadyMs();
    std::atomic<long long> m_lastHeardMs{steadyMs()}; // when the board last said something readable
    std::atomic<Failure> m_lastFailure{Failure::None};
    std::atomic<std::uint64_t> m_order{0}; // of sends and kept commands, in the order asked for

    struct UrgentQueue {
        std::mutex mutex;
        std::condition_variable wake;
        std::deque<std::string> commands;
        std::atomic<bool> pending{false};
        bool stop = false;
        std::thread writer; // started with the first urgent command
        ~UrgentQueue();
    };
    UrgentQueue m_urgent; // last: its writer stops before anything it uses goes
};
