#pragma once

#include "wifitypes.h"

#include <QByteArray>
#include <QString>

#include <list>
#include <map>
#include <string>
#include <vector>

// Reading the Wi-Fi tools' replies and writing their arguments.
namespace WifiText {

// The longest SSID that 802.11 and wpa_supplicant take, in bytes.
constexpr int MaxSsidBytes = 32;

// The networks of an "iwlist wlan0 scan" reply, strongest first; hidden
// networks and names longer than an SSID can be are left out, and an SSID
// seen from several access points is listed once, with its strongest signal.
std::list<WIFINAMESPACE::wifi_ap_t> parseScan(const QByteArray &output);

// One network that wpa_supplicant knows ("wpa_cli list_networks").
struct SavedNetwork {
    int id = -1;
    std::string ssid; // UTF-8 bytes, escapes decoded
    std::string flags;
    bool current() const { return flags.find("[CURRENT]") != std::string::npos; }
    bool rejected() const { return flags.find("[TEMP-DISABLED]") != std::string::npos; }
};
std::vector<SavedNetwork> parseNetworkList(const QByteArray &output);

// The "key=value" lines of "wpa_cli status"; the value of "ssid" decoded.
std::map<std::string, std::string> parseStatus(const QByteArray &output);

// iwlist writes bytes outside printable ASCII as \xHH.
std::string decodeScanText(const std::string &text);
// wpa_cli writes \\, \", \e, \n, \r, \t and other bytes as \xHH.
std::string decodeReplyText(const std::string &text);

// An SSID as wpa_cli takes it without any quoting: its bytes in hex.
QString ssidArgument(const QString &ssid);
// Whether the tools can take the text: an SSID of 1 to 32 bytes; a quoted
// setting (password, identity) without control characters, which would end
// the setting's line in the supplicant's configuration file.
bool fitsSsid(const QString &ssid);
bool fitsQuotedValue(const QString &text);

// A passphrase or other string setting: the text in double quotes, passed
// as one argument (wpa_supplicant takes everything up to the last quote).
QString quotedArgument(const QString &text);

} // namespace WifiText
