#include "buzzerplay.h"
#include "control.h"
#include "executereturnhome.h"
#include "filamenttestkit.h"
#include "home.h"
#include "homingclaim.h"
#include "linkrequests.h"
#include "loadfilament.h"
#include "manual.h"
#include "onebuttondialog.h"
#include "pageopener.h"
#include "preheatlist.h"
#include "preheat.h"
#include "printertranslations.h"
#include "returnhomelistener.h"
#include "screencheck.h"
#include "stringbrevik.h"
#include "sysroot.h"
#include "unloadfilament.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTranslator>
#include <QTableWidget>
#include <QtTest>

namespace {

QImage iconImage(const QIcon &icon) { return icon.pixmap(42, 42).toImage(); }

int openCount(const char *className)
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += w->inherits(className) && !w->testAttribute(Qt::WA_WState_Hidden);
    return n;
}

QString pwmPeriodFile() { return SysRoot::path("/sys/class/pwm/pwmchip0/pwm1/period"); }

// A page as the user sees it: over the main window, below its status bar.
void saveOverMainWindow(QWidget *mainWindow, QWidget *page, const QString &name)
{
    QPixmap screen(272, 480);
    QPainter painter(&screen);
    painter.drawPixmap(0, 0, mainWindow->grab());
    painter.drawPixmap(page->pos(), page->grab());
    painter.end();
    QLabel shot;
    shot.setPixmap(screen);
    shot.resize(screen.size());
    ScreenCheck::save(&shot, name);
}

struct CountingListener : ReturnHomeListener {
    int calls = 0;
    void checkReturnHomeDone() override { ++calls; }
};

} // namespace

class TestControlMenu : public QObject {
    Q_OBJECT
    FilamentBench bench;

    MainWindow *window() { return bench.mainWindow.get(); }

    Control *openFromMainWindow()
    {
        waitForFreeClickGuard();
        QTest::mouseClick(window()->findChild<QToolButton *>("showControl"), Qt::LeftButton);
        return Control::instControl;
    }

    static QStringList homingXYZ()
    {
        return {"G91", "G1 X-320 F3000", "M112", "G92 X0", "G1 Y-320 F3000", "M112", "G92 Y0",
                "G1 Z-420 F600", "M112", "G92 Z0", "G90"};
    }

    QString readBackPosition()
    {
        float x = 0, y = 0, z = 0;
        StringBrevik::positionXYZ(ExecuteGetSerialObject()->serial()->serialCheckCode("M114"), x, y, z);
        return QString("X: %1|Y: %2|Z: %3").arg(x, 0, 'f', 2).arg(y, 0, 'f', 2).arg(z, 0, 'f', 2);
    }

    static QString shownPosition(Manual *page)
    {
        return labelText(page, "labelX") + '|' + labelText(page, "labelY") + '|' + labelText(page, "labelZ");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(bench.setUp());
        ScreenCheck::useDeviceFont();
        initPrinterTranslations();
        MainWindowHooks hooks;
        hooks.openControl = [] { openPage(Control::instControl); };
        MainWindow::setHooks(hooks);
    }
    void cleanupTestCase()
    {
        MainWindow::setHooks(MainWindowHooks());
        bench.tearDown();
    }
    void init() { bench.reset(); }
    void cleanup()
    {
        delete Control::instControl;
        delete Manual::instManual;
        delete Home::instHome;
        delete LoadFilament::instLoadFilament;
        delete UnloadFilament::instUnloadFilament;
        delete PreheatList::instPreheatList;
        delete Preheat::instPreheat;
        bench.fx->board().setGarbageReplies(false);
        bench.fx->board().setSilent(false);
        TimeScale::setFactor(0.01);
        SerialObject::setScreenWaitMs(60000);
        QVERIFY(SimFixture::waitForRequests(ExecuteGetSerialObject()->serial()));
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(5000);
        QTRY_VERIFY(ExecuteGetSerialObject()->serial()->undeliveredCount() == 0);
    }

