#include "filamenttestkit.h"
#include "linkrequests.h"
#include "pageopener.h"
#include "preheat.h"
#include "preheatlist.h"
#include "valuestepper.h"

#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

namespace {

QString degrees(int celsius) { return QString::number(celsius) + QStringLiteral("\u2103"); }

// The widgets of one heater's panel.
struct Panel {
    QToolButton *start, *minus, *plus;
    QLabel *setPoint, *current, *target;
    QProgressBar *bar;
};

Panel nozzlePanel(Preheat *page)
{
    return {button(page, "nozzleStart"), button(page, "extruderTempMinus"), button(page, "extruderTempPlus"),
            page->findChild<QLabel *>("extruderTemperature"), page->findChild<QLabel *>("showCurrentExtruder"),
            page->findChild<QLabel *>("showTargetExtruder"), page->findChild<QProgressBar *>("extruderProgressBar")};
}

Panel bedPanel(Preheat *page)
{
    return {button(page, "plateStart"), button(page, "platformTempMinus"), button(page, "platformTempPlus"),
            page->findChild<QLabel *>("platformTemperature"), page->findChild<QLabel *>("showCurrentPlatform"),
            page->findChild<QLabel *>("showTargetPlatform"), page->findChild<QProgressBar *>("platformProgressBar")};
}

void clickStart(const Panel &panel)
{
    waitForFreeClickGuard();
    QTest::mouseClick(panel.start, Qt::LeftButton);
}

SerialObject *link() { return ExecuteGetSerialObject()->serial(); }

} // namespace

class TestPreheat : public QObject {
    Q_OBJECT
    FilamentBench bench;

    sim::BoardSimulator &board() { return bench.fx->board(); }

private slots:
    void initTestCase() { QVERIFY(bench.setUp()); }
    void cleanupTestCase() { bench.tearDown(); }
    void init() { bench.reset(); }
    void cleanup()
    {
        TimeScale::setFactor(0.01);
        board().setSilent(false);
        delete PreheatList::instPreheatList;
        delete Preheat::instPreheat;
        // Behind whatever a case left with the link.
        QVERIFY(waitForOutcome(link()->requestHeaters(0, 0)) != BoardRequest::Outcome::Pending);
        QTRY_COMPARE(link()->undeliveredCount(), 0);
        link()->setReplyTimeoutMs(5000);
        SerialObject::setScreenWaitMs(60000);
    }

