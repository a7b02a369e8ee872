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
// registered at a check the machine is stopped and homing ends; an axis that
// does not reach its end-stop within a minute stops homing and the listener
// hears returnHomeTimedOut() instead. A stopped homing leaves the board in
// absolute positioning.
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

    ReturnHomeListener *m_listener = nullptr;
    QVector<char> m_axes;
    int m_axisIndex = 0;
    QTimer m_timer;
    QElapsedTimer m_axisClock;
};

CExecuteReturnHome *ExecuteReturnHome();
