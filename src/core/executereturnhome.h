#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QVector>

class ReturnHomeListener;

// Host-driven homing on the GUI thread: X, then Y, then (unless only X and Y
// were asked for) Z, each by a relative move towards its end-stop while "M119"
// is polled every 100 ms; the axis is stopped and zeroed when its end-stop
// reports. The listener is called once at the end. When no listener is
// registered at a check the machine is stopped and homing ends. A homing
// command the board did not take (it was silent, or its queue stayed full)
// stops homing at the next check, and so does an axis that does not reach its
// end-stop within a minute: the listener then hears returnHomeFailed()
// instead. A stopped homing leaves the board in absolute positioning.
class CExecuteReturnHome : public QObject {
    Q_OBJECT
public:
    CExecuteReturnHome();

    void setObject(ReturnHomeListener *listener);
    void returnHome(bool xyOnly);
    bool isHoming() const { return m_timer.isActive(); }

private slots:
    void check();

private:
    void startAxis();
    void stop();
    void fail();
    // Sends a homing command; a command the board did not take fails homing.
    void send(const QString &command);

    ReturnHomeListener *m_listener = nullptr;
    QVector<char> m_axes;
    int m_axisIndex = 0;
    // A homing command was lost: the end-stops would be polled for nothing.
    bool m_commandLost = false;
    QTimer m_timer;
    QElapsedTimer m_axisClock;
};

CExecuteReturnHome *ExecuteReturnHome();
