#pragma once

#include <QObject>
#include <QTimer>

class SerialObject;

// Whether the motion board has finished its queued moves: "M121" through the
// plain exchange, for the page workers (it waits for the reply). A failed
// exchange or any other reply counts as still moving.
namespace MotionIdle {

bool check(SerialObject *link);

} // namespace MotionIdle

// Asks the board from the GUI thread, without waiting on it, until it is
// idle, then emits idle() once; boardSilent() instead when a poll goes
// unanswered while the link knows the board silent. For pages that wait for
// a move without a worker of their own. A poll is a query and may overtake
// commands still on their way: start polling once the move was taken.
class MotionIdlePoller : public QObject {
    Q_OBJECT
public:
    explicit MotionIdlePoller(SerialObject *link, QObject *parent = nullptr);

    // The first poll after `firstDelayMs`, then one every `repeatMs` after
    // the answer (both scaled by TimeScale). Restarts a running poll.
    void start(int firstDelayMs, int repeatMs);
    void stop();
    bool isPolling() const { return m_polling; }

signals:
    void idle();
    void boardSilent();

private:
    void poll();

    SerialObject *m_link;
    QTimer m_timer;
    int m_repeatMs = 0;
    bool m_polling = false;
    // Counts starts and stops: the answer to a poll made before reaches nobody.
    quint64 m_run = 0;
};
