#include "gcodeline.h"
#include "serialobject.h"

#include <QtTest>

class TestGcodeLine : public QObject {
    Q_OBJECT
private:
    static QString filtered(const QByteArray &raw)
    {
        std::string out;
        return Gcode::filterLine(raw.constData(), static_cast<size_t>(raw.size()), out) ? QString::fromStdString(out)
                                                                                      : QStringLiteral("<dropped>");
    }

private slots:
    void filter_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("expected");
        QTest::newRow("move") << QByteArray("G1 X10.5 Y20 E0.3\n") << "G1 X10.5 Y20 E0.3";
        QTest::newRow("crlf and blanks") << QByteArray("  G28 X Y \r\n") << "G28 X Y";
        QTest::newRow("comment") << QByteArray("M104 S200 ; set temp\n") << "M104 S200";
        QTest::newRow("comment only") << QByteArray(";LAYER:3\n") << "<dropped>";
        QTest::newRow("empty") << QByteArray("\n") << "<dropped>";
        QTest::newRow("line number and checksum") << QByteArray("N123 G1 X5*71\n") << "G1 X5";
        QTest::newRow("tool change") << QByteArray("T0\n") << "T0";
        QTest::newRow("bare letter") << QByteArray("G\n") << "<dropped>";
        QTest::newRow("word glued to text") << QByteArray("G1X5\n") << "<dropped>";
        QTest::newRow("lower case") << QByteArray("g1 x5\n") << "<dropped>";
        QTest::newRow("not a command") << QByteArray("hello world\n") << "<dropped>";
        QTest::newRow("binary") << QByteArray("G1 \x89PNG\r\n", 9) << "<dropped>";
        QTest::newRow("nul") << QByteArray("M105\0junk\n", 10) << "<dropped>";
        QTest::newRow("overlong") << QByteArray("G1 X" + QByteArray(100, '1') + "\n") << "<dropped>";
        QTest::newRow("96 is fine") << QByteArray("G1 X" + QByteArray(92, '1')) << "G1 X" + QString(92, '1');
        QTest::newRow("M25") << QByteArray("M25 ; pause here\n") << "M25";
    }

    void filter()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QString, expected);
        QCOMPARE(filtered(raw), expected);
    }

    void speedAndOffsetRewriting()
    {
        GcodeState state;
        PrintingAdjust adjust;
        auto run = [&](const std::string &line) {
            const std::string out = Gcode::applyAdjustments(line, adjust, state);
            state.track(out);
            return QString::fromStdString(out);
        };
        QCOMPARE(run("G1 X10 F1200"), QString("G1 X10 F1200"));
        QCOMPARE(run("G1 X20"), QString("G1 X20"));
        adjust.speed = 150;
        // The factor changed: a move without F gets the modal feed scaled.
        QCOMPARE(run("G1 X30"), QString("G1 X30 F1800"));
        QCOMPARE(run("G1 X40"), QString("G1 X40"));
        QCOMPARE(run("G0 X1 F3000"), QString("G0 X1 F4500"));
        adjust.speed = 0; // reads as 100
        QCOMPARE(run("G1 X2"), QString("G1 X2 F3000"));

        adjust.offset = 25;
        QCOMPARE(run("G1 Z0.3"), QString("G1 Z0.55"));
        // Arcs get the factor and the offset too; their centre words stay.
        adjust.speed = 200;
        QCOMPARE(run("G2 X10 Y5 Z0.3 I2 J0 E1 F600"), QString("G2 X10 Y5 Z0.55 I2 J0 E1 F1200"));
        QVERIFY(state.x == 10.0 && state.y == 5.0);
        QCOMPARE(run("G92 Z0"), QString("G92 Z0"));
        QCOMPARE(run("M104 S200"), QString("M104 S200"));
        run("G91");
        QCOMPARE(run("G1 Z1"), QString("G1 Z1")); // relative moves keep their Z
        run("G90");
        adjust.offset = -10;
        QCOMPARE(run("G1 Z1"), QString("G1 Z0.9"));
    }

    void stateFollowsModesAndOffsets()
    {
        GcodeState s;
        for (const char *c : {"G90", "G1 X10 Y20 Z0.3 E1 F1500", "G91", "G1 X5 E2", "G90", "M83", "G1 E0.5",
                              "G92 E0", "M106 S255", "M104 S210", "M140 S65"})
            s.track(c);
        QCOMPARE(s.x, 15.0);
        QCOMPARE(s.y, 20.0);
        QCOMPARE(s.z, 0.3);
        QCOMPARE(s.e, 0.0);
        QVERIFY(s.absoluteXYZ);
        QVERIFY(!s.absoluteE);
        QCOMPARE(s.sentFeed, 1500.0);
        QCOMPARE(s.fanCommand, std::string("M106 S255"));
        QCOMPARE(s.nozzleTarget, 210);
        QCOMPARE(s.bedTarget, 65);
        s.track("G28");
        QCOMPARE(s.x + s.y + s.z, 0.0);
        GcodeState relative; // G91 makes E relative too
        for (const char *c : {"G91", "G1 X1 E2", "G1 X1 E2"})
            relative.track(c);
        QCOMPARE(relative.e, 4.0);
    }
};

QTEST_GUILESS_MAIN(TestGcodeLine)
#include "tst_gcodeline.moc"
