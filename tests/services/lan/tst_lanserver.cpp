#include "fakeprinterstate.h"
#include "lantestclient.h"

#include "lan/discoveryrecord.h"
#include "lan/myserver.h"
#include "lan/uploadblock.h"
#include "sysroot.h"

#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <random>
#include <thread>
#include <vector>

namespace {
QByteArray randomBytes(int size)
{
    std::mt19937 generator(size);
    QByteArray data(size, Qt::Uninitialized);
    for (char &c : data)
        c = char(generator());
    return data;
}
} // namespace

// Records the server's signals as they arrive on the GUI thread.
class SignalLog : public QObject {
    Q_OBJECT
public:
    QStringList events;
    bool allOnGuiThread = true;

    void attach(myServer *server)
    {
        connect(server, &myServer::sig_printFile, this, [this](const QString &path) { record("print:" + QFileInfo(path).fileName()); });
        connect(server, &myServer::sig_printresume, this, [this] { record("resume"); });
        connect(server, &myServer::sig_printpause, this, [this] { record("pause"); });
        connect(server, &myServer::sig_printcancel, this, [this] { record("cancel"); });
        connect(server, &myServer::sig_dialogShow, this, [this](const QString &text) { record("show:" + text); });
        connect(server, &myServer::sig_dialogClose, this, [this] { record("close"); });
        connect(server, &myServer::sig_controlTaken, this, [this] { record("taken"); });
        connect(server, &myServer::sig_controlReleased, this, [this] { record("released"); });
    }

private:
    void record(const QString &event)
    {
        allOnGuiThread = allOnGuiThread && QThread::currentThread() == thread();
        events << event;
    }
};

