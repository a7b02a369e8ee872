#pragma once

#include "lan/lanprinterstate.h"

#include <atomic>
#include <mutex>

// Fixed answers; the status is atomic because server threads read it while
// a test changes it.
class FakePrinterState : public LanPrinterState {
public:
    std::atomic<machine_status_t> status{MACHINE_STATUS_READY};
    std::atomic<bool> resumeBlocked{false};

    void setAddress(const QString &address)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_address = address;
    }

    int currentExtruderTemp() const override { return 201; }
    int targetExtruderTemp() const override { return 210; }
    int currentPlatformTemp() const override { return 58; }
    int targetPlatformTemp() const override { return 60; }
    machine_status_t machineStatus() const override { return status; }
    move_mode_t moveMode() const override { return MOVE_MODE_MOVING; }
    float printProgress() const override { return 42.7f; }
    QString printerName() const override { return QStringLiteral("Bench printer"); }
    QString firmwareVersion() const override { return QStringLiteral("1.2.3"); }
    QString serialNumber() const override { return QStringLiteral("SN0001"); }
    bool resumeRefused() const override { return resumeBlocked; }
    QString interfaceAddress() const override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_address;
    }

private:
    mutable std::mutex m_mutex;
    QString m_address;
};
