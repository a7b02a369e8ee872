#include "executereturnhome.h"
#include "filamenttestkit.h"
#include "loadfilament.h"
#include "pageopener.h"
#include "screencheck.h"

#include <QtTest>

#include <initializer_list>

class TestLoadFilament : public QObject {
    Q_OBJECT
    FilamentBench bench;

    LoadFilament *open()
    {
        return openPage(LoadFilament::instLoadFilament, false);
    }

    // A board slow enough that homing from a far corner outlasts many ticks.
    void slowHoming()
    {
        bench.fx->board().placeHead({200, 200, 200, 0});
        bench.fx->board().setTimeScale(5.0);
    }

    static int countExtrusion(const QStringList &commands)
    {
        int n = 0;
        for (const QString &c : commands)
            n += c.startsWith("G1 E") || c == "G92 E0";
        return n;
    }

    // The button of a page stopped by a fault leaves without a question; the
    // board got none of `neverSent`, no filament moved, the motors went off
    // last and nothing moves after.
    void closeStoppedPage(LoadFilament *page, std::initializer_list<const char *> neverSent)
    {
        QuestionAnswerer answerer(true);
        QTest::mouseClick(button(page, "close"), Qt::LeftButton);
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
        QVERIFY(answerer.asked.isEmpty());
        QTRY_COMPARE(FilamentBench::tail(FilamentBench::foldHomingStops(bench.commands()), 2),
                     (QStringList{"M112", "M18"}));
        const QStringList raw = bench.commands();
        for (const char *command : neverSent)
            QVERIFY2(bench.fx->count(command) == 0, command);
        QCOMPARE(countExtrusion(raw), 0);
        QVERIFY(bench.movesAfter(raw.size()).isEmpty());
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
    void cleanup() { QTRY_VERIFY(!LoadFilament::instLoadFilament); }

    // Heat, home, park, fast and slow push, finish: the exact commands, and
    // nothing after the page's closing "M112" and "M18".
    void loadsFromTheControlMenu()
    {
        LoadFilament *page = open();
        QTRY_COMPARE(button(page, "close")->text(), QStringLiteral("ok"));
        QCOMPARE(labelText(page, "label"), QStringLiteral("Loading,about 1-2 minute\nPress ok when new color appears"));
        QTRY_VERIFY(!LoadFilament::instLoadFilament);

        QStringList expected{"M104 S230 T0"};
        expected << FilamentBench::homingXYZ();
        expected << "M112" << "G92 X0 Y0 Z0" << "G90" << "G1 Z100 F400" << "G1 X10 F2000"
                 << "M112" << "G92 E0" << "G1 E350 F2000"
                 << "G1 E900 F180"
                 << "M112" << "M140 S0" << "M104 S0 T0"
                 << "M112" << "M18";
        QTRY_COMPARE(bench.commands(), expected);
        QVERIFY(bench.movesAfter(expected.size()).isEmpty());
        QVERIFY(!bench.fx->board().motorsEnabled());
    }

    // Filament moves only between 228 and 249 °C: too hot waits as well as
    // too cold.
    void loadWindow()
    {
        bench.fx->board().setForcedNozzleTemp(250.0);
        LoadFilament *page = open();
        QTRY_COMPARE(labelText(page, "extruderTemp"), QStringLiteral("250"));
        bench.fx->board().setForcedNozzleTemp(227.0);
        QTRY_COMPARE(labelText(page, "extruderTemp"), QStringLiteral("227"));
        QTest::qWait(50);
        QCOMPARE(page->state(), LoadFilament::LOADING_FILAMENT_FIRST_PREHEAT);
        // No reading while the board does not answer (homed by now).
        QTRY_VERIFY(!ExecuteReturnHome()->isHoming());
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(200);
        bench.fx->board().setSilent(true);
        QTRY_COMPARE_WITH_TIMEOUT(labelText(page, "extruderTemp"), QStringLiteral("--"), 30000);
        bench.fx->board().setSilent(false);
        QTRY_COMPARE_WITH_TIMEOUT(labelText(page, "extruderTemp"), QStringLiteral("227"), 30000);
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(5000);
        bench.fx->board().setForcedNozzleTemp(249.0);
        QTRY_VERIFY(page->state() != LoadFilament::LOADING_FILAMENT_FIRST_PREHEAT);
        page->close();
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
        QTRY_COMPARE(bench.fx->count("M18"), 1);
        const QStringList raw = bench.commands();
        QVERIFY(bench.movesAfter(raw.size()).isEmpty());
    }

    // 290 °C is tolerated; 291 stops everything: no park move follows the
    // homing that was running, and the button leaves without a question.
    void overTemperatureDuringHoming()
    {
        bench.fx->board().setForcedNozzleTemp(235.0);
        slowHoming();
        LoadFilament *page = open();
        QTRY_COMPARE(page->state(), LoadFilament::LOADING_FILAMENT_SECOND_HOME);

        bench.fx->board().setForcedNozzleTemp(290.0);
        QTRY_COMPARE(labelText(page, "extruderTemp"), QStringLiteral("290"));
        QTest::qWait(50);
        QCOMPARE(labelText(page, "label"), QStringLiteral("Extruder heating..."));
        QVERIFY(ExecuteReturnHome()->isHoming());

        bench.fx->board().setForcedNozzleTemp(291.0);
        QTRY_COMPARE(labelText(page, "label"), QStringLiteral("Abnormal temperature,\nplease check the extruder."));
        QCOMPARE(page->state(), LoadFilament::LOADING_FILAMENT_SECOND_HOME);
        QTRY_VERIFY(!ExecuteReturnHome()->isHoming());
        QTRY_COMPARE(bench.fx->board().nozzleTarget(), 0);
        // The read-out goes on while the sequence stands still.
        bench.fx->board().setForcedNozzleTemp(295.0);
        QTRY_COMPARE(labelText(page, "extruderTemp"), QStringLiteral("295"));

        closeStoppedPage(page, {"G1 Z100 F400", "G92 X0 Y0 Z0"});
    }

    // An end-stop that never triggers: the heater goes off, the page says
    // so, the read-out goes on, and the button leaves without a question;
    // nothing is parked or pushed.
    void homingThatNeverEnds()
    {
        bench.fx->board().setForcedNozzleTemp(235.0);
        bench.fx->board().setStuckEndstop('Y', true);
        LoadFilament *page = open();
        QTRY_COMPARE(labelText(page, "label"), QStringLiteral("Homing failed"));
        QVERIFY(!ExecuteReturnHome()->isHoming());
        QTRY_COMPARE(bench.fx->board().nozzleTarget(), 0);
        bench.fx->board().setForcedNozzleTemp(120.0);
        QTRY_COMPARE(labelText(page, "extruderTemp"), QStringLiteral("120"));
        QCOMPARE(labelText(page, "label"), QStringLiteral("Homing failed"));
        QVERIFY(ScreenCheck::clippedTexts(page).isEmpty());
        ScreenCheck::save(page, "load-homing-failed");

        closeStoppedPage(page, {"G1 Z100 F400"});
    }

    // "Back" leaves the sequence running; "OK" stops it at once.
    void cancelQuestionAnsweredNoThenYes()
    {
        bench.fx->board().setForcedNozzleTemp(235.0);
        slowHoming();
        LoadFilament *page = open();
        {
            QuestionAnswerer no(false);
            QTest::mouseClick(button(page, "close"), Qt::LeftButton);
            QCOMPARE(no.asked, QStringList{"Cancel load|Are you sure to\n cancel load?"});
        }
        QVERIFY(LoadFilament::instLoadFilament);
        QTRY_COMPARE(page->state(), LoadFilament::LOADING_FILAMENT_SECOND_HOME);

        QuestionAnswerer yes(true);
        QTest::mouseClick(button(page, "close"), Qt::LeftButton);
        QCOMPARE(yes.asked.size(), 1);
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
        QTRY_VERIFY(!ExecuteReturnHome()->isHoming());
        QTRY_COMPARE(FilamentBench::tail(FilamentBench::foldHomingStops(bench.commands()), 5),
                     (QStringList{"M112", "M140 S0", "M104 S0 T0", "M112", "M18"}));
        const QStringList raw = bench.commands();
        QCOMPARE(countExtrusion(raw), 0);
        QVERIFY(bench.movesAfter(raw.size()).isEmpty());
    }

    // The question stays open while the sequence goes on: heating, homing,
    // parking, pushing. Whenever "OK" comes (or the page finishes first),
    // nothing moves after the closing commands.
    void cancelConfirmedWhileTheSequenceMoves()
    {
        for (int round = 0; round < 16; ++round) {
            bench.reset();
            LoadFilament *page = open();
            QuestionAnswerer yes(true, 5 * round);
            QTest::mouseClick(button(page, "close"), Qt::LeftButton);
            QTRY_VERIFY(!LoadFilament::instLoadFilament);
            QCOMPARE(yes.asked.size(), 1);
            QTRY_COMPARE(FilamentBench::tail(FilamentBench::foldHomingStops(bench.commands()), 5),
                         (QStringList{"M112", "M140 S0", "M104 S0 T0", "M112", "M18"}));
            const QStringList raw = bench.commands();
            QVERIFY(bench.movesAfter(raw.size()).isEmpty());
        }
    }

    // The fast push cannot be interrupted; during the slow push "ok" closes
    // the page once, after the delay, however often it is pressed.
    void buttonDuringThePushes()
    {
        bench.fx->board().setForcedNozzleTemp(235.0);
        bench.fx->board().placeHead({0, 0, 0, 0});
        bench.fx->board().setTimeScale(20.0);
        LoadFilament *page = open();
        QTRY_COMPARE(page->state(), LoadFilament::LOADING_FILAMENT_FIFTH_FAST_SPEED);
        QuestionAnswerer answerer(true);
        QTest::mouseClick(button(page, "close"), Qt::LeftButton);
        QTest::qWait(20);
        QVERIFY(answerer.asked.isEmpty());
        QCOMPARE(page->state(), LoadFilament::LOADING_FILAMENT_FIFTH_FAST_SPEED);
        QVERIFY(LoadFilament::instLoadFilament);

        QTRY_COMPARE(page->state(), LoadFilament::LOADING_FILAMENT_SIXTH_SLOW_SPEED);
        QTest::mouseClick(button(page, "close"), Qt::LeftButton);
        QVERIFY(!button(page, "close")->isEnabled());
        QTest::mouseClick(button(page, "close"), Qt::LeftButton);
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
        QVERIFY(answerer.asked.isEmpty());
        QTRY_COMPARE(FilamentBench::tail(FilamentBench::foldHomingStops(bench.commands()), 2),
                     (QStringList{"M112", "M18"}));
        const QStringList raw = bench.commands();
        QCOMPARE(bench.fx->count("M18"), 1);
        QVERIFY(bench.movesAfter(raw.size()).isEmpty());
    }

    // Another page may close this one while its question is open.
    void closedFromElsewhereWhileAsking()
    {
        slowHoming();
        LoadFilament *page = open();
        QuestionAnswerer answerer(true);
        answerer.whileOpen = [] { LoadFilament::instLoadFilament->close(); };
        QTest::mousePress(button(page, "close"), Qt::LeftButton);
        QTRY_VERIFY(!LoadFilament::instLoadFilament);
        QTRY_VERIFY(!TwoButtonDialog::instTwoButtonDialog);
        QCOMPARE(answerer.asked.size(), 1);
        QTRY_COMPARE(FilamentBench::tail(FilamentBench::foldHomingStops(bench.commands()), 2),
                     (QStringList{"M112", "M18"}));
        const QStringList raw = bench.commands();
        QVERIFY(bench.movesAfter(raw.size()).isEmpty());
    }
};

QTEST_MAIN(TestLoadFilament)
#include "tst_loadfilament.moc"
