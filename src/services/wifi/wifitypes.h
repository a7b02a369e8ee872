#pragma once

#include <QString>

#include <string>

namespace WIFINAMESPACE {

// One network of a scan, as the controller hands it to the Wi-Fi page.
struct wifi_ap_t {
    std::string ssid;    // UTF-8 bytes, escapes of the scan tool decoded
    int id = 0;          // position in the scan, strongest first
    int quality = 0;     // signal level in dBm (negative)
    std::string auth;    // "none", "WEP", "WPA", "WPA2", "mixed" or "802.1X"
    std::string status;
};

enum WifiLockFlag { WifiLock_None = 0, WifiLock_Yes = 1 };
enum WifiSignalLevel { WifiLevel_None = 0, WifiLevel_Point = 1, WifiLevel_Medium = 2, WifiLevel_Strong = 3 };
enum WI_FI_key_mgmt {
    WIFI_Key_NONE = 0,
    WIFI_Key_WPA_PSK = 1,
    WIFI_Key_WPA2_PSK = 2,
    WIFI_Key_MIXED = 3,
    WIFI_Key_8021x = 4,
};
// 802.1X settings; the page leaves them at zero (it asks no identity).
enum eap_method { EAP_METHOD_PEAP = 0, EAP_METHOD_TTLS = 1 };
enum eap_phase_authentication { EAP_PHASE2_MSCHAPV2 = 0, EAP_PHASE2_GTC = 1 };

// A network as the Wi-Fi page shows it and hands it back for connecting.
class WifiInfo {
public:
    WifiInfo() = default;
    WifiInfo(QString ssid, WifiLockFlag locked, WifiSignalLevel level, WI_FI_key_mgmt mgmt)
        : m_ssidName(std::move(ssid))
        , m_locked(locked)
        , m_signalLevel(level)
        , m_wifiMgmt(mgmt)
    {
    }

    QString ssid() const { return m_ssidName; }
    WifiLockFlag locked() const { return m_locked; }
    WifiSignalLevel signalLevel() const { return m_signalLevel; }
    WI_FI_key_mgmt wifiMgmt() const { return m_wifiMgmt; }
    QString connect() const { return connected; }
    void setConnect(const QString &text) { connected = text; }
    void setPassword(const QString &password) { m_password = password; }

    QString m_ssidName = QStringLiteral("not set");
    QString m_password;
    QString m_identity;
    eap_method m_eapMothod = EAP_METHOD_PEAP;
    eap_phase_authentication m_eapPhase2 = EAP_PHASE2_MSCHAPV2;
    WifiLockFlag m_locked = WifiLock_None;
    WifiSignalLevel m_signalLevel = WifiLevel_None;
    WI_FI_key_mgmt m_wifiMgmt = WIFI_Key_NONE;
    QString connected; // "connected" or empty
};

} // namespace WIFINAMESPACE
