#include "filamenttestkit.h"
#include "loadfilament.h"
#include "pageopener.h"
#include "unloadfilament.h"

#include <QtTest>

namespace {
const QStringList HeatersOff{"M140 S0", "M104 S0 T0"};
const QStringList UnloadClosing = QStringList{"M112", "M18", "G92 E0"} + HeatersOff;
}

class TestUnloadFilament : public QObject {
    Q_OBJECT
    FilamentBench bench;

    UnloadFilament *open(bool isprint)
    {
        return openPage(UnloadFilament::instUnloadFilament, isprint);
    }

    // Runs an unload from a paused print to its finished view.
    UnloadFilament *unloadFromPausedPrint()
    {
        UnloadFilament *page = open(true);
        (void)QTest::qWaitFor([page] { return button(page, "btn_load")->isVisible(); }, kTryWaitMs);
        return page;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(bench.setUp());
        // As on the device: the pages never wait on the board.
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
    }
    void cleanupTestCase() { bench.tearDown(); }
    void init() { bench.reset(); }
    void cleanup()
    {
        QTRY_VERIFY(!UnloadFilament::instUnloadFilament);
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
    }

    // Heat, free the tip, retract, finish; "Back" closes the finished page.
    void unloadsFromTheControlMenu()
    {
        UnloadFilament *page = open(false);
        // The message is the last change the worker posts.
        QTRY_COMPARE(labelText(page, "label"), QStringLiteral("Unloading completed"));
        QVERIFY(button(page, "back")->isVisible());
        QVERIFY(!page->findChild<QLabel *>("labelTip")->isVisible());
        QVERIFY(!page->findChild<QLabel *>("label_2")->isVisible());
        QVERIFY(!button(page, "btn_load")->isVisible());
        QVERIFY(!button(page, "close")->isVisible());

        QStringList expected = QStringList{"M104 S230 T0", "M112", "G92 E0", "G1 E10 F180", "G1 E-1000 F4000", "M112"}
                               + HeatersOff;
        QCOMPARE(bench.commands(), expected);
        QTest::mouseClick(button(page, "back"), Qt::LeftButton);
        QTRY_VERIFY(!UnloadFilament::instUnloadFilament);
        expected << UnloadClosing;
        QTRY_COMPARE(bench.commands(), expected);
        QVERIFY(bench.movesAfter(expected.size()).isEmpty());
    }

    // 290 °C is tolerated; 291 stops the retraction, and the page still
    // offers a way out although its bar was hidden for the move.
    void overTemperatureDuringRetraction()
    {
        bench.fx->board().setForcedNozzleTemp(235.0);
        bench.fx->board().setTimeScale(5.0);
        UnloadFilament *page = open(false);
        QTRY_COMPARE(page->state(), UnloadFilament::CHANGE_FILAMENT_FORTH_FAST_UNLOAD);
        QVERIFY(!button(page, "close")->isVisible());

        bench.fx->board().setForcedNozzleTemp(290.0);
        QTRY_COMPARE(labelText(page, "extruderTemp"), QStringLiteral("290"));
        QTest::qWait(50);
        QCOMPARE(labelText(page, "label"), QStringLiteral("Unloading the filament\n about 1 minute..."));

        bench.fx->board().setForcedNozzleTemp(291.0);
        QTRY_COMPARE(labelText(page, "label"), QStringLiteral("Abnormal temperature,\nPlease check the extruder."));
        QCOMPARE(page->state(), UnloadFilament::CHANGE_FILAMENT_FORTH_FAST_UNLOAD);
        QVERIFY(button(page, "close")->isVisible());
        QVERIFY(!page->findChild<QLabel *>("label_2")->isVisible());
        QTRY_COMPARE(FilamentBench::tail(bench.commands(), 3), QStringList{"M112"} + HeatersOff);
        const int abnormalStop = bench.commands().size() - 3;

        QuestionAnswerer answerer(true);
        QTest::mouseClick(button(page, "close"), Qt::LeftButton);
        QTRY_VERIFY(!UnloadFilament::instUnloadFilament);
        QVERIFY(answerer.asked.isEmpty());
        QTRY_COMPARE(bench.commands().mid(abnormalStop), QStringList{"M112"} + HeatersOff + UnloadClosing);
        QVERIFY(bench.movesAfter(abnormalStop + 8).isEmpty());
    }

