// The nine-point Z calibration against a simulated tilted bed, and the
// printing page using what it stored.
#include "buildprint.h"
#include "executereturnhome.h"
#include "home.h"
#include "filamenttestkit.h"
#include "pageopener.h"
#include "printertranslations.h"
#include "screencheck.h"
#include "zcalibration.h"

#include <QDir>
#include <QFile>
#include <QTranslator>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

// The simulated bed: lowest at the back left, where point 1 is measured,
// highest at the front right, where point 9 is: the bed's unevenness needs
// the first and the last point.
constexpr double kPlaneZ = -0.3, kRiseX = 0.002, kRiseY = -0.001;

double bedAt(int point)
{
    // The point's own travel command names where it is measured.
    const QStringList words = ZCalibration::moveCommand(point).split(' ');
    return kPlaneZ + kRiseX * words.at(1).mid(1).toDouble() + kRiseY * words.at(2).mid(1).toDouble();
}

// A value stored before the page opens, to tell untouched points apart.
constexpr float kUntouched = 9.5f;

bool highlighted(ZCalibration *page, int point)
{
    return page->findChild<QToolButton *>(QString("showCalibrationposition_%1").arg(point))->styleSheet().contains("#C2172D");
}

} // namespace

class TestZCalibration : public QObject {
    Q_OBJECT
    FilamentBench bench;

    static ZCalibration *page() { return ZCalibration::instZCalibration; }
    static Config *config() { return getConfigFile()->configFile(); }

    static ZCalibration *open() { return openPage(ZCalibration::instZCalibration); }

    static void storePoint(int point, float z)
    {
        static constexpr void (Config::*setters[])(float) = {
            &Config::setAutoPoint1, &Config::setAutoPoint2, &Config::setAutoPoint3,
            &Config::setAutoPoint4, &Config::setAutoPoint5, &Config::setAutoPoint6,
            &Config::setAutoPoint7, &Config::setAutoPoint8, &Config::setAutoPoint9};
        (config()->*setters[point - 1])(z);
    }

    void closeAndCheckTheEnd()
    {
        button(page(), "back")->click();
        QTRY_VERIFY(!page());
        // A step under way finishes first; then the stop, the motors off and
        // the probe stowed, in that order: the stop empties the board's queue.
        QTRY_COMPARE(FilamentBench::tail(FilamentBench::foldHomingStops(bench.commands()), 3),
                     (QStringList{"M112", "M18", "M141 T90"}));
        QVERIFY(bench.movesAfter(bench.commands().size()).isEmpty());
        QVERIFY(!bench.fx->board().probeDeployed());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(bench.setUp());
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        bench.fx->board().setBedPlane(kPlaneZ, kRiseX, kRiseY);
        // A reply the link cannot use costs this long per attempt.
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(300);
    }
    void cleanupTestCase() { bench.tearDown(); }
    void init()
    {
        // As on the device: the page never waits on the board.
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        bench.reset();
        for (int point = 1; point <= ZCalibration::PointCount; ++point)
            storePoint(point, kUntouched);
        config()->setAutoSwitch(true);
    }
    void cleanup()
    {
        if (page())
            page()->close();
        if (Home::instHome)
            Home::instHome->close();
        if (BuildPrint::instBuildPrint)
            BuildPrint::instBuildPrint->printStop();
        QTRY_VERIFY(!page() && !BuildPrint::instBuildPrint && !Home::instHome);
    }

