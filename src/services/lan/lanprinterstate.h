#pragma once

#include "stringbrevik.h"
#include "vardefine.h"

#include <QString>

// What the LAN server and the discovery responder may read of the printer.
// The main window implements it; every operation is called from the server's
// own threads (accept, client and multicast threads), so implementations must
// be thread-safe (take their own locks, return copies).
class LanPrinterState {
public:
    virtual ~LanPrinterState() = default;

    // Whole degrees Celsius as the last temperature poll read them.
    virtual int currentExtruderTemp() const = 0;
    virtual int targetExtruderTemp() const = 0;
    virtual int currentPlatformTemp() const = 0;
    virtual int targetPlatformTemp() const = 0;

    virtual machine_status_t machineStatus() const = 0;
    virtual move_mode_t moveMode() const = 0;

    // Progress of the running print in percent (0 to 100).
    virtual float printProgress() const = 0;

    // Claims the printer for printing `path` (M23): false, with the reason
    // in `error`, when the printing page would refuse the file or another
    // print is already starting or running. A claim holds until the page
    // has taken or refused the file.
    virtual bool claimPrint(const QString &path, QByteArray *error)
    {
        Q_UNUSED(path);
        if (machineStatus() == MACHINE_STATUS_READY)
            return true;
        *error = "printer busy";
        return false;
    }

    // True while a resume must not run (a filament change is under way
    // over the paused print).
    virtual bool resumeRefused() const { return false; }

    // The end-stops as the last status poll read them; false when it has not
    // read them (they are polled only while a client holds control).
    virtual bool endStops(StringBrevik::EndStops &) const { return false; }

    virtual QString printerName() const = 0;
    // The address discovery announces; empty: the one the server was made with.
    virtual QString interfaceAddress() const { return QString(); }
    virtual QString firmwareVersion() const = 0;
    virtual QString serialNumber() const = 0;
};
