// The Level button's menu and the four-corner bed levelling against the
// simulated board.
#include "buzzerplay.h"
#include "filamenttestkit.h"
#include "leveling.h"
#include "levelingkit.h"
#include "onelabledialog.h"
#include "onetimesclicked.h"
#include "pageopener.h"
#include "platformlevel.h"
#include "printertranslations.h"
#include "screencheck.h"

#include <QMouseEvent>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

namespace {

QStringList cornerMoves(int x, int y)
{
    return {"G1 Z10 F300", QString("G1 X%1 Y%2 F3000").arg(x).arg(y), "G1 Z0 F300"};
}

QString pageText(const char *text)
{
    return QCoreApplication::translate("PlatformLevel", text);
}

QString busyText()
{
    OneLableDialog *notice = OneLableDialog::instOneLableDialog;
    return notice && notice->isVisible() ? notice->findChild<QLabel *>("textLabel")->text() : QString();
}

} // namespace

class TestLeveling : public QObject {
    Q_OBJECT
    FilamentBench bench;

    PlatformLevel *page() const { return PlatformLevel::instPlatformLevel; }

    // Every visible text of the page and its busy notice fits; pictures
    // of both for a look.
    void look(const QString &name)
    {
        for (QWidget *screen : {static_cast<QWidget *>(page()), static_cast<QWidget *>(OneLableDialog::instOneLableDialog)}) {
            if (!screen)
                continue;
            QVERIFY2(ScreenCheck::clippedTexts(screen).isEmpty(), qPrintable(name));
            ScreenCheck::save(screen, name + (screen == page() ? "" : "-notice"));
        }
    }

    // A board slow enough that a corner move outlasts many polls.
    void slowBoard() { bench.fx->board().setTimeScale(5.0); }

private slots:
    void initTestCase()
    {
        QVERIFY(bench.setUp());
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        MainWindowHooks hooks;
        hooks.openLevel = [] { openPage(Leveling::instLeveling); };
        MainWindow::setHooks(hooks);
        // As on the device: the page never waits on the board.
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
    }
    void cleanupTestCase() { bench.tearDown(); }
    void init()
    {
        bench.reset();
        getConfigFile()->configFile()->setBuzzerStatus(false);
    }
    void cleanup()
    {
        TimeScale::setFactor(0.01);
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        bench.fx->board().setSilent(false);
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(5000);
        if (page())
            page()->close();
        if (Leveling::instLeveling)
            Leveling::instLeveling->close();
        QTRY_VERIFY(!page() && !Leveling::instLeveling && !OneLableDialog::instOneLableDialog);
    }

    void levelsFourCorners_data()
    {
        ScreenCheck::addLanguageRows();
    }

    // From the main window's Level button to the page closing itself: the
    // exact commands, the texts in order, a tune at each corner, READY.
    void levelsFourCorners()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        getConfigFile()->configFile()->setBuzzerStatus(true);
        const int tunes = buzzerPlay::getInstance("pwm1")->queuedTotal();
        bench.mainWindow->moveMode = MOVE_MODE_HOMING;

