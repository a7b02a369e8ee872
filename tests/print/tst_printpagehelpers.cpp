#include "filestorage.h"
#include "headlift.h"
#include "printclock.h"
#include "sysroot.h"

#include <QTemporaryDir>
#include <QtTest>

class TestPrintPageHelpers : public QObject {
    Q_OBJECT
private slots:
    void liftFollowsTheReportedHeight_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("commands");
        QTest::newRow("fractional Z") << "15 X:150.00 Y:150.00 Z:35.20 E:12.5"
                                      << QStringList{"G1 Z45.2 F300"};
        QTest::newRow("whole Z") << "15 X:1 Y:2 Z:3 E:0" << QStringList{"G1 Z13 F300"};
        QTest::newRow("clamped to the top") << "15 X:1 Y:2 Z:395.5 E:0" << QStringList{"G1 Z400 F300"};
        QTest::newRow("clamped to the bed") << "15 X:1 Y:2 Z:-30 E:0" << QStringList{"G1 Z0 F300"};
        const QStringList relative{"G91", "G1 Z10 F300", "G90"};
        QTest::newRow("link failure") << "send failed." << relative;
        QTest::newRow("no Z") << "15 X:1 Y:2" << relative;
        QTest::newRow("garbage Z") << "15 X:1 Y:2 Z:abc E:0" << relative;
    }

    void liftFollowsTheReportedHeight()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, commands);
        QCOMPARE(HeadLift::commands(reply, 10.0f, 400), commands);
    }

    void clockShowsHoursAndMinutes()
    {
        QCOMPARE(PrintClock::hoursMinutes(3725), QString("1:2"));
        QCOMPARE(PrintClock::hoursMinutes(59), QString("0:0"));
        QCOMPARE(PrintClock::hoursMinutes(90000), QString("25:0"));
        QCOMPARE(PrintClock::remainingSeconds(3725, 0.0f), 3725);
        QCOMPARE(PrintClock::remainingSeconds(1000, 0.25f), 750);
        QCOMPARE(PrintClock::remainingSeconds(1000, 1.0f), 0);
    }

    // What a kill or a power cut left in /data goes at start-up; the user's
    // files, hidden or not, stay.
    void leftoverTemporariesAreSwept()
    {
        QTemporaryDir root;
        SysRoot::setRoot(root.path());
        QDir data(root.path() + "/data");
        QVERIFY(data.mkpath("."));
        const QStringList leftovers{".big part.gcode.copy-Ab12Cd", ".lanupload-x1y2z3", ".resume_print_file.tmp"};
        const QStringList kept{"big part.gcode", ".resume_print_file", ".copy-notes", "part.gcode.tmp"};
        for (const QString &name : leftovers + kept) {
            QFile file(data.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        FileStorage::removeLeftoverTemporaries();
        QStringList expected = kept;
        expected.sort();
        QCOMPARE(data.entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    }
};

QTEST_APPLESS_MAIN(TestPrintPageHelpers)
#include "tst_printpagehelpers.moc"
