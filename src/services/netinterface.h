#pragma once

#include <string>

// Queries of the network interfaces through socket ioctls.
namespace NetInterface {

// The printer's Wi-Fi interface, "wlan0". In a sandbox root the queries
// below read the state the stand-in tools keep under the root instead of
// asking the host's interfaces.
std::string wifiInterfaceName();

// The IPv4 address of `ifname` as dotted text; empty when it has none.
std::string ipv4Address(const std::string &ifname);

// The hardware address of `ifname` as "%02X:%02X:%02X:%02X:%02X:%02X".
// Returns 0, or -1 with `mac` empty when the query fails.
int getLocalMac(const std::string &ifname, std::string &mac);

} // namespace NetInterface
