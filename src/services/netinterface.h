#pragma once

#include <string>

// Queries of the network interfaces through socket ioctls.
namespace NetInterface {

// The interface the Wi-Fi station uses: "wlan0" on the printer; in a sandbox
// root the loopback interface "lo" stands in for it.
std::string wifiInterfaceName();

// The IPv4 address of `ifname` as dotted text; empty when it has none.
std::string ipv4Address(const std::string &ifname);

// The hardware address of `ifname` as "%02X:%02X:%02X:%02X:%02X:%02X".
// Returns 0, or -1 with `mac` empty when the query fails.
int getLocalMac(const std::string &ifname, std::string &mac);

} // namespace NetInterface