    // The main window's Control button opens the menu once; the board's
    // motors follow the stored state, and the motor row switches and stores
    // it.
    void motorRowFollowsAndStoresTheSetting_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::newRow("stored off") << false;
        QTest::newRow("stored on") << true;
    }
    void motorRowFollowsAndStoresTheSetting()
    {
        QFETCH(bool, stored);
        Config *config = getConfigFile()->configFile();
        config->setMotorStatus(stored);
        Control *menu = openFromMainWindow();
        QVERIFY(menu);
        QCOMPARE(openFromMainWindow(), menu);
        QCOMPARE(openCount("Control"), 1);
        const QString storedCommand = stored ? "M17" : "M18";
        QTRY_COMPARE(bench.commands(), (QStringList{"M17", storedCommand}));
        QCOMPARE(bench.fx->board().motorsEnabled(), stored);

        auto *table = menu->findChild<QTableWidget *>("tableWidget");
        QCOMPARE(table->rowCount(), 6);
        QStringList texts;
        for (int r = 0; r < table->rowCount(); ++r)
            texts << table->item(r, 1)->text();
        QCOMPARE(texts, (QStringList{"Move", "Motor", "Homing", "Load", "Unload", "Preheat"}));
        const QImage on = iconImage(QIcon(":/Resource/icon/open.png"));
        const QImage off = iconImage(QIcon(":/Resource/icon/close.png"));
        QCOMPARE(iconImage(table->item(1, 2)->icon()) == on, stored);
        QVERIFY(!menu->findChild<QToolButton *>("down")->isVisible());

        pressRow(menu, 1);
        QTRY_COMPARE(config->getMotorStatus(), !stored);
        QCOMPARE(bench.fx->board().motorsEnabled(), !stored);
        QCOMPARE(iconImage(table->item(1, 2)->icon()) == off, stored);
        pressRow(menu, 1);
        QTRY_COMPARE(config->getMotorStatus(), stored);
        QCOMPARE(bench.commands().mid(2), (QStringList{stored ? "M18" : "M17", storedCommand}));
        QCOMPARE(iconImage(table->item(1, 2)->icon()) == on, stored);
    }

    // Each page row opens its page, and pressing it again opens no second one.
    void eachRowOpensItsPageOnce_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("page");
        QTest::newRow("Move") << 0 << "Manual";
        QTest::newRow("Homing") << 2 << "Home";
        QTest::newRow("Load") << 3 << "LoadFilament";
        QTest::newRow("Unload") << 4 << "UnloadFilament";
        QTest::newRow("Preheat") << 5 << "PreheatList";
    }
    void eachRowOpensItsPageOnce()
    {
        QFETCH(int, row);
        QFETCH(QString, page);
        Control *menu = openFromMainWindow();
        pressRow(menu, row);
        QCOMPARE(openCount(qPrintable(page)), 1);
        pressRow(menu, row);
        QCOMPARE(openCount(qPrintable(page)), 1);
    }

    // Homing X, Y and Z, then the origin for every axis; the back button
    // works only after that, and the tune plays when the buzzer is on.
    void homingCompletesBeforeBack_data()
    {
        QTest::addColumn<bool>("buzzer");
        QTest::newRow("buzzer on") << true;
        QTest::newRow("buzzer off") << false;
    }
    void homingCompletesBeforeBack()
    {
        QFETCH(bool, buzzer);
        getConfigFile()->configFile()->setBuzzerStatus(buzzer);
        QFile::remove(pwmPeriodFile());
        // Slow enough that homing outlasts a tap, within the helper's axis limit.
        bench.fx->board().placeHead({60, 60, 15, 0});
        bench.fx->board().setTimeScale(5.0);

        Home *page = openPage(Home::instHome);
        auto *back = button(page, "yes");
        QCOMPARE(labelText(page, "label"), QStringLiteral("Homing, please wait..."));
        QVERIFY(!back->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QVERIFY(Home::instHome);

        QTRY_COMPARE(labelText(page, "label"), QStringLiteral("Homing completed"));
        QVERIFY(back->isEnabled());
        QStringList expected{"M17"};
        expected << homingXYZ() << "G90" << "G92 X0 Y0 Z0 A0 B0";
        QCOMPARE(bench.commands(), expected);
        QVERIFY(buzzerPlay::getInstance("pwm1")->waitIdle(5000));
        QCOMPARE(QFile::exists(pwmPeriodFile()), buzzer);

        window()->machineStatus = MACHINE_STATUS_BUILDING_FROM_SD;
        window()->moveMode = MOVE_MODE_MOVING;
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTest::mouseClick(back, Qt::LeftButton);
        QTRY_VERIFY(!Home::instHome);
        QTRY_COMPARE(bench.commands().mid(expected.size()), (QStringList{"M112", "M18"}));
        QCOMPARE(window()->machineStatus.load(), MACHINE_STATUS_READY);
        QCOMPARE(window()->moveMode.load(), MOVE_MODE_READY);
        getConfigFile()->configFile()->setBuzzerStatus(false);
    }

    // Homing that gives up ends in a message and a usable Back, at once when
    // the board is silent as the move goes out or falls silent while the
    // end-stops are polled (the helper's minute is a real one here); a
    // homing whose end the board never took is no homing either. The motor
    // switch does not turn on for a silent board.
    void homingThatGivesUpLetsTheUserOut_data()
    {
        QTest::addColumn<QString>("silentAt");
        QTest::addColumn<QString>("stuckEndStop");
        QTest::newRow("end-stop never triggers") << QString() << "Y";
        QTest::newRow("board silent at the move") << "G1 X-320 F3000" << QString();
        QTest::newRow("board falls silent while homing") << "M119" << "X";
        QTest::newRow("board silent at the homing's end") << "G92 X0 Y0 Z0 A0 B0" << QString();
    }
    void homingThatGivesUpLetsTheUserOut()
    {
        QFETCH(QString, silentAt);
        QFETCH(QString, stuckEndStop);
        const bool silent = !silentAt.isEmpty();
        getConfigFile()->configFile()->setMotorStatus(false);
        Control *menu = openFromMainWindow();
        if (!stuckEndStop.isEmpty())
            bench.fx->board().setStuckEndstop(stuckEndStop.at(0).toLatin1(), true);
        if (silent) {
            TimeScale::setFactor(1.0);
            ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(100);
            bench.fx->board().silenceAt(silentAt.toStdString());
        }
        pressRow(menu, 2);
        Home *page = Home::instHome;
        QTRY_COMPARE_WITH_TIMEOUT(labelText(page, "label"), QStringLiteral("Homing failed"), 20000);
        if (!silent)
            QTRY_COMPARE(FilamentBench::tail(bench.commands(), 3), (QStringList{"G1 Y-320 F3000", "M112", "G90"}));
        if (OneButtonDialog::instOneButtonDialog) // the board notice, answered first
            OneButtonDialog::instOneButtonDialog->close();
        clickPastGuard(button(page, "yes"));
        QTRY_VERIFY(!Home::instHome);
        pressRow(menu, 1);
        QVERIFY(SimFixture::waitForRequests(ExecuteGetSerialObject()->serial()));
        QCOMPARE(getConfigFile()->configFile()->getMotorStatus(), !silent);
    }

    // A homed page that stays open does not hold on to the homing helper:
    // closing it leaves another page's homing alone.
    void homedPageLeavesTheHelperToOthers()
    {
        Home *page = openPage(Home::instHome);
        QTRY_COMPARE(labelText(page, "label"), QStringLiteral("Homing completed"));
        CountingListener other;
        HomingClaim otherPage(&other); // another page homes, as pages do
        otherPage.start(true);
        delete page;
        QTRY_COMPARE(other.calls, 1);
        otherPage.release();
    }

    // Press sends the far move of the arrow, release stops it and reads the
    // position back; the Y arrows move the bed the other way round.
    void arrowsMoveTheirAxis()
    {
        const QList<QPair<const char *, QString>> arrows{
            {"Xm", "G1 X-305 F2000"}, {"Xp", "G1 X305 F2000"}, {"Ym", "G1 Y305 F2000"},
            {"Yp", "G1 Y-305 F2000"}, {"Zm", "G1 Z-405 F300"}, {"Zp", "G1 Z405 F300"}};
        bench.fx->board().placeHead({150, 150, 200, 0});
        Manual *page = openPage(Manual::instManual);
        QTRY_COMPARE(bench.commands(), QStringList{"M17"});
        QTRY_COMPARE(shownPosition(page), readBackPosition());
        for (const auto &arrow : arrows) {
            bench.fx->board().clearLog();
            QTest::mousePress(button(page, arrow.first), Qt::LeftButton);
            QVERIFY(bench.fx->waitForCommand(arrow.second.toStdString()));
            QTest::mouseRelease(button(page, arrow.first), Qt::LeftButton);
            QTRY_COMPARE(bench.fx->count("M114"), 1);
            QCOMPARE(bench.commands(), (QStringList{arrow.second, "M112"}));
            QTRY_COMPARE(shownPosition(page), readBackPosition());
        }
    }

    // A hold longer than the limit stops the move at the limit and shows
    // where it stopped; the late release stops and reads once more.
    void holdLimitStopsTheMove()
    {
        bench.fx->board().placeHead({100, 100, 100, 0});
        bench.fx->board().setTimeScale(1.0);
        Manual *page = openPage(Manual::instManual);
        QTRY_COMPARE(shownPosition(page), readBackPosition());
        const QString before = shownPosition(page);
        bench.fx->board().clearLog();
        QTest::mousePress(button(page, "Xp"), Qt::LeftButton);
        QTRY_COMPARE(bench.fx->count("M112"), 1);
        QTRY_COMPARE(bench.fx->count("M114"), 1);
        QTRY_COMPARE(shownPosition(page), readBackPosition());
        QVERIFY(shownPosition(page) != before);
        QVERIFY(bench.fx->board().position().x < 290); // stopped on its way
        QTest::mouseRelease(button(page, "Xp"), Qt::LeftButton);
        QTRY_COMPARE(bench.commands(), (QStringList{"G1 X305 F2000", "M112", "M112"}));
    }

    // The release stops a move whose reply comes late: the stop reaches the
    // board while the press's reply is still held back.
    void releaseStopsBehindALatePressReply()
    {
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        TimeScale::setFactor(1.0); // the hold limit must not stop the move first
        Manual *page = openPage(Manual::instManual);
        QTRY_COMPARE(bench.commands(), QStringList{"M17"});
        bench.fx->board().delayReplyOnce("G1 X305 F2000", 4000);
        QTest::mousePress(button(page, "Xp"), Qt::LeftButton);
        QVERIFY(bench.fx->waitForCommand("G1 X305 F2000"));
        QTest::mouseRelease(button(page, "Xp"), Qt::LeftButton);
        QVERIFY(bench.fx->waitForCommand("M112", 1500));
    }

    // An unreadable position shows zeros rather than stale values.
    void unreadablePositionShowsZero()
    {
        bench.fx->board().placeHead({50, 60, 70, 0});
        Manual *page = openPage(Manual::instManual);
        QTRY_VERIFY(shownPosition(page) != "X: 0.00|Y: 0.00|Z: 0.00");
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(50);
        bench.fx->board().setGarbageReplies(true);
        QTest::mousePress(button(page, "Zp"), Qt::LeftButton);
        QTest::mouseRelease(button(page, "Zp"), Qt::LeftButton);
        QTRY_COMPARE(shownPosition(page), QStringLiteral("X: 0.00|Y: 0.00|Z: 0.00"));
    }

    // Closing stops the machine, releases the motors and makes it READY.
    void closingTheJogPage()
    {
        Manual *page = openPage(Manual::instManual);
        QTRY_COMPARE(bench.commands(), QStringList{"M17"});
        window()->machineStatus = MACHINE_STATUS_BUILDING_FROM_SD;
        window()->moveMode = MOVE_MODE_MOVING;
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTest::mouseClick(button(page, "back"), Qt::LeftButton);
        QTRY_VERIFY(!Manual::instManual);
        QTRY_COMPARE(bench.commands(), (QStringList{"M17", "M112", "M18"}));
        QTRY_VERIFY(!bench.fx->board().motorsEnabled());
        QCOMPARE(window()->machineStatus.load(), MACHINE_STATUS_READY);
        QCOMPARE(window()->moveMode.load(), MOVE_MODE_READY);
    }

    // Every page of the menu in each offered language: no text cut off.
    void screensFitTheirTexts_data()
    {
        ScreenCheck::addLanguageRows();
    }
    void screensFitTheirTexts()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        bench.fx->board().placeHead({120.5, 80.25, 30, 0});

        QList<QPair<QString, QWidget *>> screens;
        screens << qMakePair(QString("menu"), static_cast<QWidget *>(openFromMainWindow()));
        Home *home = openPage(Home::instHome);
        QVERIFY(ScreenCheck::clippedTexts(home).isEmpty());
        saveOverMainWindow(window(), home, "control-" + language + "-homing");
        QTRY_COMPARE(home->findChild<QToolButton *>("yes")->isEnabled(), true);
        screens << qMakePair(QString("homed"), static_cast<QWidget *>(home));
        bench.fx->board().placeHead({120.5, 80.25, 30, 0});
        Manual *jog = openPage(Manual::instManual);
        QTRY_COMPARE(shownPosition(jog), QStringLiteral("X: 120.50|Y: 80.25|Z: 30.00"));
        screens << qMakePair(QString("jog"), static_cast<QWidget *>(jog));
        screens << qMakePair(QString("preheatmenu"), static_cast<QWidget *>(openPage(PreheatList::instPreheatList)));
        Preheat *preheat = openPage(Preheat::instPreheat, 200, 60);
        waitForFreeClickGuard();
        QTest::mouseClick(preheat->findChild<QToolButton *>("nozzleStart"), Qt::LeftButton);
        QTest::mouseClick(preheat->findChild<QToolButton *>("platformTempPlus"), Qt::LeftButton);
        QTRY_VERIFY(window()->getCurrentExtruderTemp() > 100);
        QTest::qWait(30);
        screens << qMakePair(QString("preheat"), static_cast<QWidget *>(preheat));

        for (const auto &screen : screens) {
            const QStringList clipped = ScreenCheck::clippedTexts(screen.second);
            QVERIFY2(clipped.isEmpty(), qPrintable(screen.first + ": " + clipped.join(" | ")));
            saveOverMainWindow(window(), screen.second, "control-" + language + "-" + screen.first);
        }
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestControlMenu)
#include "tst_controlmenu.moc"
