// Heater targets and the live adjustments of a print.
#include "serialobject.h"

void SerialObject::sendHeater(const QString &command, int target)
{
    if (target == 0)
        sendMustReach(command);
    else
        serialSendCode(command);
}

void SerialObject::Heating(int t)
{
    m_nozzleTarget.store(t);
    sendHeater(QStringLiteral("M104 S%1 T0").arg(t), t);
}

void SerialObject::HeatingPlatform(int t)
{
    m_bedTarget.store(t);
    sendHeater(QStringLiteral("M140 S%1").arg(t), t);
}

void SerialObject::HeatingHalvorII(int nozzle, int platform)
{
    m_bedTarget.store(platform);
    sendHeater(QStringLiteral("M140 S%1").arg(platform), platform);
    m_nozzleTarget.store(nozzle);
    sendHeater(QStringLiteral("M104 S%1 T0").arg(nozzle), nozzle);
}

void SerialObject::stopHalvorIIHeating()
{
    m_bedTarget.store(0);
    sendMustReach(QStringLiteral("M140 S0"));
    m_nozzleTarget.store(0);
    sendMustReach(QStringLiteral("M104 S0 T0"));
}

BoardRequest *SerialObject::requestNozzle(int t, QObject *parent)
{
    m_nozzleTarget.store(t);
    return request(QStringLiteral("M104 S%1 T0").arg(t), parent);
}

BoardRequest *SerialObject::requestBed(int t, QObject *parent)
{
    m_bedTarget.store(t);
    return request(QStringLiteral("M140 S%1").arg(t), parent);
}

BoardRequest *SerialObject::requestHeaters(int nozzle, int bed, QObject *parent)
{
    m_bedTarget.store(bed);
    m_nozzleTarget.store(nozzle);
    return request({QStringLiteral("M140 S%1").arg(bed), QStringLiteral("M104 S%1 T0").arg(nozzle)}, parent);
}

void SerialObject::getPrintingAdjust(PrintingAdjust &out)
{
    std::lock_guard<std::mutex> lock(m_adjustMutex);
    out = m_adjust;
}

void SerialObject::setPrintingAdjust(PrintingAdjust value)
{
    std::lock_guard<std::mutex> lock(m_adjustMutex);
    m_adjust = value;
}

// The decision and the queueing happen under the print lock, so a command
// can never be queued after the job has taken its last ones.
void SerialObject::sendOrDefer(const QString &command)
{
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        if (m_jobRunning.load() && !m_print.paused) {
            std::lock_guard<std::mutex> adjustLock(m_adjustMutex);
            m_deferred.push_back(command);
            return;
        }
    }
    request(command);
}

// A target set by the user also becomes the one a paused print heats back to.
void SerialObject::printingAdjustNozzleTemp(int t)
{
    m_nozzleTarget.store(t);
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        m_print.keptNozzleTarget = t;
    }
    sendOrDefer(QStringLiteral("M104 S%1 T0").arg(t));
}

void SerialObject::printingAdjustPlatformTemp(int t)
{
    m_bedTarget.store(t);
    {
        std::lock_guard<std::mutex> lock(m_print.mutex);
        m_print.keptBedTarget = t;
    }
    sendOrDefer(QStringLiteral("M140 S%1").arg(t));
}

std::vector<QString> SerialObject::endJob()
{
    std::lock_guard<std::mutex> lock(m_print.mutex);
    m_jobRunning.store(false);
    return takeDeferredCommands();
}

std::vector<QString> SerialObject::takeDeferredCommands()
{
    std::lock_guard<std::mutex> lock(m_adjustMutex);
    std::vector<QString> out;
    out.swap(m_deferred);
    return out;
}
