#pragma once

#include "mainwindow.h"

#include "config.h"
#include "getconfigfile.h"
#include "lan/lanprinterstate.h"
#include "serialobject.h"
#include "stringbrevik.h"

#include <mutex>

// What the LAN server's threads may read of the printer.
class MainWindow::LanState : public LanPrinterState {
public:
    explicit LanState(MainWindow &window) : m_window(window) {}

    int currentExtruderTemp() const override { return m_window.getCurrentExtruderTemp(); }
    int targetExtruderTemp() const override { return m_window.getTargetExtruderTemp(); }
    int currentPlatformTemp() const override { return m_window.getCurrentPlatformTemp(); }
    int targetPlatformTemp() const override { return m_window.getTargetPlatformTemp(); }
    machine_status_t machineStatus() const override { return m_window.machineStatus.load(); }
    move_mode_t moveMode() const override { return m_window.moveMode.load(); }
    // A finished or refused job leaves its progress behind in the link.
    float printProgress() const override
    {
        return m_window.machineStatus.load() == MACHINE_STATUS_READY ? 0.0f
                                                                      : m_window.m_link->printingProgress() * 100.0f;
    }
    bool claimPrint(const QString &path, QByteArray *error) override
    {
        if (m_window.machineStatus.load() != MACHINE_STATUS_READY || m_window.m_lanPrintStarting.exchange(true)) {
            *error = "printer busy";
            return false;
        }
        if (hooks.printFileAccepted && !hooks.printFileAccepted(path)) {
            m_window.m_lanPrintStarting = false;
            *error = "file format error";
            return false;
        }
        return true;
    }
    bool resumeRefused() const override { return hooks.filamentPageOpen && hooks.filamentPageOpen(); }
    bool endStops(StringBrevik::EndStops &out) const override
    {
        std::lock_guard<std::mutex> lock(m_window.m_tempMutex);
        out = m_window.m_endStops;
        return m_window.m_endStopsRead;
    }
    // The name the slicer lists: the same whatever language the screen has.
    QString printerName() const override { return QStringLiteral("Printer %1").arg(serialNumber()); }
    QString interfaceAddress() const override { return m_window.getWiFiIpAddress(); }
    QString serialNumber() const override
    {
        return QString::fromStdString(getConfigFile()->configFile()->getPrinterSerialNumber());
    }
    QString firmwareVersion() const override
    {
        std::lock_guard<std::mutex> lock(m_firmwareMutex);
        if (m_firmware.isEmpty())
            m_firmware = StringBrevik::firmwareVersion(m_window.m_link->serialCheckCode(QStringLiteral("M901")));
        return m_firmware;
    }

private:
    MainWindow &m_window;
    mutable std::mutex m_firmwareMutex;
    mutable QString m_firmware;
};
