#pragma once

#include <QObject>
#include <QTimer>

class SerialObject;

// Whether the motion board has finished its queued moves: "M121" through the
// plain exchange. A failed exchange or any other reply counts as still moving.
namespace MotionIdle {

bool check(SerialObject *link);

} // namespace MotionIdle

// Polls the board on the GUI thread until it is idle, then emits idle() once.
// For pages that wait for a move without a worker of their own.
class MotionIdlePoller : public QObject {
    Q_OBJECT
public:
    explicit MotionIdlePoller(SerialObject *link, QObject *parent = nullptr);

    // The first poll after `firstDelayMs`, then one every `repeatMs` (both
    // scaled by TimeScale). Restarts a running poll.
    void start(int firstDelayMs, int repeatMs);
    void stop();
    bool isPolling() const { return m_timer.isActive(); }

signals:
    void idle();

private:
    void poll();

    SerialObject *m_link;
    QTimer m_timer;
    int m_repeatMs = 0;
};