    // During heating: "Back" keeps heating, "OK" closes after the delay.
    void cancelDuringHeating()
    {
        bench.fx->board().setForcedNozzleTemp(100.0);
        UnloadFilament *page = open(false);
        {
            QuestionAnswerer no(false);
            QTest::mouseClick(button(page, "close"), Qt::LeftButton);
            QCOMPARE(no.asked, QStringList{"Cancel unload|Are you sure to\n cancel unload?"});
        }
        QTest::qWait(30);
        QVERIFY(UnloadFilament::instUnloadFilament);
        QuestionAnswerer yes(true);
        QTest::mouseClick(button(page, "close"), Qt::LeftButton);
        QVERIFY(UnloadFilament::instUnloadFilament); // the delayed close
        QVERIFY(!button(page, "close")->isEnabled());
        QTRY_VERIFY(!UnloadFilament::instUnloadFilament);
        const QStringList expected = QStringList{"M104 S230 T0", "M112"} + HeatersOff + UnloadClosing;
        QTRY_COMPARE(bench.commands(), expected);
        QVERIFY(bench.movesAfter(expected.size()).isEmpty());
    }

    // Opened while the board is silent: the heat-up it never took goes out
    // once it answers again.
    void heatsOnceTheBoardAnswers()
    {
        SerialObject *link = ExecuteGetSerialObject()->serial();
        link->setReplyTimeoutMs(200);
        bench.fx->board().setForcedNozzleTemp(100.0);
        bench.fx->board().setSilent(true);
        UnloadFilament *page = open(false);
        QTRY_VERIFY(!link->boardResponding());
        QCOMPARE(bench.fx->board().nozzleTarget(), 0);
        bench.fx->board().setSilent(false);
        QTRY_COMPARE(bench.fx->board().nozzleTarget(), 230);
        QTest::qWait(50);
        QCOMPARE(bench.fx->board().nozzleTarget(), 230);
        link->setReplyTimeoutMs(5000);
        page->close();
    }

    // The question stays open while the page heats up and starts moving the
    // filament; whenever "OK" comes, nothing moves after the closing commands.
    void cancelConfirmedWhileTheSequenceMoves()
    {
        for (int round = 0; round < 12; ++round) {
            bench.reset();
            UnloadFilament *page = open(false);
            QuestionAnswerer yes(true, 4 * round);
            QTest::mouseClick(button(page, "close"), Qt::LeftButton);
            QTRY_VERIFY(!UnloadFilament::instUnloadFilament);
            QTRY_COMPARE(FilamentBench::tail(bench.commands(), 8), QStringList{"M112"} + HeatersOff + UnloadClosing);
            const QStringList raw = bench.commands();
            QVERIFY(bench.movesAfter(raw.size()).isEmpty());
        }
    }

    // From a paused print: "Load" opens the load page with X/Y homing only and
    // a 10 mm lift that keeps the print's Z origin; both pages close when
    // loading ends. The lift is never cut in the middle: with the reply to its
    // "G91" later than the screen waits on the device, the board still ends
    // absolute and the push does not run relative.
    void replacesTheMaterialOfAPausedPrint_data()
    {
        QTest::addColumn<int>("liftReplyMs");
        QTest::newRow("prompt replies") << 0;
        QTest::newRow("late reply to the lift's G91") << 1000;
    }
    void replacesTheMaterialOfAPausedPrint()
    {
        QFETCH(int, liftReplyMs);
        bench.fx->board().placeHead({100, 120, 50, 0});
        UnloadFilament *unload = unloadFromPausedPrint();
        QVERIFY(button(unload, "btn_load")->isVisible());
        QCOMPARE(labelText(unload, "label"), QStringLiteral("Unloading completed"));
        const int loadStart = bench.commands().size();
        // Held at Y until the knob below is set: the next "G91" is then the lift's.
        bench.fx->board().setStuckEndstop('Y', true);

        QTest::mouseClick(button(unload, "btn_load"), Qt::LeftButton);
        QVERIFY(LoadFilament::instLoadFilament);
        QVERIFY(!unload->isVisible());
        QVERIFY(bench.fx->waitForCommand("G1 Y-320 F3000"));
        if (liftReplyMs > 0)
            bench.fx->board().delayReplyOnce("G91", liftReplyMs);
        bench.fx->board().setStuckEndstop('Y', false);
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
        QTRY_VERIFY(!UnloadFilament::instUnloadFilament);

        const QStringList expected{
            "M104 S230 T0",
            "G91", "G1 X-320 F3000", "M112", "G92 X0", "G1 Y-320 F3000", "M112", "G92 Y0", "G90",
            "M112", "G91", "G1 Z10 F400", "G90",
            "M112", "G92 E0", "G1 E350 F2000", "G1 E900 F180", "M112", "M140 S0", "M104 S0 T0",
            "M112", "M18", // the load page
            "M112", "M18", "G92 E0", "M140 S0", "M104 S0 T0"}; // the unload page
        QTRY_COMPARE(bench.commands().mid(loadStart), expected);
        QVERIFY(bench.fx->board().absoluteMode());
        QCOMPARE(bench.fx->board().position().z, 60.0);
        QVERIFY(bench.movesAfter(loadStart + expected.size()).isEmpty());
    }

