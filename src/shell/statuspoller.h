#pragma once

#include <QObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

class SerialObject;

// One round of the main window's status poll, as read from the board.
struct StatusReading {
    bool temperaturesRead = false;
    float nozzle = 0, nozzleTarget = 0, bed = 0, bedTarget = 0;
    bool extruderRead = false;
    float extruder = 0;
    // The "M119" reply when end-stops were asked for, empty otherwise.
    QString endStops;
    // "M113" when the filament sensor was asked for; a failed exchange
    // leaves it unknown.
    enum class Filament { NotRead, Unknown, Present, Absent };
    Filament filament = Filament::NotRead;
};
Q_DECLARE_METATYPE(StatusReading)

// Runs the main window's once-a-second exchanges ("M105", and "M119",
// "M114" or "M113" when asked) on a thread of its own, so that a silent board or a
// print thread in a long exchange never freezes the screen. A request made
// while the previous round still runs is dropped: ticks are skipped, never
// queued.
class StatusPoller : public QObject {
    Q_OBJECT
public:
    explicit StatusPoller(SerialObject *link, QObject *parent = nullptr);
    ~StatusPoller() override;

    // False when a round is still running.
    struct Extras {
        bool endStops = false;
        bool extruder = false;
        bool filament = false;
    };
    bool request(Extras extras);

signals:
    // Emitted on the poller's thread; receivers get it queued.
    void polled(StatusReading reading);

private:
    void run();

    SerialObject *m_link;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_pending = false;
    bool m_busy = false;
    bool m_stop = false;
    Extras m_extras;
    std::thread m_thread;
};