    // A whole run in which the first reading fails (both attempts of the
    // link get a reply cut short): nine real heights of the tilted bed,
    // "status" on, the park moves, the worker ended; a print afterwards
    // takes the bed's unevenness as its Z origin.
    void calibratesATiltedBed()
    {
        bench.fx->board().setCutPositionReplies(2);
        ZCalibration *calibration = open();
        // The old calibration is off before anything moves.
        QVERIFY(!config()->getAutoSwitch());
        QTRY_VERIFY(calibration->status() >= ZCalibration::CALIBRATION_POINT5);
        QTRY_VERIFY(highlighted(calibration, 5));
        QVERIFY(highlighted(calibration, 1) && !config()->getAutoSwitch());
        QVERIFY(ScreenCheck::clippedTexts(calibration).isEmpty());
        ScreenCheck::save(calibration, "zcalibration-1-point5");

        QTRY_VERIFY(!calibration->workerRunning());
        // Posted by the worker: shown once the GUI thread has taken the post.
        QTRY_COMPARE(labelText(calibration, "showMessage"), QString("Completed!"));
        ScreenCheck::save(calibration, "zcalibration-2-completed");
        QVERIFY(config()->getAutoSwitch());
        const QStringList raw = bench.commands();
        const int homed = raw.indexOf("G92 X0 Y0 Z0 A0 B0");
        QVERIFY(homed > 0);
        QStringList expected{"G92 X0 Y0 Z0 A0 B0", "G1 Z20 F300", "M141 T132"};
        for (int point = 1; point <= ZCalibration::PointCount; ++point) {
            QVERIFY(highlighted(calibration, point));
            QVERIFY2(qAbs(config()->getAutoPoint(point) - bedAt(point)) <= 0.01,
                     qPrintable(QString("point %1: %2").arg(point).arg(config()->getAutoPoint(point))));
            // Lift and travel, the probing descent once idle, the reading.
            expected << "G1 Z20 F300" << ZCalibration::moveCommand(point) << "M112" << "G1 Z0 F200" << "M112";
            if (point == 1)
                expected << "M112" << "M112"; // each cut reply: read again at the next step
        }
        expected << "G1 Z5 F400" << "M141 T90" << "G1 X0 Y0 F2000" << "G1 Z0 F300";
        QCOMPARE(raw.mid(homed), expected);
        QCOMPARE(bench.fx->count("M114"), ZCalibration::PointCount + 2);
        QTRY_VERIFY(bench.fx->board().queuedCommands() == 0);
        const sim::Position parked = bench.fx->board().position();
        QVERIFY(qAbs(parked.x) + qAbs(parked.y) + qAbs(parked.z) < 0.01);
        QVERIFY(!bench.fx->board().probeDeployed());
        closeAndCheckTheEnd();

        double low = bedAt(1), high = bedAt(1);
        for (int point = 2; point <= ZCalibration::PointCount; ++point) {
            low = std::min(low, bedAt(point));
            high = std::max(high, bedAt(point));
        }
        const QString file = bench.fx->root() + "/data/flat.gcode";
        QFile gcode(file);
        QVERIFY(gcode.open(QIODevice::WriteOnly));
        gcode.write("M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nG1 Z0.3 F600\nG1 X20 Y20 F1800\n");
        gcode.close();
        bench.fx->board().clearLog();
        // The printing page still waits on the link from the GUI thread.
        SerialObject::setScreenWaitMs(60000);
        openPage(BuildPrint::instBuildPrint, file, false);
        QTRY_VERIFY(bench.commands().filter(QRegExp("^G92 X0 Y0 Z")).size() == 1);
        const QString origin = bench.commands().filter(QRegExp("^G92 X0 Y0 Z")).first();
        QVERIFY2(origin.endsWith(" A0 B0"), qPrintable(origin));
        QVERIFY2(qAbs(origin.section(' ', 3, 3).mid(1).toDouble() - (high - low)) <= 0.015, qPrintable(origin));
    }

    void closedAtPoint4_data()
    {
        ScreenCheck::addLanguageRows();
    }