    // A load cancelled on the way back into the print brings the finished
    // unload page back, so the material can still be replaced.
    void cancelledLoadShowsTheUnloadPageAgain()
    {
        UnloadFilament *unload = unloadFromPausedPrint();
        QVERIFY(button(unload, "btn_load")->isVisible());
        bench.fx->board().placeHead({200, 200, 50, 0});
        bench.fx->board().setTimeScale(5.0);
        QTest::mouseClick(button(unload, "btn_load"), Qt::LeftButton);
        LoadFilament *load = LoadFilament::instLoadFilament;
        QVERIFY(load);
        QuestionAnswerer yes(true);
        QTest::mouseClick(button(load, "close"), Qt::LeftButton);
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
        QVERIFY(UnloadFilament::instUnloadFilament);
        QVERIFY(unload->isVisible());
        QVERIFY(button(unload, "btn_load")->isVisible());
        QCOMPARE(bench.fx->count("G1 E350 F2000"), 0);
        bench.fx->board().setTimeScale(1000.0);
        QTest::mouseClick(button(unload, "back"), Qt::LeftButton);
    }

    // Homing that gives up on the way back into the print: the button
    // leaves the load page without a question and the unload page is back.
    void failedHomingOnTheWayBackShowsTheUnloadPage()
    {
        UnloadFilament *unload = unloadFromPausedPrint();
        bench.fx->board().setStuckEndstop('X', true);
        QTest::mouseClick(button(unload, "btn_load"), Qt::LeftButton);
        LoadFilament *load = LoadFilament::instLoadFilament;
        QTRY_COMPARE(labelText(load, "label"), QStringLiteral("Homing failed"));
        QuestionAnswerer answerer(true);
        QTest::mouseClick(button(load, "close"), Qt::LeftButton);
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
        QVERIFY(answerer.asked.isEmpty());
        QVERIFY(unload->isVisible() && button(unload, "btn_load")->isVisible());
        QTest::mouseClick(button(unload, "back"), Qt::LeftButton);
    }

    // The printing page may close the unload page at any moment of the load
    // behind it: the load worker is stopped before any closing command.
    void unloadPageClosedWhileLoading()
    {
        for (int round = 0; round < 8; ++round) {
            bench.reset();
            UnloadFilament *unload = unloadFromPausedPrint();
            QVERIFY(button(unload, "btn_load")->isVisible());
            QTest::mouseClick(button(unload, "btn_load"), Qt::LeftButton);
            LoadFilament *load = LoadFilament::instLoadFilament;
            QTRY_VERIFY(load->state() >= LoadFilament::LOADING_FILAMENT_FORTH_START_LOADING);
            QTest::qWait(3 * round);
            delete UnloadFilament::instUnloadFilament;
            QVERIFY(!LoadFilament::instLoadFilament);
            QTRY_COMPARE(FilamentBench::tail(bench.commands(), 7), (QStringList{"M112", "M18"} + UnloadClosing));
            const QStringList raw = bench.commands();
            QVERIFY(bench.movesAfter(raw.size()).isEmpty());
        }
    }
};

QTEST_MAIN(TestUnloadFilament)
#include "tst_unloadfilament.moc"
