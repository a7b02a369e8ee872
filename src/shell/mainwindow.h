#pragma once

#include "lan/vardefine.h"
#include "statuspoller.h"
#include "stringbrevik.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class myServer;
class NetworkWatcher;
class OneButtonDialog;
class QEvent;
class QTimer;
class SendFileDialog;
class SerialObject;

class UpdateManager;
class UsbMonitor;
namespace WIFINAMESPACE {
class Wifi;
}
namespace Ui {
class MainWindow;
}

enum WIFI_State { WIFI_None = 0, WIFI_Station = 1, WIFI_AP = 2 };

// What the main window cannot know itself because it lives below the pages:
// the program fills these in before constructing the main window. An empty
// hook means the page does not exist (yet) and the button does nothing.
struct MainWindowHooks {
    std::function<void()> openBuild;    // storage chooser
    std::function<void()> openSettings; // settings menu
    std::function<void()> openControl;  // control menu
    std::function<void()> openLevel;    // levelling menu
    // Opens the printing page on a file in /data; `resume` for a print
    // interrupted by a power loss.
    std::function<void(const QString &path, bool resume)> openPrintPage;
    std::function<bool()> printPageOpen;
    // True while the filament load or unload page is open; also asked on the
    // LAN server's threads, so it may only read instance pointers.
    std::function<bool()> filamentPageOpen;
    // Whether the printing page would print this file; asked on the LAN
    // server's threads before an M23 is answered.
    std::function<bool(const QString &path)> printFileAccepted;
    // Closes pages that must not stay open under a print started over the LAN
    // (the about and jog pages).
    std::function<void()> closeForLanPrint;
    // Shows the serial-number scanner screen, whose OK calls artMachine().
    std::function<void()> openScanner;
    // Opens the update page as a direct upgrade, or installs from the open one.
    std::function<void()> findTheLatestFirmware;
    std::function<bool()> updatePageOpen;
};

// The main screen: status bar, nozzle and bed read-outs, the four main
// buttons, the one-second poll of the board and the start-up sequence of the
// services. Pages reach it through instMainWindow.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static MainWindow *instMainWindow;
    static void setHooks(const MainWindowHooks &hooks);
    // Whether the printing page is open (false when the program gave no hook).
    static bool printPageIsOpen();
    // Ports of the LAN server started by this window (8899 and 19000 on the
    // device; tests ask for free ones with 0).
    static void setLanPorts(quint16 tcpPort, quint16 discoveryPort);

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Written directly by the pages; read by the LAN server's threads.
    std::atomic<machine_status_t> machineStatus{MACHINE_STATUS_READY};
    std::atomic<move_mode_t> moveMode{MOVE_MODE_READY};
    std::atomic<Machine_Connect_State> connectState{Machine_Connect_None};
    WIFI_State wifiState = WIFI_None;
    // The Wi-Fi controller; the Wi-Fi page drives it.
    WIFINAMESPACE::Wifi *m_wifi = nullptr;
    // The LAN server, null until the network is first up.
    std::atomic<myServer *> server{nullptr};
    // The open file-transfer notice, null when none is open.
    QPointer<SendFileDialog> dialog;

    // Whole degrees as the last "M105" poll read them; thread-safe.
    int getCurrentExtruderTemp();
    int getTargetExtruderTemp();
    int getCurrentPlatformTemp();
    int getTargetPlatformTemp();
    // False from the moment the board is found not to answer until the poll
    // reads the temperatures again: the values above are then old, no
    // reading. Thread-safe.
    bool temperaturesLive();
    // A read-out as the screens show it, "<current>/<target>℃", with "--"
    // for a current value that is no reading.
    static QString degreesText(int current, int target, bool live);

    // The last "M113" of the status poll, read while the printing page is
    // open and filament detection is on: false only when the sensor reported
    // no filament; true too when the sensor is faulty or did not answer.
    bool filamentCheckStatu();
    bool getUpanStatus();
    bool getUDiskState();
    bool getNetworkConnectedStatus();
    QString getWiFiIpAddress();
    void clearIpAddr();
    static int getLocalMac(std::string ifname, std::string &mac);
    // The highest a.b.c sub-directory of dir, compared number by number;
    // "1.0.0" when there is none.
    static QString getLatestVersionNumber(QString &dir);
    void setWiFiAndHotspotHide();
    // Stops the one-second poll (nothing more goes to the board).
    void cancelUpdateStatus();
    // Starts it again after an update that did not install.
    void resumeUpdateStatus();
    UpdateManager *getUpdateManagerClass();
    void findTheLatestFirmware();
    void clearAgoState();

signals:
    void sig_usbMount();
    void sig_usbUnmount();

public slots:
    void initView();
    void dialogShow(QString text);
    void dialogClose();
    void artMachine();
    void startScan();
    void on_showBuild_clicked();
    void on_showTool_clicked();
    void on_showControl_clicked();
    void on_showLevel_clicked();

protected:
    void changeEvent(QEvent *event) override;

private slots:
    void statusTick();
    void statusRead(StatusReading reading);
    void offerPowerLossResume();
    void resumeWifiMode();
    void usbMounted();
    void usbUnmounted();
    void lanServerStarted();
    void lanPrintFile(QString path);
    void lanMotorsOn();
    void lanControlTaken();
    void lanControlReleased();
    void showBoardResponding();
    void newVersionDownloaded();

private:
    class LanState;
    static constexpr int kTickMs = 1000;
    // What the program gave setHooks().
    static MainWindowHooks hooks;
    void askEndStopsAndTellTheBoard();
    void trackPrintPageExtruder(bool open, const StatusReading &reading);
    void maybeStartLanServer();
    void showTemperatures();
    void showPrinterName();
    void showConnectivity();
    bool guardedOpen(const std::function<void()> &opener);
    void startUpdateChecker();

    Ui::MainWindow *ui;
    SerialObject *m_link;
    QTimer *m_statusTimer = nullptr;
    StatusPoller *m_poller = nullptr;
    UsbMonitor *m_usb = nullptr;
    NetworkWatcher *m_network = nullptr;
    UpdateManager *m_updateManager = nullptr;
    std::unique_ptr<LanState> m_lanState;
    std::atomic<bool> m_lanStarting{false};
    // An M23 was accepted and its printing page is not open yet.
    std::atomic<bool> m_lanPrintStarting{false};
    std::thread m_lanStarter;
    std::atomic<myServer *> m_pendingServer{nullptr};
    QString m_endStopsAtStart;
    // Open while the printer link counts the motion board as not responding.
    QPointer<OneButtonDialog> m_boardNotice;

    mutable std::mutex m_tempMutex;
    int m_nozzle = 0, m_nozzleTarget = 0, m_bed = 0, m_bedTarget = 0;
    bool m_temperaturesLive = true;
    // The poll's "M119" while a LAN client holds control.
    bool m_endStopsRead = false;
    StringBrevik::EndStops m_endStops;
    mutable std::mutex m_netMutex;
    QString m_ipAddress;
    // What the status bar's icons show; empty until they are first set.
    std::optional<bool> m_usbIconShows, m_wifiIconShows;

    StatusReading::Filament m_filament = StatusReading::Filament::NotRead;

    // Extruder travel while the printing page is open.
    bool m_trackingExtruder = false;
    double m_lastE = 0;
    double m_extruderTravel = 0;
};