    // Closed while point 4 is being measured: nothing of the sequence
    // follows the stop, "status" stays off and only points 1 to 3 are new.
    void closedAtPoint4()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        // Slow enough that the page is still on its way to point 4 when the
        // test sees it set out, even on a loaded machine.
        bench.fx->board().setTimeScale(50.0);
        ZCalibration *calibration = open();
        QVERIFY(bench.fx->waitForCommand(ZCalibration::moveCommand(4).toStdString()));
        bench.fx->board().setTimeScale(2.0); // the travel outlasts the look below
        QCOMPARE(calibration->status(), ZCalibration::CALIBRATION_POINT4);
        QTRY_VERIFY(highlighted(calibration, 4));
        QVERIFY(!highlighted(calibration, 5));
        QVERIFY(ScreenCheck::clippedTexts(calibration).isEmpty());
        ScreenCheck::save(calibration, language + "-zcalibration-point4");
        closeAndCheckTheEnd();
        QVERIFY(!config()->getAutoSwitch());
        for (int point = 1; point <= ZCalibration::PointCount; ++point)
            QCOMPARE(config()->getAutoPoint(point) == kUntouched, point >= 4);
        QCoreApplication::removeTranslator(&translator);
    }

    // A position reply whose height reads "nan" is no height: the point is
    // read again and the settings keep only real numbers.
    void nanHeightStoresNothing()
    {
        bench.fx->board().setNonFinitePositionReplies(1);
        ZCalibration *calibration = open();
        QTRY_VERIFY(calibration->status() >= ZCalibration::CALIBRATION_POINT2);
        QVERIFY(bench.fx->count("M114") >= 2);
        closeAndCheckTheEnd();
        config()->reload();
        QVERIFY2(qAbs(config()->getAutoPoint(1) - bedAt(1)) <= 0.01, qPrintable(QString::number(config()->getAutoPoint(1))));
        QFile settings(bench.fx->root() + "/opt/PROGRAM/config/config.json");
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray text = settings.readAll().toLower();
        QVERIFY(!text.contains("nan") && !text.contains("null"));
    }

    // An end-stop that never triggers: nothing is probed, the page says so
    // instead of "Calibrating, please wait..." and Back leaves it; the old
    // calibration stays off.
    void homingThatNeverEnds()
    {
        bench.fx->board().setStuckEndstop('Z', true);
        ZCalibration *calibration = open();
        QTRY_COMPARE(labelText(calibration, "showMessage"), QStringLiteral("Homing failed"));
        QVERIFY(!ExecuteReturnHome()->isHoming());
        QCOMPARE(calibration->status(), ZCalibration::RETURN_HOME_BEFORE_CALIBRATION);
        QVERIFY(!calibration->workerRunning());
        QVERIFY(ScreenCheck::clippedTexts(calibration).isEmpty());
        ScreenCheck::save(calibration, "zcalibration-homing-failed");
        QCOMPARE(bench.fx->count("M141 T132"), 0);
        closeAndCheckTheEnd();
        QVERIFY(!config()->getAutoSwitch());
        for (int point = 1; point <= ZCalibration::PointCount; ++point)
            QCOMPARE(config()->getAutoPoint(point), kUntouched);
    }

    // The page closes while the homing page homes: that homing goes on to
    // its end, neither let go of nor stopped by the closing page.
    void homingElsewhereOutlivesTheClose()
    {
        bench.fx->board().setStuckEndstop('X', true);
        ZCalibration *calibration = open();
        QTRY_COMPARE(labelText(calibration, "showMessage"), QStringLiteral("Homing failed"));
        bench.fx->board().setStuckEndstop('X', false);
        // Far from the end-stops on a slower board: the homing outlasts the close.
        bench.fx->board().placeHead({200, 200, 200, 0});
        bench.fx->board().setTimeScale(100.0);
        Home *home = openPage(Home::instHome);
        QTRY_VERIFY(ExecuteReturnHome()->isHoming()); // once the motors are on
        button(calibration, "back")->click();
        QTRY_VERIFY(!page());
        QTRY_COMPARE(labelText(home, "label"), QStringLiteral("Homing completed"));
    }

    // A board that never reports idle keeps the page waiting at point 1;
    // closing still ends the worker and the page at once.
    void boardNeverIdle()
    {
        bench.fx->board().setForcedNozzleTemp(100.0);
        ZCalibration *calibration = open();
        QVERIFY(bench.fx->waitForCommand(ZCalibration::moveCommand(1).toStdString(), kTryWaitMs));
        // A heat-and-wait the board can never finish holds its queue.
        ExecuteGetSerialObject()->serial()->request(QStringLiteral("M109 S200"));
        QVERIFY(bench.fx->waitForCommand("M109 S200"));
        const int polls = bench.fx->count("M121");
        QTRY_VERIFY(bench.fx->count("M121") >= polls + 5);
        QCOMPARE(calibration->status(), ZCalibration::CALIBRATION_POINT1);
        QCOMPARE(bench.fx->count("G1 Z0 F200"), 0);
        QVERIFY(calibration->workerRunning());
        closeAndCheckTheEnd();
    }
};

QTEST_MAIN(TestZCalibration)
#include "tst_zcalibration.moc"
