#include "netinterface.h"

#include "sysroot.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <arpa/inet.h>
#include <cstdio>
#include <cstring>
#include <net/if.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace NetInterface {

namespace {

// Runs one interface ioctl; false when the name does not fit or the query fails.
bool queryInterface(const std::string &ifname, unsigned long request, ifreq &result)
{
    if (ifname.empty() || ifname.size() >= IFNAMSIZ)
        return false;
    std::memset(&result, 0, sizeof(result));
    std::memcpy(result.ifr_name, ifname.c_str(), ifname.size());
    result.ifr_addr.sa_family = AF_INET;

    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = ::ioctl(fd, request, &result) == 0;
    ::close(fd);
    return ok;
}

// In a sandbox root the stand-in tools keep the interfaces' state there
// (sim/tools/wifi-standin): the address in run/standin-net/<name> as an
// "inet=" line, the MAC in sys/class/net/<name>/address as sysfs has it.
QByteArray sandboxFile(const QString &devicePath)
{
    QFile file(SysRoot::path(devicePath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string sandboxAddress(const std::string &ifname)
{
    const QString name = QString::fromStdString(ifname);
    if (name.contains(QLatin1Char('/')))
        return std::string();
    for (const QByteArray &line : sandboxFile(QStringLiteral("/run/standin-net/") + name).split('\n'))
        if (line.startsWith("inet="))
            return line.mid(5).trimmed().toStdString();
    return std::string();
}

int sandboxMac(const std::string &ifname, std::string &mac)
{
    const QString name = QString::fromStdString(ifname);
    if (name.contains(QLatin1Char('/')))
        return -1;
    const QList<QByteArray> bytes = sandboxFile(QStringLiteral("/sys/class/net/%1/address").arg(name)).trimmed().split(':');
    if (bytes.size() != 6)
        return -1;
    QStringList parts;
    for (const QByteArray &byte : bytes) {
        bool ok = false;
        const uint value = byte.toUInt(&ok, 16);
        if (!ok || byte.size() != 2 || value > 0xFF)
            return -1;
        parts << QString::fromLatin1(byte.toUpper());
    }
    mac = parts.join(QLatin1Char(':')).toStdString();
    return 0;
}

} // namespace

std::string wifiInterfaceName()
{
    return "wlan0";
}

std::string ipv4Address(const std::string &ifname)
{
    if (SysRoot::isSandbox())
        return sandboxAddress(ifname);
    ifreq request;
    if (!queryInterface(ifname, SIOCGIFADDR, request))
        return std::string();
    const sockaddr_in *address = reinterpret_cast<const sockaddr_in *>(&request.ifr_addr);
    char text[INET_ADDRSTRLEN] = {0};
    if (!::inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text)))
        return std::string();
    return text;
}

int getLocalMac(const std::string &ifname, std::string &mac)
{
    mac.clear();
    if (SysRoot::isSandbox())
        return sandboxMac(ifname, mac);
    ifreq request;
    if (!queryInterface(ifname, SIOCGIFHWADDR, request))
        return -1;
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(request.ifr_hwaddr.sa_data);
    char text[18];
    std::snprintf(text, sizeof(text), "%02X:%02X:%02X:%02X:%02X:%02X",
                  bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5]);
    mac = text;
    return 0;
}

} // namespace NetInterface
