#include "boardreplies.h"
#include "stringbrevik.h"

#include <QtTest>

using namespace StringBrevik;

class TestStringBrevik : public QObject {
    Q_OBJECT
private slots:
    void failureTexts()
    {
        QVERIFY(isFailure(QString()));
        QVERIFY(isFailure(QStringLiteral("send failed.")));
        QVERIFY(isFailure(QStringLiteral("m_gpio_mutex timeout")));
        QVERIFY(isFailure(QStringLiteral("statusCheck failed")));
        QVERIFY(isFailure(QStringLiteral("Send failed for parseResult.")));
        QVERIFY(!isFailure(QStringLiteral("15 ok")));
        int n = -1;
        QVERIFY(!firstNumber(QStringLiteral("send failed."), n));
        QVERIFY(!firstNumber(QStringLiteral("ok"), n));
        QVERIFY(firstNumber(QStringLiteral("0 ok"), n));
        QCOMPARE(n, 0);
        QVERIFY(!firstNumber(QStringLiteral("12abc ok"), n)); // glued to text: no count
    }

    // Boards answer the two status queries in a few shapes.
    void replyVariants()
    {
        Temperatures t;
        for (const char *reply : {"16 T:198.5/200 B:59/60", "ok T:198.5 / 200 B:59 /60", "16 ok T0:198.5/200 B:59/60"})
            QVERIFY2(temperatures(reply, t) && t.nozzle == 198.5f && t.bedTarget == 60.0f, reply);
        EndStops e;
        for (const char *reply : {"16 X:1 Y:0 Z:1", "ok X:1 Y:0 Z:1", "16 ok X: 1  Y: 0  Z: 1"})
            QVERIFY2(endStops(reply, e) && e.x && !e.y && e.z, reply);
    }

    void position()
    {
        float x = -1, y = -1, z = -1, e = -1;
        QVERIFY(positionXYZ(QStringLiteral("16 X:10.50 Y:0.00 Z:120.25 E:3.00"), x, y, z));
        QCOMPARE(x, 10.5f);
        QCOMPARE(y, 0.0f);
        QCOMPARE(z, 120.25f);
        QVERIFY(positionE(QStringLiteral("16 X:10.50 Y:0.00 Z:120.25 E:3.00"), e));
        QCOMPARE(e, 3.0f);
        // A short or mislabelled reply is no value, and leaves the outputs alone.
        x = y = z = 7;
        QVERIFY(!positionXYZ(QStringLiteral("16 X:10.50 Y:0.00"), x, y, z));
        QVERIFY(!positionXYZ(QStringLiteral("16 ok"), x, y, z));
        QVERIFY(!positionXYZ(QStringLiteral("16 X:a Y:1 Z:2"), x, y, z));
        QVERIFY(!positionXYZ(QStringLiteral("send failed."), x, y, z));
        QCOMPARE(x, 7.0f);
        QVERIFY(!positionE(QStringLiteral("16 X:1 Y:2 Z:3"), e));
        // Not-a-number and infinity read as floats but are no position.
        for (const char *reply : {"16 X:1.00 Y:2.00 Z:nan E:0.00", "16 X:inf Y:2.00 Z:3.00 E:0.00",
                                  "16 X:1.00 Y:-INF Z:3.00 E:0.00", "16 X:1.00 Y:2.00 Z:NaN E:0.00"})
            QVERIFY2(!positionXYZ(QString::fromLatin1(reply), x, y, z), reply);
        QCOMPARE(z, 7.0f);
        QVERIFY(!positionE(QStringLiteral("16 X:1.00 Y:2.00 Z:3.00 E:nan"), e));
        Temperatures t;
        QVERIFY(!temperatures(QStringLiteral("16 T:1e39/200 B:60.0/60"), t));
    }

    // Line noise is told apart from every reply the board gives; a query's
    // reply is known without its count, an acknowledgement only with it.
    void knownShapes()
    {
        for (const char *reply : {"16 ok", "0 F", "16 error", "T:199.6/200 B:60.0/60", "X:1.00 Y:2.00 Z:3.00 E:4.00",
                                  "X:0 Y:1 Z:0", "FW1.2.3", "B", "Fail"})
            QVERIFY2(hasKnownShape(reply), reply);
        for (const char *reply : {"\x8f#\xfa?|\x13\xc4%k\xe9=", "", "ok", "okay", "16ok", "#16 ok", "16 ok\x8f"})
            QVERIFY2(!hasKnownShape(reply), reply);
        const Reply bare = readReplies("ok").front();
        QVERIFY(!bare.answers(Ack) && readReplies("15 ok").front().answers(Ack));
        QVERIFY(readReplies("F").front().answers(MotionReply) && !readReplies("16 F").front().answers(Ack));
    }

