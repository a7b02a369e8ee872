// Pages that home and the notices over them, against the simulated board:
// the printing page when homing gives up or starts while the levelling page
// closes, and notices as the person at the printer sees them in whole-screen
// grabs of the VNC platform, which stacks windows as the device's
// framebuffer does (in the order they are shown, without a stay-on-top hint).
#include "buildprint.h"
#include "executegetserialobject.h"
#include "executereturnhome.h"
#include "filamenttestkit.h"
#include "levelingkit.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "pageopener.h"
#include "platformlevel.h"
#include "printertranslations.h"
#include "screencheck.h"

#include <QApplication>
#include <QFile>
#include <QTranslator>
#include <QtTest>

namespace {

constexpr int kWaitMs = kTryWaitMs;

QLabel *textOf(QWidget *notice)
{
    return notice ? notice->findChild<QLabel *>("textLabel") : nullptr;
}

bool onScreen(QWidget *notice)
{
    return notice && ScreenCheck::showsOnScreen(textOf(notice));
}

QWidget *busyNotice()
{
    return OneLableDialog::instOneLableDialog;
}

QWidget *message()
{
    return OneButtonDialog::instOneButtonDialog;
}

QToolButton *printButton(const char *name)
{
    return BuildPrint::instBuildPrint->findChild<QToolButton *>(name);
}

// Pixels of `area` on screen that are mostly red: a button drawn pressed.
int redPixels(const QRect &area)
{
    const QImage screen = ScreenCheck::grabScreen().copy(area);
    int red = 0;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x) {
            const QColor c = screen.pixelColor(x, y);
            red += c.red() > 60 && c.red() > 3 * c.green() && c.red() > 2 * c.blue();
        }
    return red;
}

} // namespace

class TestPageHoming : public QObject {
    Q_OBJECT
    FilamentBench bench;
    QTranslator m_translator;

    void useLanguage(const QString &language)
    {
        QCoreApplication::removeTranslator(&m_translator);
        QVERIFY(ScreenCheck::installCatalogue(m_translator, language));
    }

    // Heating, extents and `moves` extruding moves on one layer.
    QString writePrint(const QString &name, int moves)
    {
        QByteArray g = "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nM82\nG92 E0\nG1 Z0.3 F600\n";
        for (int i = 0; i < moves; ++i)
            g += "G1 X" + QByteArray::number(10 + i % 50) + " Y" + QByteArray::number(10 + i % 37) + " E"
                 + QByteArray::number(i * 0.05, 'f', 2) + " F1800\n";
        const QString path = bench.fx->root() + "/data/" + name;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(g);
        return path;
    }

    static BuildPrint *open(const QString &path)
    {
        BuildPrint::instBuildPrint = new BuildPrint(path, false);
        return BuildPrint::instBuildPrint;
    }

