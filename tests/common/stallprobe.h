#pragma once

#include <QElapsedTimer>
#include <QTimer>

// The longest stall of the GUI thread: a 10 ms timer on it records the
// largest gap between its ticks. Benchmarks print it; tests hold it only to
// a generous bound.
class StallProbe {
public:
    StallProbe()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { m_worst = qMax(m_worst, m_since.restart()); });
        m_since.start();
        m_timer.start(10);
    }
    // The largest gap since the last call, less the timer's own 10 ms.
    qint64 takeWorstStallMs()
    {
        const qint64 worst = qMax<qint64>(0, qMax(m_worst, m_since.elapsed()) - 10);
        m_worst = 0;
        m_since.restart();
        return worst;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_worst = 0;
};
