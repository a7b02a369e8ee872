#pragma once

#include "tmsdk/HotPlug.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class QThread;

// Mounts a USB stick at /media when it is plugged in (or is present at start)
// and unmounts it when it goes. The watcher runs on its own thread and emits
// its signals there: receivers on other threads get them queued.
class UsbMonitor : public QObject {
    Q_OBJECT
public:
    explicit UsbMonitor(QObject *parent = nullptr);
    ~UsbMonitor() override;

    // Starts the watcher thread, which first mounts a stick already present
    // (startupScan) and then follows the hot-plug events. False when the event
    // socket cannot be opened (the start-up search still runs).
    bool start();

    // One pass over the plugged-in sticks: a stick already mounted at /media
    // only sets the flag; otherwise the first stick that mounts is taken.
    void startupScan();

    // A stick is mounted at /media.
    bool mounted() const { return m_mounted.load(); }

    // Called on the watcher's thread each time a stick has been mounted (or
    // was found mounted at start), before mounted() turns true and anyone is
    // told: the moment to tidy the stick while nothing else uses it.
    static void setMountedHook(std::function<void()> hook);

signals:
    void usbMounted();
    void usbUnmounted();

private:
    void watch();
    void handleEvent(const std::string &header);
    bool adoptExistingMount();
    bool mountDevice(const std::string &name);
    void deviceRemoved(const std::string &name);

    tmsdk::HotPlug m_hotPlug;
    std::unique_ptr<QThread> m_thread;
    std::atomic<bool> m_mounted{false};
    std::mutex m_mountMutex; // one mount or unmount at a time
    std::string m_device;    // the device at /media, under m_mountMutex
};
