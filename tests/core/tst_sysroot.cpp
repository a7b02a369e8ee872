#include "sysroot.h"
#include "timescale.h"

#include <QtTest>

class TestSysRoot : public QObject {
    Q_OBJECT
private slots:
    void pathsAreMappedIntoTheRoot()
    {
        SysRoot::setRoot(QStringLiteral("/tmp/box/"));
        QCOMPARE(SysRoot::path("/dev/ttyS2"), QStringLiteral("/tmp/box/dev/ttyS2"));
        QCOMPARE(SysRoot::tool("mount"), QStringLiteral("/tmp/box/sbin-standin/mount"));
        QVERIFY(SysRoot::isSandbox());
        QCOMPARE(SysRoot::path("relative/file"), QStringLiteral("relative/file"));

        SysRoot::setRoot(QString());
        QCOMPARE(SysRoot::path("/dev/ttyS2"), QStringLiteral("/dev/ttyS2"));
        QCOMPARE(SysRoot::tool("mount"), QStringLiteral("mount"));
        QVERIFY(!SysRoot::isSandbox());
    }

    void timeScaleNeverRoundsToZero()
    {
        TimeScale::setFactor(0.001);
        QCOMPARE(TimeScale::ms(100), 1);
        QCOMPARE(TimeScale::limitMs(60000), TimeScale::kLimitFloorMs);
        QCOMPARE(TimeScale::limitMs(300), 300);
        QCOMPARE(TimeScale::pollMs(5000), TimeScale::kPollFloorMs);
        TimeScale::setFactor(0.5);
        QCOMPARE(TimeScale::ms(1000), 500);
        TimeScale::setFactor(-3); // ignored
        QCOMPARE(TimeScale::factor(), 0.5);
        TimeScale::setFactor(1);
    }
};

QTEST_GUILESS_MAIN(TestSysRoot)
#include "tst_sysroot.moc"