class TestLanServer : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_root;
    FakePrinterState m_state;
    std::unique_ptr<myServer> m_server;
    std::unique_ptr<SignalLog> m_log;

    QString dataDir() const { return m_root->path() + "/data"; }
    QStringList dataEntries() const
    {
        return QDir(dataDir()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    void connectWithControl(LanTestClient &client)
    {
        QVERIFY(client.connectTo(m_server->tcpPort()));
        QVERIFY(client.command("M601 S1").contains("Control Success."));
    }

private slots:
    void init()
    {
        m_root.reset(new QTemporaryDir);
        QVERIFY(QDir().mkpath(dataDir()));
        QVERIFY(QDir().mkpath(m_root->path() + "/opt/PROGRAM/config"));
        SysRoot::setRoot(m_root->path());
        m_state.status = MACHINE_STATUS_READY;
        m_state.setAddress(QString());
        m_server.reset(new myServer(&m_state, QStringLiteral("127.0.0.1"), 0, 0));
        m_log.reset(new SignalLog);
        m_log->attach(m_server.get());
    }

    void cleanup()
    {
        m_server.reset();
        m_log.reset();
    }

    void uploadsLandWholeAndInOrder()
    {
        QVERIFY(m_server->start());
        LanTestClient client;
        connectWithControl(client);

        const QByteArray first = randomBytes(300 * 1024 + 17);
        const QByteArray reply = client.upload("part one.gx", first);
        QVERIFY2(reply.endsWith("Done saving file.\r\nok\r\n"), reply);
        QVERIFY(reply.startsWith("CMD M28 Received.\r\nWriting to file: part one.gx\r\n"));
        QFile landed(dataDir() + "/part one.gx");
        QVERIFY(landed.open(QIODevice::ReadOnly));
        QCOMPARE(landed.readAll(), first);

        QVERIFY(client.upload("second.GCODE", randomBytes(5000)).endsWith("Done saving file.\r\nok\r\n"));
        QCOMPARE(dataEntries(), QStringList({"part one.gx", "second.GCODE"}));
        QVERIFY(QFileInfo(dataDir() + "/second.GCODE").lastModified()
                > QFileInfo(dataDir() + "/part one.gx").lastModified());
        QTRY_COMPARE(m_log->events, QStringList({"taken", "show:Receive file", "close",
                                                 "show:Receive file", "close"}));
    }

    void corruptBlockIsRefusedAndNothingKept()
    {
        QVERIFY(m_server->start());
        LanTestClient client;
        connectWithControl(client);

        const QByteArray reply = client.upload("broken.gx", randomBytes(40000), 3);
        QVERIFY2(reply.endsWith("Error: CRC check failed in block 3\r\nok\r\n"), reply);
        QCOMPARE(dataEntries(), QStringList());
        QTRY_COMPARE(m_log->events, QStringList({"taken", "show:Receive file", "close", "show:CRC ERROR"}));
        // The rest of the failed upload was read past: the line stays usable.
        QVERIFY(client.command("M105").contains("T0:201 /210 B:58/60"));
    }

    void brokenFrameEndsTheConnection()
    {
        QVERIFY(m_server->start());
        LanTestClient client;
        connectWithControl(client);
        QVERIFY(client.sendRaw("~M28 10000 0:/user/x.gx\r\n"));
        client.readLine();
        QVERIFY(client.readLine().startsWith("Writing to file"));
        QByteArray framed = LanTestClient::blocks(randomBytes(10000), 4096);
        framed[4] = 7; // counter of the first block
        QVERIFY(client.sendRaw(framed));
        const QByteArray reply = client.readReply();
        QVERIFY2(reply.endsWith("Error: block 7 out of order, expected 0\r\nok\r\n"), reply);
        QCOMPARE(client.readLine(), QByteArray()); // the server has hung up
        client.close();
        QTRY_COMPARE(m_server->connectState(), Machine_Connect_None);
        QCOMPARE(dataEntries(), QStringList());
    }

    // Blocks carrying more than the announced size are refused: nothing of
    // the upload is kept and the connection ends.
    void blocksPastTheAnnouncedSizeAreRefused()
    {
        QVERIFY(m_server->start());
        LanTestClient client;
        connectWithControl(client);
        QVERIFY(client.sendRaw("~M28 5000 0:/user/long.gx\r\n"));
        client.readLine();
        QVERIFY(client.readLine().startsWith("Writing to file"));
        QVERIFY(client.sendRaw(LanTestClient::blocks(randomBytes(8192), 4096)));
        const QByteArray reply = client.readReply();
        QVERIFY2(reply.endsWith("Error: bad block length in block 1\r\nok\r\n"), reply);
        QCOMPARE(client.readLine(), QByteArray());
        QCOMPARE(dataEntries(), QStringList());
    }

    void unsafeUploadsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("parent") << QByteArray("~M28 10 0:/user/../x.gx");
        QTest::newRow("absolute") << QByteArray("~M28 10 /etc/x.gx");
        QTest::newRow("control char") << QByteArray("~M28 10 0:/user/a\x01" "b.gx");
        QTest::newRow("not a print file") << QByteArray("~M28 10 0:/user/x.exe");
        QTest::newRow("hidden") << QByteArray("~M28 10 0:/user/.x.gx");
        QTest::newRow("empty name") << QByteArray("~M28 10 0:/user/");
        QTest::newRow("no size") << QByteArray("~M28 0:/user/x.gx");
        QTest::newRow("larger than the disk") << QByteArray("~M28 1125899906842624 0:/user/x.gx");
    }

    void unsafeUploadsAreRefused()
    {
        QFETCH(QByteArray, line);
        QVERIFY(m_server->start());
        LanTestClient client;
        connectWithControl(client);
        QVERIFY(client.sendRaw(line + "\r\n"));
        const QByteArray reply = client.readReply();
        QVERIFY2(reply.startsWith("CMD M28 Received.\r\nError: ") && reply.endsWith("ok\r\n"), reply);
        QCOMPARE(dataEntries(), QStringList());
        QVERIFY(!m_log->events.contains("show:Receive file"));
    }

    void cutOffUploadsLeaveNothing()
    {
        m_server->setIdleTimeoutMs(300);
        QVERIFY(m_server->start());
        const QByteArray data = randomBytes(64 * 1024);

        LanTestClient dropped;
        connectWithControl(dropped);
        dropped.sendRaw("~M28 65536 0:/user/dropped.gx\r\n");
        dropped.readLine();
        QVERIFY(dropped.readLine().startsWith("Writing to file"));
        dropped.sendRaw(LanTestClient::blocks(data, 4096).left(30000));
        QTRY_COMPARE(dataEntries().size(), 1); // the hidden temporary file
        dropped.close();
        QTRY_COMPARE(dataEntries(), QStringList());
        QTRY_VERIFY(m_log->events.endsWith("released"));
        QVERIFY(m_log->events.contains("close"));

        LanTestClient silent;
        connectWithControl(silent);
        silent.sendRaw("~M28 65536 0:/user/silent.gx\r\n");
        const QByteArray reply = silent.readReply();
        QVERIFY2(reply.endsWith("Error: upload timed out\r\nok\r\n"), reply);
        QTRY_COMPARE(dataEntries(), QStringList());
    }

    void printCommandsReachTheGuiThread()
    {
        QVERIFY(m_server->start());
        QFile file(dataDir() + "/cube.gcode");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        LanTestClient client;
        connectWithControl(client);

        QCOMPARE(client.command("M23 0:/user/cube.gcode"),
                 QByteArray("CMD M23 Received.\r\nFile selected: cube.gcode\r\nok\r\n"));
        QCOMPARE(client.command("M25"), QByteArray("CMD M25 Received.\r\nok\r\n"));
        m_state.resumeBlocked = true; // a filament change runs over the paused print
        QVERIFY(client.command("M24").contains("Error: printer busy"));
        m_state.resumeBlocked = false;
        client.command("M24");
        client.command("M26");
        QVERIFY(client.command("M23 0:/user/missing.gcode").contains("Error: file not found"));
        m_state.status = MACHINE_STATUS_BUILDING_FROM_SD;
        QVERIFY(client.command("M23 0:/user/cube.gcode").contains("Error: printer busy"));
        QVERIFY(client.command("M602").contains("Control Release."));

        QTRY_COMPARE(m_log->events, QStringList({"taken", "print:cube.gcode", "pause", "resume",
                                                 "cancel", "close", "released"}));
        QVERIFY(m_log->allOnGuiThread);
        QCOMPARE(m_server->connectState(), Machine_Connect_None);
    }

    void controlGuardsCommandsAndReportsState()
    {
        QVERIFY(m_server->start());
        LanTestClient first, second;
        QVERIFY(first.connectTo(m_server->tcpPort()));
        QVERIFY(second.connectTo(m_server->tcpPort()));

        QVERIFY(first.command("M105").contains("Error: no control"));
        QVERIFY(first.command("M25").contains("Error: no control"));
        QCOMPARE(first.command("M115"), QByteArray("CMD M115 Received.\r\nMachine Name: Bench printer\r\n"
                                                   "Firmware: 1.2.3\r\nSN: SN0001\r\nok\r\n"));
        QVERIFY(first.command("M601 S1").contains("Control Success."));
        QCOMPARE(m_server->connectState(), Machine_Connected);
        QVERIFY(second.command("M601 S1").contains("Error: control held by another client"));

        QCOMPARE(first.command("M105"), QByteArray("CMD M105 Received.\r\nT0:201 /210 B:58/60\r\nok\r\n"));
        QCOMPARE(first.command("M119"),
                 QByteArray("CMD M119 Received.\r\nMachineStatus: READY\r\nMoveMode: MOVING\r\nok\r\n"));
        QVERIFY(first.command("M27").contains("SD printing byte 42/100"));

        first.close(); // control goes with the connection
        QTRY_COMPARE(m_server->connectState(), Machine_Connect_None);
        QVERIFY(second.command("M601 S1").contains("Control Success."));
        QVERIFY(!m_log->events.contains("pause"));
    }

    void badInputIsAnsweredAndServingGoesOn()
    {
        QVERIFY(m_server->start());
        LanTestClient noisy;
        QVERIFY(noisy.connectTo(m_server->tcpPort()));
        for (const QByteArray &line : {QByteArray("hello"), QByteArray("~X1"), QByteArray("~M"),
                                       QByteArray("~M99999"), QByteArray("\xff\x00\x01", 3),
                                       QByteArray(600, 'A')}) {
            QVERIFY(noisy.sendRaw(line + "\r\n"));
            const QByteArray reply = noisy.readReply();
            QVERIFY2(reply.startsWith("CMD ? Received.\r\nError: "), reply);
        }
        QVERIFY(noisy.command("M601").contains("Control Success."));
        QVERIFY(noisy.command("M999").contains("Error: unknown command"));

        LanTestClient other;
        QVERIFY(other.connectTo(m_server->tcpPort()));
        QVERIFY(other.command("M115").contains("Machine Name"));
    }

    // Lines without a command do not keep a client's place or control, nor
    // does a command or an upload whose bytes trickle in (one each poll of
    // the wait here, well within the idle limit every time), nor an upload
    // whose blocks each come whole and in time but fall behind the minimum
    // pace on average.
    void onlyCommandsKeepAClient()
    {
        m_server->setIdleTimeoutMs(500);
        QVERIFY(m_server->start());
        LanTestClient idle;
        connectWithControl(idle);
        QTRY_VERIFY(!idle.sendRaw("\r\n") || m_server->connectState() == Machine_Connect_None);

        LanTestClient slowCommand;
        connectWithControl(slowCommand);
        QVERIFY(slowCommand.sendRaw("~M27"));
        QTRY_VERIFY(!slowCommand.sendRaw(" ") || m_server->connectState() == Machine_Connect_None);

        LanTestClient slowUpload;
        connectWithControl(slowUpload);
        QVERIFY(slowUpload.sendRaw("~M28 65536 0:/user/slow.gx\r\n"));
        slowUpload.readLine();
        QVERIFY(slowUpload.readLine().startsWith("Writing to file"));
        const QByteArray frames = LanTestClient::blocks(randomBytes(65536), 4096);
        int sent = 0;
        QTRY_VERIFY(!slowUpload.sendRaw(frames.mid(sent++, 1)) || m_server->connectState() == Machine_Connect_None);
        QVERIFY(slowUpload.readReply().endsWith("Error: upload timed out\r\nok\r\n"));
        QTRY_COMPARE(dataEntries(), QStringList());

        LanTestClient laggingUpload;
        connectWithControl(laggingUpload);
        QVERIFY(laggingUpload.sendRaw("~M28 4096 0:/user/lagging.gx\r\n"));
        laggingUpload.readLine();
        QVERIFY(laggingUpload.readLine().startsWith("Writing to file"));
        const int tinyBlock = UploadBlock::kHeaderSize + 1;
        const QByteArray tinyBlocks = LanTestClient::blocks(randomBytes(4096), 1);
        int block = 0;
        QTRY_VERIFY(!laggingUpload.sendRaw(tinyBlocks.mid(tinyBlock * block++, tinyBlock))
                    || m_server->connectState() == Machine_Connect_None);
        QVERIFY(laggingUpload.readReply().endsWith("Error: upload timed out\r\nok\r\n"));
        QTRY_COMPARE(dataEntries(), QStringList());

        LanTestClient next;
        connectWithControl(next);
    }

    // Connections beyond the places wait in a line, served in order of
    // arrival; one beyond the line is turned away at once.
    void extraClientsWaitTheirTurn()
    {
        QVERIFY(m_server->start());
        LanTestClient served[myServer::kMaxClients];
        for (LanTestClient &client : served) {
            QVERIFY(client.connectTo(m_server->tcpPort()));
            QVERIFY(client.command("M115").endsWith("ok\r\n"));
        }
        LanTestClient waiting[myServer::kMaxWaiting];
        for (LanTestClient &client : waiting) {
            QVERIFY(client.connectTo(m_server->tcpPort()));
            QVERIFY(client.sendRaw("~M115\r\n"));
        }
        LanTestClient extra;
        QVERIFY(extra.connectTo(m_server->tcpPort()));
        QCOMPARE(extra.readLine(), QByteArray("Error: too many clients\r\n"));
        QCOMPARE(extra.readLine(), QByteArray());

        served[0].close();
        QVERIFY(waiting[0].readReply().contains("Machine Name"));
        served[1].close();
        waiting[2].close(); // gave up: its turn passes on
        QVERIFY(waiting[1].readReply().contains("Machine Name"));
        served[2].close();
        QVERIFY(waiting[3].readReply().contains("Machine Name"));
    }

    // Clients that reconnect the moment they are served, twice as many as
    // there are places, do not keep the others out.
    void reconnectingClientsDoNotStarveOthers()
    {
        QVERIFY(m_server->start());
        const quint16 port = m_server->tcpPort();
        std::atomic<bool> stop{false};
        std::atomic<int> rounds{0};
        std::vector<std::thread> loopers;
        for (int i = 0; i < 2 * myServer::kMaxClients; ++i)
            loopers.emplace_back([&] {
                LanTestClient client;
                for (int round = 0; round < 20000 && !stop; ++round, ++rounds) {
                    if (client.connectTo(port))
                        client.command("M115");
                    client.close();
                }
            });
        QTRY_VERIFY(rounds > 100);
        QByteArrayList replies;
        for (int i = 0; i < 10; ++i) {
            LanTestClient other;
            replies << (other.connectTo(port) ? other.command("M115") : QByteArray("no connection"));
        }
        stop = true;
        for (std::thread &looper : loopers)
            looper.join();
        for (const QByteArray &reply : replies)
            QVERIFY2(reply.contains("Machine Name"), reply);
    }

    void discoveryAnswersWithTheRecord()
    {
        QVERIFY(m_server->start());
        const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        in_addr loopback{};
        loopback.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &loopback, sizeof loopback), 0);
        timeval timeout{5, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        sockaddr_in group{};
        group.sin_family = AF_INET;
        group.sin_port = htons(m_server->discoveryPort());
        ::inet_pton(AF_INET, "225.0.0.9", &group.sin_addr);
        QVERIFY(::sendto(fd, "?", 1, 0, reinterpret_cast<sockaddr *>(&group), sizeof group) == 1);

        char answer[512];
        const ssize_t n = ::recv(fd, answer, sizeof answer, 0);
        QCOMPARE(int(n), DiscoveryRecord::kSize);
        QCOMPARE(QByteArray(answer + DiscoveryRecord::kNameOffset), QByteArray("Bench printer"));
        QCOMPARE(QByteArray(answer + DiscoveryRecord::kAddressOffset), QByteArray("127.0.0.1"));
        QCOMPARE(qFromLittleEndian<quint16>(answer + DiscoveryRecord::kPortOffset), m_server->tcpPort());

        // The station got another address: the record follows it.
        m_state.setAddress("192.168.7.31");
        QVERIFY(::sendto(fd, "?", 1, 0, reinterpret_cast<sockaddr *>(&group), sizeof group) == 1);
        QCOMPARE(int(::recv(fd, answer, sizeof answer, 0)), DiscoveryRecord::kSize);
        ::close(fd);
        QCOMPARE(QByteArray(answer + DiscoveryRecord::kAddressOffset), QByteArray("192.168.7.31"));
        QCOMPARE(qFromLittleEndian<quint16>(answer + DiscoveryRecord::kStatusOffset),
                 quint16(MACHINE_STATUS_READY));
    }
};

QTEST_GUILESS_MAIN(TestLanServer)
#include "tst_lanserver.moc"