        QTest::mouseClick(bench.mainWindow->findChild<QToolButton *>("showLevel"), Qt::LeftButton);
        QTRY_VERIFY(Leveling::instLeveling && Leveling::instLeveling->isVisible());
        auto *table = Leveling::instLeveling->findChild<QTableWidget *>("tableWidget");
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 1)->text(), QCoreApplication::translate("Leveling", "Level"));
        ScreenCheck::save(Leveling::instLeveling, language + "-level-0-menu");
        QVERIFY(ScreenCheck::clippedTexts(Leveling::instLeveling).isEmpty());
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualItemRect(table->item(0, 1)).center());
        QVERIFY(page());

        // While the head moves the notice alone speaks: no instruction line
        // half covered behind it.
        const auto instructionShown = [this] { return page()->findChild<QLabel *>("label")->isVisible(); };
        QStringList shown{busyText()};
        QVERIFY(!instructionShown());
        look(language + "-level-1-homing");
        QTRY_VERIFY(levelPageWaitsAt(*bench.fx, 27, 20));
        QVERIFY(instructionShown());
        QCOMPARE(labelText(page(), "label"), pageText("Unscrew corresponding nut under\nplatform until touching\n the nozzle."));
        look(language + "-level-2-corner1");
        const QList<QPoint> corners{{270, 20}, {270, 280}, {27, 280}};
        for (int i = 0; i < corners.size(); ++i) {
            shown << button(page(), "ok")->text();
            pressLevelOk();
            shown << busyText();
            QVERIFY(!instructionShown());
            look(language + QString("-level-moving%1").arg(i + 2));
            QTRY_VERIFY(levelPageWaitsAt(*bench.fx, corners[i].x(), corners[i].y()));
            QVERIFY(instructionShown());
            look(language + QString("-level-%1-corner%2").arg(i + 3).arg(i + 2));
        }
        QVERIFY(!button(page(), "back")->isVisible());
        QVERIFY(page()->findChild<QLabel *>("label_logo")->isVisible());
        shown << button(page(), "ok")->text();

        // Slower clocks, so that the closing message stays long enough to see.
        TimeScale::setFactor(0.1);
        pressLevelOk();
        shown << labelText(page(), "label");
        QVERIFY(!button(page(), "ok")->isVisible());
        look(language + "-level-6-homing-again");
        QTRY_COMPARE(labelText(page(), "label"), pageText("Leveling completed!"));
        look(language + "-level-7-completed");
        QTRY_VERIFY(!page());

        QCOMPARE(shown, (QStringList{pageText("Pre-adjusting, please wait..."),
                                     pageText("Next"), pageText("Moving to point 2.\nPlease wait..."),
                                     pageText("Next"), pageText("Moving to point 3.\nPlease wait..."),
                                     pageText("Next"), pageText("Moving to point 4.\nPlease wait..."),
                                     pageText("Complete"), pageText("Calibration is stored. Extruder is homing...")}));
        const QStringList expected = QStringList{"M112", "M17", "M141 T90"} + FilamentBench::homingXYZ()
                                     + QStringList{"M112", "G90", "G92 X0 Y0 Z0 A0 B0"} + cornerMoves(27, 20)
                                     + cornerMoves(270, 20) + cornerMoves(270, 280) + cornerMoves(27, 280)
                                     + QStringList{"G1 Z10 F300"} + FilamentBench::homingXYZ()
                                     + QStringList{"G90", "G92 X0 Y0 Z0 A0 B0", "M112", "M18"};
        QTRY_COMPARE(bench.commands(), expected);
        QCOMPARE(buzzerPlay::getInstance("pwm1")->queuedTotal(), tunes + 4);
        QCOMPARE(bench.mainWindow->moveMode.load(), MOVE_MODE_READY);
        QCOMPARE(bench.mainWindow->machineStatus.load(), MACHINE_STATUS_READY);
        QVERIFY(!bench.fx->board().motorsEnabled());
        QCoreApplication::removeTranslator(&translator);
    }

    // A press before the head has arrived does nothing; neither does a
    // second tap that arrives while the first is handled (and it never
    // blocks); arrivals stay silent with the buzzer off.
    void okBeforeArrivalAndDoubleTap()
    {
        const int tunes = buzzerPlay::getInstance("pwm1")->queuedTotal();
        slowBoard();
        openPage(PlatformLevel::instPlatformLevel);
        QVERIFY(bench.fx->waitForCommand("G1 X27 Y20 F3000", kTryWaitMs));
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTest::mouseClick(button(page(), "ok"), Qt::LeftButton);
        QTRY_VERIFY(levelPageWaitsAt(*bench.fx, 27, 20));
        QCOMPARE(bench.fx->count("G1 X270 Y20 F3000"), 0);

        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QToolButton *ok = button(page(), "ok");
        const QPoint centre = ok->rect().center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(ok, new QMouseEvent(type, centre, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QTest::mouseClick(ok, Qt::LeftButton);
        QTest::mouseClick(ok, Qt::LeftButton);
        // Once the guard is free again, a press on the way does nothing.
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QVERIFY(OneLableDialog::instOneLableDialog);
        QTest::mouseClick(ok, Qt::LeftButton);
        QTRY_VERIFY(levelPageWaitsAt(*bench.fx, 270, 20));
        QTest::qWait(50);
        QCOMPARE(bench.fx->count("G1 X270 Y20 F3000"), 1);
        QCOMPARE(bench.fx->count("G1 X270 Y280 F3000"), 0);
        QCOMPARE(buzzerPlay::getInstance("pwm1")->queuedTotal(), tunes);
    }

    // An end-stop that never triggers: no busy notice left for good, a
    // message instead, and Back still closes the page.
    void homingThatNeverEnds()
    {
        bench.fx->board().setStuckEndstop('X', true);
        openPage(PlatformLevel::instPlatformLevel);
        QTRY_COMPARE(page()->findChild<QLabel *>("label")->text(), QStringLiteral("Homing failed"));
        QVERIFY(!OneLableDialog::instOneLableDialog);
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        button(page(), "back")->click();
        QTRY_VERIFY(!page());
    }

    // The board falls silent as the page opens, or while it homes: the page
    // opens without waiting on the board (with a screen wait long enough for
    // the link to find the silence out, a page that waited at all would
    // open only after it had), and homing ends as soon as the link knows,
    // long before an axis's minute (a real one here): homing failed, no
    // notice left, Back.
    void boardFallsSilentWhileHoming_data()
    {
        QTest::addColumn<bool>("atOpening");
        QTest::newRow("as the page opens") << true;
        QTest::newRow("while the end-stops are polled") << false;
    }
    void boardFallsSilentWhileHoming()
    {
        QFETCH(bool, atOpening);
        SerialObject *link = ExecuteGetSerialObject()->serial();
        link->setReplyTimeoutMs(2000);
        SerialObject::setScreenWaitMs(60000);
        TimeScale::setFactor(1.0);
        if (atOpening)
            bench.fx->board().setSilent(true);
        else
            bench.fx->board().setStuckEndstop('X', true);
        openPage(PlatformLevel::instPlatformLevel);
        if (atOpening) {
            QVERIFY(link->boardResponding());
        } else {
            QVERIFY(bench.fx->waitForCommand("G1 X-320 F3000"));
            bench.fx->board().setSilent(true);
        }
        QTRY_COMPARE_WITH_TIMEOUT(labelText(page(), "label"), QStringLiteral("Homing failed"), 20000);
        QVERIFY(!link->boardResponding());
        QVERIFY(!OneLableDialog::instOneLableDialog && button(page(), "back")->isVisible());
        bench.fx->board().setSilent(false);
        bench.fx->board().setStuckEndstop('X', false);
        QTRY_VERIFY(link->boardResponding() && link->undeliveredCount() == 0);
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        button(page(), "back")->click();
        QTRY_VERIFY(!page());
    }

    // The board falls silent on the way to a corner: the page says so
    // instead of a notice left for good, and Back leaves it.
    void boardFallsSilentOnTheWayToACorner()
    {
        openPage(PlatformLevel::instPlatformLevel);
        QTRY_VERIFY(levelPageWaitsAt(*bench.fx, 27, 20));
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(200);
        bench.fx->board().silenceAt("G1 X270 Y20 F3000");
        pressLevelOk();
        QTRY_COMPARE(labelText(page(), "label"), pageText("Moving failed"));
        QVERIFY(!OneLableDialog::instOneLableDialog && !button(page(), "ok")->isVisible());
        QVERIFY(button(page(), "back")->isVisible());
        look("level-moving-failed");
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        button(page(), "back")->click();
        QTRY_VERIFY(!page());
    }

    // A corner whose first reply comes later than the screen waits on the
    // device: the notice stays until the head rests on the bed at the new
    // corner, never while it hangs above the old one.
    void cornerWithALateReply()
    {
        openPage(PlatformLevel::instPlatformLevel);
        QTRY_VERIFY(levelPageWaitsAt(*bench.fx, 27, 20));
        bench.fx->board().delayReplyOnce("G1 Z10 F300", 1000);
        pressLevelOk();
        QVERIFY(OneLableDialog::instOneLableDialog);
        QTRY_VERIFY(!OneLableDialog::instOneLableDialog);
        QVERIFY(levelPageWaitsAt(*bench.fx, 270, 20));
        QVERIFY(page()->findChild<QLabel *>("label")->isVisible());
        QCOMPARE(bench.commands().mid(bench.commands().size() - 3), cornerMoves(270, 20));
    }

    // The homing after "Complete" never ends: the message, and the back bar
    // in place of the logo, so that the page can still be left.
    void finalHomingThatNeverEnds()
    {
        openPage(PlatformLevel::instPlatformLevel);
        QTRY_VERIFY(levelPageWaitsAt(*bench.fx, 27, 20));
        for (const QPoint &corner : {QPoint(270, 20), QPoint(270, 280), QPoint(27, 280)}) {
            pressLevelOk();
            QTRY_VERIFY(levelPageWaitsAt(*bench.fx, corner.x(), corner.y()));
        }
        QCOMPARE(button(page(), "ok")->text(), pageText("Complete"));
        bench.fx->board().setStuckEndstop('Z', true);
        pressLevelOk();
        QTRY_COMPARE(labelText(page(), "label"), QStringLiteral("Homing failed"));
        QVERIFY(!page()->findChild<QLabel *>("label_logo")->isVisible());
        QVERIFY(button(page(), "back")->isVisible());
        look("level-final-homing-failed");
        bench.mainWindow->moveMode = MOVE_MODE_MOVING;
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTest::mouseClick(button(page(), "back"), Qt::LeftButton);
        QTRY_VERIFY(!page());
        QTRY_COMPARE(FilamentBench::tail(FilamentBench::foldHomingStops(bench.commands()), 2),
                     (QStringList{"M112", "M18"}));
        QCOMPARE(bench.mainWindow->moveMode.load(), MOVE_MODE_READY);
    }

    // Back while the head travels to corner 2: the closing commands, READY,
    // the busy notice gone and no poll of the board afterwards.
    void backOnTheWayToCorner2()
    {
        openPage(PlatformLevel::instPlatformLevel);
        QTRY_VERIFY(levelPageWaitsAt(*bench.fx, 27, 20));
        slowBoard();
        pressLevelOk();
        QVERIFY(OneLableDialog::instOneLableDialog);
        const int polled = bench.fx->count("M121");
        QTRY_VERIFY(bench.fx->count("M121") >= polled + 2);
        QVERIFY(OneLableDialog::instOneLableDialog); // still on the way
        bench.mainWindow->moveMode = MOVE_MODE_MOVING;
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        button(page(), "back")->click();
        QTRY_VERIFY(!page());
        QVERIFY(!OneLableDialog::instOneLableDialog);
        QTRY_COMPARE(FilamentBench::tail(bench.commands(), 2), (QStringList{"M112", "M18"}));
        QCOMPARE(bench.mainWindow->moveMode.load(), MOVE_MODE_READY);
        // A poll asked before the page closed still runs; none after it.
        QVERIFY(SimFixture::waitForRequests(ExecuteGetSerialObject()->serial()));
        const int polls = bench.fx->count("M121");
        QTest::qWait(100);
        QCOMPARE(bench.fx->count("M121"), polls);
    }
};

QTEST_MAIN(TestLeveling)
#include "tst_leveling.moc"
