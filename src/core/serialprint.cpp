// The print engine's entry point and the requests of the printing page.
#include "printjob.h"
#include "serialobject.h"

#include <QMetaObject>

int SerialObject::serialPrint(QString path)
{
    m_jobRunning.store(true);
    {
        PrintJob job(*this, path);
        job.run();
    }
    // Job flags are cleared when the job ends, not when it starts, so that a
    // quit asked for before the first line is not lost.
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        m_print.pauseRequested = false;
        m_print.paused = false;
        m_print.resumeRequested = false;
        m_print.quitRequested = false;
    }
    endJob(); // normally done by the job already
    return 0;
}

void SerialObject::slo_printingPause()
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    m_print.pauseRequested = true;
}

void SerialObject::slo_printingContinue()
{
    bool cancelledBeforePause = false;
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        if (m_print.paused) {
            m_print.resumeRequested = true;
        } else if (m_print.pauseRequested) {
            // The loop had not paused yet: drop the request; the page still
            // waits for a resume to re-enable its buttons.
            m_print.pauseRequested = false;
            cancelledBeforePause = true;
        }
    }
    m_print.wake.notify_all();
    if (cancelledBeforePause)
        QMetaObject::invokeMethod(this, "printResume", Qt::QueuedConnection);
}

void SerialObject::slo_printingQuit()
{
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        m_print.quitRequested = true;
    }
    m_print.wake.notify_all();
}

void SerialObject::slo_printCtlInit()
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    m_print.progress = 0;
    m_print.pauseRequested = false;
    m_print.paused = false;
    m_print.resumeRequested = false;
    m_print.quitRequested = false;
}

void SerialObject::setInitPrintingPersent()
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    m_print.progress = 0;
}

void SerialObject::setPoweroffCancelPrint()
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    m_print.resumeLine = 0;
}

void SerialObject::setPoweroffResumeLine(qint64 line)
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    m_print.resumeLine = line < 0 ? 0 : line;
}

void SerialObject::setParkPlaces(const ParkPlaces &places)
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    m_print.park = places;
}

float SerialObject::printingProgress()
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    return m_print.progress;
}
