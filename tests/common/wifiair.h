#pragma once

#include "sysroot.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// The Wi-Fi side of a sandbox root for tests: the networks in the air that
// the stand-in tools (sim/tools/wifi-standin) see, the saved configuration,
// and the tool calls they recorded.
struct WifiAir {
    struct Network {
        QString ssid;
        int signal;       // dBm
        QString security; // open, wep, wpa, wpa2, mixed, 8021x
        QString password;
    };

    static QString path(const QString &devicePath) { return SysRoot::path(devicePath); }

    static void write(const QString &devicePath, const QByteArray &content)
    {
        QFile file(path(devicePath));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(content);
    }

    static QString read(const QString &devicePath)
    {
        QFile file(path(devicePath));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // Nothing running or held, the interface down, no saved network, an
    // empty log.
    static void reset()
    {
        QDir(path("/run/standin-hold")).removeRecursively();
        QFile::remove(path("/run/standin-wifi.json"));
        write("/run/standin-net/wlan0", "up=0\ninet=\nnetmask=\n");
        write("/opt/wifi/wpa_supplicant.conf", "ctrl_interface=DIR=/var/run/wpa_supplicant\nupdate_config=1\n");
        write("/standin.log", "");
    }

    // Leases are loopback addresses, which the LAN server can bind on a host.
    static void setNetworks(const QList<Network> &networks, int scanDelayMs = 0)
    {
        QJsonArray list;
        for (const Network &n : networks)
            list.append(QJsonObject{{"ssid", n.ssid}, {"signal", n.signal}, {"security", n.security},
                                    {"password", n.password}, {"lease", "127.0.0.1"}});
        write("/wifi-air.json",
              QJsonDocument(QJsonObject{{"networks", list}, {"scan_delay_ms", scanDelayMs}}).toJson());
    }

    static void saveNetwork(const QString &ssid, const QString &psk)
    {
        QFile file(path("/opt/wifi/wpa_supplicant.conf"));
        if (file.open(QIODevice::Append))
            file.write(QStringLiteral("\nnetwork={\n\tssid=\"%1\"\n\tkey_mgmt=WPA-PSK\n\tpsk=\"%2\"\n}\n")
                           .arg(ssid, psk)
                           .toUtf8());
    }

    static QString config() { return read("/opt/wifi/wpa_supplicant.conf"); }

    // The recorded calls (tool name, then each argument), of one tool or all.
    static QList<QStringList> calls(const QString &tool = QString())
    {
        QList<QStringList> result;
        for (const QString &line : read("/standin.log").split('\n', Qt::SkipEmptyParts)) {
            const QStringList call = line.split('\t');
            if (tool.isEmpty() || call.first() == tool)
                result << call;
        }
        return result;
    }

    // While held, calls of `tool` hang (for at most 8 seconds).
    static void hold(const QString &tool)
    {
        QDir().mkpath(path("/run/standin-hold"));
        write("/run/standin-hold/" + tool, "");
    }
    static void release(const QString &tool) { QFile::remove(path("/run/standin-hold/" + tool)); }

    // The SSID of the network the stand-in supplicant is joined to, or empty.
    static QString joined()
    {
        const QJsonObject state = QJsonDocument::fromJson(read("/run/standin-wifi.json").toUtf8()).object();
        const QJsonValue current = state.value("current");
        for (const QJsonValue network : state.value("networks").toArray())
            if (!current.isNull() && network.toObject().value("id") == current)
                return QString::fromUtf8(QByteArray::fromHex(network.toObject().value("ssid_hex").toString().toLatin1()));
        return QString();
    }

    // The daemons the stand-ins consider running.
    static QStringList running()
    {
        const QJsonObject state = QJsonDocument::fromJson(read("/run/standin-wifi.json").toUtf8()).object();
        return state.value("daemons").toObject().keys();
    }
};
