#pragma once

#include "boardrequest.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class SerialObject;

// Whether the motion board has finished its queued moves: "M121" through the
// plain exchange. A failed exchange or any other reply counts as still
// moving. Blocks for the exchange: for worker threads.
namespace MotionIdle {

bool check(SerialObject *link);

} // namespace MotionIdle

// Asks the board from the GUI thread, one "M121" request at a time, until it
// is idle, then emits idle() once. For pages that wait for a move without a
// worker of their own; the screen never waits for the answer. A poll is a
// query and may overtake commands still on their way: start polling once the
// move was taken.
class MotionIdlePoller : public QObject {
    Q_OBJECT
public:
    explicit MotionIdlePoller(SerialObject *link, QObject *parent = nullptr);

    // The first poll after `firstDelayMs`, then one every `repeatMs` after
    // the answer (both scaled by TimeScale). Restarts a running poll.
    void start(int firstDelayMs, int repeatMs);
    void stop();
    bool isPolling() const { return m_timer.isActive() || m_asking; }

signals:
    void idle();
    // The board did not answer and the link knows it silent: no move will
    // end while it stays so. Polling has stopped.
    void silent();

private:
    void poll();
    void answered(bool taken, const QString &reply);

    SerialObject *m_link;
    QTimer m_timer;
    QPointer<BoardRequest> m_asking; // the poll in flight
    int m_repeatMs = 0;
};