    // Replies that lost their newline are read one after the other from the
    // line's start, each number only where its reply's shape puts it; where
    // the cut is ambiguous nothing of the line is read.
    void mergedRepliesSplitFromTheStart_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("replies"); // "|" between them; "" when unreadable
        QTest::newRow("one") << "15 ok" << "15 ok";
        QTest::newRow("ok, temperatures") << "15 ok16 T:25.0/0 B:25.0/0" << "15 ok|16 T:25.0/0 B:25.0/0";
        QTest::newRow("temperatures, ok") << "16 T:25.0/0 B:25.0/015 ok" << "16 T:25.0/0 B:25.0/0|15 ok";
        QTest::newRow("target and count ambiguous") << "16 T:25.0/60 B:25.0/6015 ok" << "";
        QTest::newRow("position, ok") << "16 X:1.00 Y:2.00 Z:3.00 E:4.0015 ok" << "16 X:1.00 Y:2.00 Z:3.00 E:4.00|15 ok";
        QTest::newRow("end-stops, motion") << "16 X:1 Y:0 Z:115 F" << "16 X:1 Y:0 Z:1|15 F";
        QTest::newRow("three") << "16 F15 ok14 ok" << "16 F|15 ok|14 ok";
        QTest::newRow("word, ok") << "16 Fail16 error15 ok" << "16 Fail|16 error|15 ok";
        QTest::newRow("ok, noise") << "15 ok\x8f#\xfa" << "";
    }

    void mergedRepliesSplitFromTheStart()
    {
        QFETCH(QString, line);
        QFETCH(QString, replies);
        QStringList read;
        bool readable = true;
        for (const Reply &r : readReplies(line.toStdString())) {
            read << QString::fromStdString(r.text);
            readable = readable && r.kinds != 0;
        }
        QCOMPARE(readable ? read.join('|') : QString(), replies);
        Temperatures t;
        QVERIFY(!temperatures(line, t) || replies == line);
    }

    void motionIdleAndFilament()
    {
        QVERIFY(isMotionIdle(QStringLiteral("16 F")));
        QVERIFY(isMotionIdle(QStringLiteral("16 F\r")));
        QVERIFY(!isMotionIdle(QStringLiteral("12 B")));
        QVERIFY(!isMotionIdle(QStringLiteral("16")));
        QVERIFY(!isMotionIdle(QStringLiteral("send failed.")));
        QCOMPARE(filamentState(QStringLiteral("16 T")), Filament::Present);
        QCOMPARE(filamentState(QStringLiteral("16 F")), Filament::Absent);
        QCOMPARE(filamentState(QStringLiteral("16 Fail")), Filament::SensorFault);
        QCOMPARE(filamentState(QStringLiteral("send failed.")), Filament::Unknown);
        QCOMPARE(filamentState(QStringLiteral("16")), Filament::Unknown);
    }

    void firmwareTemperaturesEndStops()
    {
        QCOMPARE(firmwareVersion(QStringLiteral("16 FW1.2.3")), QStringLiteral("1.2.3"));
        QCOMPARE(firmwareVersion(QStringLiteral("16 FW")), QString());
        QCOMPARE(firmwareVersion(QStringLiteral("16")), QString());

        Temperatures t;
        QVERIFY(temperatures(QStringLiteral("16 T:198.4/200 B:59.9/60"), t));
        QCOMPARE(t.nozzle, 198.4f);
        QCOMPARE(t.nozzleTarget, 200.0f);
        QCOMPARE(t.bed, 59.9f);
        QCOMPARE(t.bedTarget, 60.0f);
        QVERIFY(!temperatures(QStringLiteral("16 T:198.4/200"), t));
        // A target is written without leading zeros: "016" is no target.
        QVERIFY(!temperatures(QStringLiteral("16 T:25.0/0 B:25.0/016"), t));
        QVERIFY(!temperatures(QStringLiteral("send failed."), t));

        EndStops s;
        QVERIFY(endStops(QStringLiteral("16 X:1 Y:0 Z:1"), s));
        QVERIFY(s.x && !s.y && s.z);
        QVERIFY(!endStops(QStringLiteral("16 X:1 Y:0"), s));
    }
};

QTEST_GUILESS_MAIN(TestStringBrevik)
#include "tst_stringbrevik.moc"
