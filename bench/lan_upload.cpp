// Upload throughput of the LAN server over loopback against writing the same
// bytes straight to a file (both made durable with fsync).
#include "fakeprinterstate.h"
#include "lantestclient.h"

#include "lan/myserver.h"
#include "sysroot.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <random>
#include <unistd.h>

namespace {
constexpr int kFileSize = 50 * 1024 * 1024;

double megabytesPerSecond(qint64 bytes, qint64 elapsedMs)
{
    return (bytes / (1024.0 * 1024.0)) / (qMax<qint64>(elapsedMs, 1) / 1000.0);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir root;
    QDir().mkpath(root.path() + "/data");
    QDir().mkpath(root.path() + "/opt/PROGRAM/config");
    SysRoot::setRoot(root.path());

    QByteArray data(kFileSize, Qt::Uninitialized);
    std::mt19937 generator(1);
    for (char &c : data)
        c = char(generator());
    const QByteArray framed = LanTestClient::blocks(data, 4096);

    QElapsedTimer timer;
    timer.start();
    QFile plain(root.path() + "/data/plain.gx");
    if (!plain.open(QIODevice::WriteOnly) || plain.write(data) != data.size() || !plain.flush()
        || ::fsync(plain.handle()) != 0)
        return 1;
    plain.close();
    const qint64 plainMs = timer.elapsed();

    FakePrinterState state;
    myServer server(&state, QStringLiteral("127.0.0.1"), 0, 0);
    LanTestClient client;
    if (!server.start() || !client.connectTo(server.tcpPort())
        || !client.command("M601 S1").contains("Control Success."))
        return 1;
    timer.restart();
    client.sendRaw("~M28 " + QByteArray::number(data.size()) + " 0:/user/upload.gx\r\n");
    client.readLine();
    client.readLine();
    client.sendRaw(framed);
    const QByteArray reply = client.readReply();
    const qint64 uploadMs = timer.elapsed();
    if (!reply.contains("Done saving file."))
        return 1;

    std::printf("plain file write : %8.1f MB/s (%lld ms)\n", megabytesPerSecond(kFileSize, plainMs),
                static_cast<long long>(plainMs));
    std::printf("LAN upload       : %8.1f MB/s (%lld ms, 4096-byte blocks)\n",
                megabytesPerSecond(kFileSize, uploadMs), static_cast<long long>(uploadMs));
    return 0;
}
