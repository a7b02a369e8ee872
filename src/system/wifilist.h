#pragma once

#include "wifitypes.h"

#include <QList>
#include <QString>

#include <list>

// The Wi-Fi page's list: scan records turned into the networks it shows.
namespace WifiList {

// Bars for a signal level in dBm.
WIFINAMESPACE::WifiSignalLevel levelFor(int dBm);
// Key management for the scan's security text.
WIFINAMESPACE::WI_FI_key_mgmt keyMgmtFor(const std::string &auth);

// The scanned networks in scan order, the joined one (if in reach) first
// and marked "connected".
QList<WIFINAMESPACE::WifiInfo> fromScan(const std::list<WIFINAMESPACE::wifi_ap_t> &scan, const QString &connectedSsid);

// Marks the network of `ssid` connected and moves it to the front; every
// other network loses the mark. Nothing is marked when it is not listed.
void markConnected(QList<WIFINAMESPACE::WifiInfo> &networks, const QString &ssid);

// The icon of a row: the tick for the joined network, else bars with or
// without the lock.
QString iconFor(const WIFINAMESPACE::WifiInfo &network);

} // namespace WifiList
