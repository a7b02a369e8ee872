#pragma once

#include "lan/vardefine.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

class myServer;
class NetworkWatcher;
class QTimer;
class SendFileDialog;
class SerialObject;
class UsbMonitor;
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
    // Closes pages that must not stay open under a print started over the LAN
    // (the about and jog pages).
    std::function<void()> closeForLanPrint;
};

// The main screen: status bar, nozzle and bed read-outs, the four main
// buttons, the one-second poll of the board and the start-up sequence of the
// services. Pages reach it through instMainWindow.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static MainWindow *instMainWindow;
    static void setHooks(const MainWindowHooks &hooks);

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Written directly by the pages; read by the LAN server's threads.
    std::atomic<machine_status_t> machineStatus{MACHINE_STATUS_READY};
    std::atomic<move_mode_t> moveMode{MOVE_MODE_READY};
    std::atomic<Machine_Connect_State> connectState{Machine_Connect_None};
    WIFI_State wifiState = WIFI_None;
    // The LAN server, null until the network is first up.
    std::atomic<myServer *> server{nullptr};
    // The open file-transfer notice, null when none is open.
    QPointer<SendFileDialog> dialog;

    // Whole degrees as the last "M105" poll read them; thread-safe.
    int getCurrentExtruderTemp();
    int getTargetExtruderTemp();
    int getCurrentPlatformTemp();
    int getTargetPlatformTemp();

    // "M113": true when filament is present or the sensor reports a fault.
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

    // The private part (form, poll timer, temperature lock, services, the
    // LanPrinterState adapter handed to the LAN server) is the main window's own.
};