    // Each press of a row reads its preset then: edited presets apply without
    // a restart, and a second page does not open over the first.
    void rowsOpenThePageWithTheCurrentPresets()
    {
        Config *config = getConfigFile()->configFile();
        config->setPLANozzleTemperature(205);
        config->setPLAPlatformTemperature(65);
        config->setABSNozzleTemperature(235);
        config->setABSPlatformTemperature(95);
        PreheatList *menu = openPage(PreheatList::instPreheatList);
        auto *table = menu->findChild<QTableWidget *>("tableWidget");
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("PLA Preheat"));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("ABS Preheat"));

        pressRow(menu, 0);
        Preheat *page = Preheat::instPreheat;
        QVERIFY(page);
        QCOMPARE(nozzlePanel(page).setPoint->text(), degrees(205));
        QCOMPARE(bedPanel(page).setPoint->text(), degrees(65));
        QTRY_COMPARE(bench.commands(), QStringList{"M18"});
        pressRow(menu, 1);
        QCOMPARE(Preheat::instPreheat, page);
        delete page;

        config->setPLANozzleTemperature(215);
        config->setPLAPlatformTemperature(70);
        pressRow(menu, 0);
        QCOMPARE(nozzlePanel(Preheat::instPreheat).setPoint->text(), degrees(215));
        QCOMPARE(bedPanel(Preheat::instPreheat).setPoint->text(), degrees(70));
        delete Preheat::instPreheat;
        pressRow(menu, 1);
        QCOMPARE(nozzlePanel(Preheat::instPreheat).setPoint->text(), degrees(235));
        QCOMPARE(bedPanel(Preheat::instPreheat).setPoint->text(), degrees(95));
    }

    // Presets outside 20..250 (nozzle) and 20..110 (bed) are brought in, and
    // the key towards a bound that is reached is disabled.
    void setPointsStayInTheirRanges_data()
    {
        QTest::addColumn<int>("nozzle");
        QTest::addColumn<int>("bed");
        QTest::addColumn<int>("shownNozzle");
        QTest::addColumn<int>("shownBed");
        QTest::newRow("above") << 260 << 120 << 250 << 110;
        QTest::newRow("at the top") << 250 << 110 << 250 << 110;
        QTest::newRow("below") << 10 << 0 << 20 << 20;
        QTest::newRow("inside") << 200 << 60 << 200 << 60;
    }
    void setPointsStayInTheirRanges()
    {
        QFETCH(int, nozzle);
        QFETCH(int, bed);
        QFETCH(int, shownNozzle);
        QFETCH(int, shownBed);
        Preheat *page = openPage(Preheat::instPreheat, nozzle, bed);
        const Panel n = nozzlePanel(page), b = bedPanel(page);
        QCOMPARE(n.setPoint->text(), degrees(shownNozzle));
        QCOMPARE(b.setPoint->text(), degrees(shownBed));
        QCOMPARE(n.plus->isEnabled(), shownNozzle < 250);
        QCOMPARE(n.minus->isEnabled(), shownNozzle > 20);
        QCOMPARE(b.plus->isEnabled(), shownBed < 110);
        QCOMPARE(b.minus->isEnabled(), shownBed > 20);
    }

    // Holding a key repeats by 1, then by 10, and stops at the bed's bound.
    void holdingRepeatsUpToTheBound()
    {
        Preheat *page = openPage(Preheat::instPreheat, 200, 60);
        const Panel b = bedPanel(page);
        ValueStepper *bedStepper = nullptr;
        for (ValueStepper *s : page->findChildren<ValueStepper *>())
            if (s->value() == 60)
                bedStepper = s;
        QSignalSpy changes(bedStepper, &ValueStepper::valueChanged);
        QTest::mousePress(b.plus, Qt::LeftButton);
        QTRY_COMPARE(b.setPoint->text(), degrees(110));
        QVERIFY(!b.plus->isEnabled());
        QCOMPARE(changes.at(28).at(0).toInt(), 89); // 29 steps of 1
        QCOMPARE(changes.at(29).at(0).toInt(), 99); // then 10
        QCOMPARE(changes.last().at(0).toInt(), 110);
        QVERIFY(b.minus->isEnabled());
    }

    // Start heats to the set-point and shows the live read-out, Cancel
    // switches off and shows the set-point again; a changed set-point is
    // marked until it is started.
    void startAndCancelEachHeater()
    {
        Preheat *page = openPage(Preheat::instPreheat, 200, 60);
        QVERIFY(bench.fx->waitForCommand("M18"));
        struct Case {
            Panel panel;
            int setPoint;
            QString on, off;
            std::function<int()> target, current;
        };
        const QList<Case> cases{
            {nozzlePanel(page), 201, "M104 S201 T0", "M104 S0 T0", [this] { return board().nozzleTarget(); },
             [this] { return bench.mainWindow->getCurrentExtruderTemp(); }},
            {bedPanel(page), 61, "M140 S61", "M140 S0", [this] { return board().bedTarget(); },
             [this] { return bench.mainWindow->getCurrentPlatformTemp(); }}};
        for (const Case &c : cases) {
            board().clearLog();
            QTest::mouseClick(c.panel.plus, Qt::LeftButton);
            QVERIFY(c.panel.setPoint->styleSheet().contains("#C2172D"));
            clickStart(c.panel);
            const int atStart = c.panel.current->text().toInt();
            QTRY_COMPARE(bench.commands(), QStringList{c.on});
            QTRY_COMPARE(c.target(), c.setPoint);
            QCOMPARE(c.panel.start->text(), QStringLiteral("Cancel"));
            QVERIFY(c.panel.current->isVisible() && c.panel.bar->isVisible());
            QVERIFY(!c.panel.setPoint->isVisible() && !c.panel.plus->isVisible());
            QCOMPARE(c.panel.target->text(), "/" + degrees(c.setPoint));
            QVERIFY(c.panel.setPoint->styleSheet().contains("#222222"));
            QCOMPARE(c.panel.bar->maximum(), c.setPoint);
            // The read-out follows the main window's poll while heating.
            QTRY_VERIFY(c.current() > atStart + 5);
            QTRY_COMPARE(c.panel.current->text(), QString::number(c.current()));
            QCOMPARE(c.panel.bar->value(), qMin(c.current(), c.setPoint));
            // No reading while the board does not answer.
            link()->setReplyTimeoutMs(200);
            board().setSilent(true);
            QTRY_COMPARE_WITH_TIMEOUT(c.panel.current->text(), QStringLiteral("--"), 30000);
            board().setSilent(false);
            QTRY_COMPARE_WITH_TIMEOUT(c.panel.current->text(), QString::number(c.current()), 30000);
            link()->setReplyTimeoutMs(5000);

            clickStart(c.panel);
            QTRY_COMPARE(bench.commands(), (QStringList{c.on, c.off}));
            QTRY_COMPARE(c.target(), 0);
            QCOMPARE(c.panel.start->text(), QStringLiteral("Start"));
            QVERIFY(!c.panel.current->isVisible() && !c.panel.bar->isVisible());
            QVERIFY(c.panel.setPoint->isVisible() && c.panel.plus->isVisible());
        }
    }

    // Cancel while the board is slow to take the heat-up: the off reaches the
    // board after the heat-up and the heater ends off.
    void cancelBehindALateHeatUp()
    {
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        Preheat *page = openPage(Preheat::instPreheat, 200, 60);
        const Panel n = nozzlePanel(page);
        QTRY_COMPARE(bench.commands(), QStringList{"M18"});
        board().delayReplyOnce("M104 S200 T0", 2000);
        clickStart(n);
        QVERIFY(bench.fx->waitForCommand("M104 S200 T0"));
        clickStart(n);
        QCOMPARE(n.start->text(), QStringLiteral("Start"));
        QTRY_COMPARE(bench.commands(), (QStringList{"M18", "M104 S200 T0", "M104 S0 T0"}));
        QTRY_COMPARE(link()->undeliveredCount(), 0);
        QCOMPARE(board().nozzleTarget(), 0);
        QVERIFY(!n.start->isChecked());
    }

    // A heat-up the board does not take is not shown as heating.
    void startDuringASilence()
    {
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        TimeScale::setFactor(1.0); // no auto-off meanwhile
        link()->setReplyTimeoutMs(200);
        Preheat *page = openPage(Preheat::instPreheat, 200, 60);
        const Panel b = bedPanel(page);
        QTRY_COMPARE(bench.commands(), QStringList{"M18"});
        board().setSilent(true);
        clickStart(b);
        QCOMPARE(b.start->text(), QStringLiteral("Cancel"));
        QTRY_COMPARE(b.start->text(), QStringLiteral("Start"));
        QVERIFY(!b.start->isChecked());
        QVERIFY(b.setPoint->isVisible() && !b.bar->isVisible());
    }

    // A Start tap the click guard swallows leaves the button as the heater is.
    void startSwallowedByTheGuard()
    {
        Preheat *page = openPage(Preheat::instPreheat, 200, 60);
        const Panel n = nozzlePanel(page);
        waitForFreeClickGuard();
        OneTimesClicked()->setOneTimesClicked(nullptr, "TOOLBUTTON_R25_STYLE");
        QTest::mouseClick(n.start, Qt::LeftButton);
        QVERIFY(!n.start->isChecked());
        QCOMPARE(n.start->text(), QStringLiteral("Start"));
        QCOMPARE(link()->nozzleTarget(), 0);
        QTRY_COMPARE(bench.commands(), QStringList{"M18"});
    }

    // Ten minutes after its start a heater switches itself off, also while
    // the click guard is armed by taps elsewhere.
    void autoOffWhileTheGuardIsArmed()
    {
        Preheat *page = openPage(Preheat::instPreheat, 200, 60);
        const Panel n = nozzlePanel(page);
        TimeScale::setFactor(0.0005); // ten minutes become 300 ms
        clickStart(n);
        QTRY_COMPARE(board().nozzleTarget(), 200);
        QTimer tapsElsewhere;
        connect(&tapsElsewhere, &QTimer::timeout,
                [] { OneTimesClicked()->setOneTimesClicked(nullptr, "TOOLBUTTON_R25_STYLE"); });
        tapsElsewhere.start(20);
        QTRY_COMPARE(board().nozzleTarget(), 0);
        QVERIFY(OneTimesClicked()->isHasClicked());
        QVERIFY(!n.start->isChecked());
        QCOMPARE(n.start->text(), QStringLiteral("Start"));
        QVERIFY(n.setPoint->isVisible());
        QCOMPARE(bench.commands(), (QStringList{"M18", "M104 S200 T0", "M104 S0 T0"}));
    }

    // "Back" switches both heaters off, the bed first, once.
    void backSwitchesBothHeatersOff()
    {
        Preheat *page = openPage(Preheat::instPreheat, 200, 60);
        clickStart(nozzlePanel(page));
        clickStart(bedPanel(page));
        QTRY_COMPARE(board().bedTarget(), 60);
        board().clearLog();
        waitForFreeClickGuard();
        QTest::mouseClick(button(page, "back"), Qt::LeftButton);
        QTRY_VERIFY(!Preheat::instPreheat);
        QTRY_COMPARE(bench.commands(), (QStringList{"M140 S0", "M104 S0 T0"}));
        QCOMPARE(board().nozzleTarget(), 0);
        QCOMPARE(board().bedTarget(), 0);
    }

    // Closing the menu closes the preheat page, which switches off the heater
    // it started and leaves the other alone.
    void menuClosedUnderARunningHeater()
    {
        PreheatList *menu = openPage(PreheatList::instPreheatList);
        ExecuteGetSerialObject()->serial()->HeatingPlatform(50); // started elsewhere
        pressRow(menu, 0);
        clickStart(nozzlePanel(Preheat::instPreheat));
        QTRY_VERIFY(board().nozzleTarget() > 0);
        board().clearLog();
        waitForFreeClickGuard();
        QTest::mouseClick(button(menu, "back"), Qt::LeftButton);
        QTRY_VERIFY(!PreheatList::instPreheatList);
        QVERIFY(!Preheat::instPreheat);
        QTRY_COMPARE(bench.commands(), QStringList{"M104 S0 T0"});
        QCOMPARE(board().bedTarget(), 50);
    }
};

QTEST_MAIN(TestPreheat)
#include "tst_preheat.moc"
