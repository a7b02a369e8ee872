#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

class ReturnHomeListener;
class SerialObject;

// Host-driven homing, run from the GUI thread without ever waiting on the
// board: X, then Y, then (unless only X and Y were asked for) Z, each by a
// relative move towards its end-stop while "M119" is asked every 100 ms; the
// axis is stopped and zeroed when its end-stop reports. Every step goes to
// the link as one request (the stop, the zero and the next move together;
// the last zero with absolute positioning), and the next step waits for the
// board to have taken it.
//
// The listener is called once at the end: checkReturnHomeDone() only once
// the board has taken the homing's last command, returnHomeFailed() when it
// did not take a homing command, when the link finds the board silent, or
// when an axis does not reach its end-stop within a minute. When no listener
// is registered at a check the machine is stopped and homing ends. A stopped
// homing leaves the board in absolute positioning.
class CExecuteReturnHome : public QObject {
    Q_OBJECT
public:
    CExecuteReturnHome();

    void setObject(ReturnHomeListener *listener);
    void returnHome(bool xyOnly);
    bool isHoming() const { return m_homing; }

private:
    using Step = void (CExecuteReturnHome::*)();
    // Hands `commands` to the link; `next` follows once the board took them
    // all, unless this homing has ended meanwhile.
    void send(const QStringList &commands, Step next);
    void axisUnderWay();
    void poll();
    void check(const QString &endStopReply, bool answered);
    void homed();
    void boardRespondingChanged(bool responding);
    void stop();
    void fail();

    SerialObject *m_link = nullptr;
    ReturnHomeListener *m_listener = nullptr;
    QVector<char> m_axes;
    int m_axisIndex = 0;
    bool m_homing = false;
    bool m_waiting = false; // for the answer to a request of this homing
    // Counts homings started and ended: an answer to a request of a homing
    // that has ended since reaches nobody.
    quint64 m_run = 0;
    QTimer m_pollTimer;
    QElapsedTimer m_axisClock;
};

CExecuteReturnHome *ExecuteReturnHome();
