#pragma once

#include "wifitypes.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <list>
#include <mutex>
#include <thread>

class MenuTable;
class QTimer;
namespace WIFINAMESPACE {
class Wifi;
}
namespace Ui {
class WIFIPage;
}

// The Wi-Fi page: the station switch, the networks in reach (6 a page, the
// joined one first with a tick), one tap to join (the keyboard asks the
// password of a locked network), two taps on the joined network to forget
// it. Scans run on a thread of the page; the controller reports joins.
class WIFIPage : public QDialog {
    Q_OBJECT
public:
    explicit WIFIPage(QWidget *parent = nullptr);
    ~WIFIPage() override;

    static WIFIPage *instWIFIPage;

signals:
    void sig_hideOneLableDialog();

public slots:
    void changeUIForWIFIConnected(QString ssid = QString());
    void changeUIForWIFIConnectFailed(QString ssid);
    void changeUIForWIFIConnecting();
    void getInitWIFIList();
    void itemDoClicked(int index);
    void itemDoubleClicked(int index);
    void on_switch_2_clicked();
    void receiveData(QString text);
    void handleReceiveData();
    void timerOut();
    void hideOneLableDialog();

private slots:
    void voidPendingClick();

private:
    enum wifi_switch_state_t { WIFI_SWITCH_ON = 0, WIFI_SWITCH_OFF = 1 };

    void itemClicked();
    void startInitWiFiList();
    void showList();
    void showSwitch(bool on);
    void showNotice(const QString &text);
    void hideNotice();
    void connectSelected();

    Ui::WIFIPage *ui;
    MenuTable *m_menu;
    QList<WIFINAMESPACE::WifiInfo> m_wifiList;
    int m_item = -1; // index of a pending first tap
    wifi_switch_state_t m_wifiSwitchState = WIFI_SWITCH_OFF;
    QString m_receiveData;
    QString connectedSSID;
    WIFINAMESPACE::WifiInfo m_selectWifi;
    QTimer *m_ClickTimeoutTimer;
    WIFINAMESPACE::Wifi *m_wifi;
    bool m_functionProtect = false; // a scan runs: the list is not changed meanwhile
    QString m_joinedDuringScan;      // a join reported while scanning
    bool clickFlag = false;
    bool doubleClickFlag = false;
    bool wifiListReShow = false;

    // Handed from the scan thread to the GUI thread.
    std::thread m_initWiFiListPid;
    std::mutex m_scanMutex;
    std::list<WIFINAMESPACE::wifi_ap_t> m_wifiListTemp;
    QString m_scannedConnection;
};
