#pragma once

#include "wifi.h"

#include <QDialog>
#include <QList>
#include <QString>

class MenuTable;
class QTableWidgetItem;
class QTimer;
namespace Ui {
class WIFIPage;
}

// The Wi-Fi page: the station switch, the networks in reach (6 a page, the
// joined one first with a tick), one tap to join (the keyboard asks the
// password of a locked network), two taps on the joined network to forget
// it. The controller scans and joins on its own thread and reports back.
class WIFIPage : public QDialog {
    Q_OBJECT
public:
    explicit WIFIPage(QWidget *parent = nullptr);
    ~WIFIPage() override;

    static WIFIPage *instWIFIPage;

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
    void scanFinished(WIFINAMESPACE::ScanResult networks, QString joinedSsid);

private slots:
    void voidPendingClick();
    void rowDoubleClicked(QTableWidgetItem *item);

private:
    enum wifi_switch_state_t { WIFI_SWITCH_ON = 0, WIFI_SWITCH_OFF = 1 };

    void itemClicked();
    void startInitWiFiList();
    void showList();
    void showSwitch(bool on);
    void showPaging(bool shown);
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
    int m_scansPending = 0;     // while one runs, a join reported waits for its list
    QString m_joinedDuringScan; // a join reported while scanning
    bool clickFlag = false;
    bool doubleClickFlag = false;
    bool wifiListReShow = false;
};