    PlatformLevel *level() const { return PlatformLevel::instPlatformLevel; }

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == "vnc", "whole-screen grabs need the VNC platform");
        QVERIFY(bench.setUp());
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        MainWindowHooks hooks;
        hooks.printPageOpen = [] { return BuildPrint::instBuildPrint != nullptr; };
        MainWindow::setHooks(hooks);
        bench.mainWindow->show();
    }
    void cleanupTestCase()
    {
        QCoreApplication::removeTranslator(&m_translator);
        bench.tearDown();
    }
    void init()
    {
        TimeScale::setFactor(0.01);
        bench.reset();
        bench.fx->board().setFilament(sim::Filament::Present);
        getConfigFile()->configFile()->setBuzzerStatus(false);
        getConfigFile()->configFile()->setFilamentDetect(false);
        // The poll forgets a run-out of the page before at its next tick.
        QTRY_VERIFY(bench.mainWindow->filamentCheckStatu());
    }
    void cleanup()
    {
        // Present before the page goes, so that no late reading of the
        // sensor reaches the next case as a run-out.
        bench.fx->board().setFilament(sim::Filament::Present);
        bench.fx->board().setForcedNozzleTemp(std::nullopt);
        if (PlatformLevel::instPlatformLevel)
            PlatformLevel::instPlatformLevel->close();
        if (BuildPrint::instBuildPrint)
            BuildPrint::instBuildPrint->printStop();
        QTRY_VERIFY_WITH_TIMEOUT(!PlatformLevel::instPlatformLevel && !BuildPrint::instBuildPrint, kWaitMs);
        if (OneButtonDialog::instOneButtonDialog)
            OneButtonDialog::instOneButtonDialog->close();
        QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog && !OneLableDialog::instOneLableDialog);
    }

    // An X end-stop that never triggers: the start ends as a cancel before
    // streaming (stop, both heaters off, the page's closing commands), the
    // machine is READY again and the user reads why.
    void homingThatGivesUpEndsTheStart()
    {
        bench.fx->board().setStuckEndstop('X', true);
        open(writePrint("stuck.gcode", 5));
        QCOMPARE(bench.mainWindow->machineStatus.load(), MACHINE_STATUS_BUILDING_FROM_SD);
        QTRY_VERIFY_WITH_TIMEOUT(!BuildPrint::instBuildPrint, kWaitMs);
        QTRY_VERIFY(onScreen(message()));
        QCOMPARE(textOf(message())->text(), QStringLiteral("Homing failed"));
        QVERIFY(ScreenCheck::clippedTexts(message()).isEmpty());
        ScreenCheck::saveScreen("print-homing-failed");
        QVERIFY(!OneLableDialog::instOneLableDialog);
        QCOMPARE(bench.mainWindow->machineStatus.load(), MACHINE_STATUS_READY);
        QCOMPARE(bench.mainWindow->moveMode.load(), MOVE_MODE_READY);
        QCOMPARE(bench.fx->board().nozzleTarget(), 0);
        QCOMPARE(bench.fx->board().bedTarget(), 0);

        QTRY_COMPARE(bench.fx->count("G90"), 1);
        QVERIFY(SimFixture::waitForRequests(ExecuteGetSerialObject()->serial())); // the close's, too
        QStringList sent = bench.fx->motionCommands();
        sent.removeAll("M113");
        const int gaveUp = sent.indexOf("G1 X-320 F3000");
        QVERIFY(gaveUp > 0);
        // The helper's stop goes through the link's requests, the page's
        // cancel and close through its own exchanges: the two may interleave.
        // The stops are counted apart: the helper's "M112" and "G90", the
        // cancel's and the close's "M112".
        QStringList rest = sent.mid(gaveUp + 1);
        QCOMPARE(rest.removeAll("M112"), 3);
        QCOMPARE(rest.removeAll("G90"), 1);
        QCOMPARE(rest, (QStringList{"M140 S0", "M104 S0 T0",           // the cancel
                                    "M18", "M17 Y", "G92 E0", "M18"})); // the page's close
        QVERIFY(!ExecuteReturnHome()->isHoming());
    }

    // A print that arrives while the levelling page shows "Leveling
    // completed!" before it closes: the page's close leaves the print's
    // homing and the machine status alone, and the print streams.
    void printHomingOutlivesTheLevellingClose()
    {
        openPage(PlatformLevel::instPlatformLevel);
        QTRY_VERIFY_WITH_TIMEOUT(levelPageWaitsAt(*bench.fx, 27, 20), kWaitMs);
        for (const QPoint &corner : {QPoint(270, 20), QPoint(270, 280), QPoint(27, 280)}) {
            pressLevelOk();
            QTRY_VERIFY_WITH_TIMEOUT(levelPageWaitsAt(*bench.fx, corner.x(), corner.y()), kWaitMs);
        }
        // Slower clocks: "Leveling completed!" stays 300 ms before the page
        // closes, while the print's homing takes seconds from a head pushed
        // far off by hand.
        TimeScale::setFactor(0.1);
        pressLevelOk();
        QTRY_COMPARE_WITH_TIMEOUT(level()->findChild<QLabel *>("label")->text(), QStringLiteral("Leveling completed!"),
                                  kWaitMs);
        bench.fx->board().setTimeScale(10.0);
        bench.fx->board().placeHead({200, 200, 350, 0});
        bench.fx->board().clearLog();
        BuildPrint *print = open(writePrint("lan.gcode", 2000));
        QTRY_VERIFY(ExecuteReturnHome()->isHoming());
        QTRY_VERIFY_WITH_TIMEOUT(!level(), kWaitMs);
        QVERIFY(ExecuteReturnHome()->isHoming());
        QCOMPARE(bench.mainWindow->machineStatus.load(), MACHINE_STATUS_BUILDING_FROM_SD);
        bench.fx->board().setTimeScale(1000.0);

        QTRY_VERIFY_WITH_TIMEOUT(print->getPrinterFileSendStatus(), kWaitMs);
        QVERIFY(bench.fx->waitForCommand("G1 Z0.3 F600", kWaitMs));
        QCOMPARE(bench.fx->count("M18"), 0);
    }
    // A print that arrives while the levelling page is open (from the LAN)
    // owns the machine: leaving the page afterwards neither stops the board
    // nor the motors, and the machine stays printing.
    void leavingTheLevellingPageLeavesARunningPrintAlone()
    {
        openPage(PlatformLevel::instPlatformLevel);
        QTRY_VERIFY_WITH_TIMEOUT(levelPageWaitsAt(*bench.fx, 27, 20), kWaitMs);
        BuildPrint *print = open(writePrint("lan.gcode", 20000));
        QTRY_VERIFY_WITH_TIMEOUT(print->getPrinterFileSendStatus(), kWaitMs);
        QVERIFY(bench.fx->waitForCommand("G1 Z0.3 F600", kWaitMs));
        bench.fx->board().clearLog();
        level()->close();
        QTRY_VERIFY(!level());
        QTRY_VERIFY_WITH_TIMEOUT(bench.fx->motionCommands().size() > 20, kWaitMs); // still streaming
        QCOMPARE(bench.fx->count("M112"), 0);
        QCOMPARE(bench.fx->count("M18"), 0);
        QCOMPARE(bench.mainWindow->machineStatus.load(), MACHINE_STATUS_BUILDING_FROM_SD);
    }

    void levellingNoticeLiesOverItsPage_data() { ScreenCheck::addLanguageRows(); }

    // The levelling page opens its "Pre-adjusting" notice before the page
    // itself is shown: the notice is what the screen shows while it homes,
    // not the nut instruction and a "Next" that does nothing.
    void levellingNoticeLiesOverItsPage()
    {
        QFETCH(QString, language);
        useLanguage(language);
        // A head far from its end-stops on a slow board: homing lasts.
        bench.fx->board().placeHead({250, 250, 300, 0});
        bench.fx->board().setTimeScale(5.0);
        PlatformLevel *page = openPage(PlatformLevel::instPlatformLevel);
        QVERIFY(page->isVisible());
        QCOMPARE(textOf(busyNotice())->text(), QCoreApplication::translate("PlatformLevel", "Pre-adjusting, please wait..."));
        QTRY_VERIFY(onScreen(busyNotice()));
        QVERIFY(!ScreenCheck::showsOnScreen(page->findChild<QToolButton *>("ok")));
        ScreenCheck::saveScreen(language + "-notice-level-pre-adjusting");
    }

    void runOutMessageStaysReadable_data() { ScreenCheck::addLanguageRows(); }

    // A run-out during the print: its message stays alone on top until it
    // is answered while the print pauses beneath; "Pausing..." comes only
    // after the answer. A resume refused for lack of filament shows its
    // message without a Print button left drawn pressed.
    void runOutMessageStaysReadable()
    {
        QFETCH(QString, language);
        useLanguage(language);
        getConfigFile()->configFile()->setFilamentDetect(true);
        open(writePrint("runout.gcode", 20000));
        QTRY_VERIFY_WITH_TIMEOUT(BuildPrint::instBuildPrint->getPrinterFileSendStatus(), kWaitMs);

        // A heat-and-wait the board cannot finish holds its queue: the pause
        // stays under way, whenever the message is answered.
        bench.fx->board().setForcedNozzleTemp(100.0);
        ExecuteGetSerialObject()->serial()->serialSendCode("M109 S200");
        bench.fx->board().setFilament(sim::Filament::Absent);
        QTRY_VERIFY_WITH_TIMEOUT(message(), kWaitMs);
        const QString pausing = QCoreApplication::translate("BuildPrint", "Pausing...\nplease wait...");
        QTRY_VERIFY_WITH_TIMEOUT(BuildPrint::instBuildPrint->getPrintState() == Print_State_Pause
                                     && textOf(busyNotice())->text() == pausing,
                                 kWaitMs);
        QTRY_VERIFY(onScreen(message()));
        QVERIFY(!busyNotice()->isVisible());
        ScreenCheck::saveScreen(language + "-notice-runout-message");

        QTest::mouseClick(message()->findChild<QPushButton *>("okBtn"), Qt::LeftButton);
        QTRY_VERIFY(onScreen(busyNotice()));
        QCOMPARE(textOf(busyNotice())->text(), pausing);
        ScreenCheck::saveScreen(language + "-notice-runout-pausing");
        bench.fx->board().setForcedNozzleTemp(std::nullopt);
        QTRY_VERIFY_WITH_TIMEOUT(!busyNotice()->isVisible() && printButton("play_pause")->isEnabled(), kWaitMs);

        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QToolButton *print = printButton("play_pause");
        // Through the window, as a touch comes: the modal message then takes
        // the release.
        QTest::mouseClick(print->window()->windowHandle(), Qt::LeftButton, {},
                          print->mapTo(print->window(), print->rect().center()));
        QTRY_VERIFY(onScreen(message()));
        QCOMPARE(textOf(message())->text(),
                 QCoreApplication::translate("BuildPrint", "Out of material.You can\nload more material to\ncontinue this print."));
        QVERIFY(!print->isDown());
        const QRect onScreenButton(print->mapToGlobal(QPoint()), print->size());
        QTRY_COMPARE(redPixels(onScreenButton), 0);
        ScreenCheck::saveScreen(language + "-notice-runout-out-of-material");
        message()->close();
        QCOMPARE(BuildPrint::instBuildPrint->getPrintState(), Print_State_Pause);
    }
};

int main(int argc, char *argv[])
{
    // Port 0: any free port, so that parallel runs do not collide.
    qputenv("QT_QPA_PLATFORM", "vnc:size=272x480:addr=127.0.0.1:port=0");
    QApplication app(argc, argv);
    TestPageHoming test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pagehoming.moc"
