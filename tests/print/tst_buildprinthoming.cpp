// The printing page's homing against the simulated board: a homing that
// gives up, and a homing that starts while the levelling page is closing.
#include "buildprint.h"
#include "config.h"
#include "executegetserialobject.h"
#include "executereturnhome.h"
#include "getconfigfile.h"
#include "headedfile.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "onetimesclicked.h"
#include "pageopener.h"
#include "platformlevel.h"
#include "printericons.h"
#include "screencheck.h"
#include "simfixture.h"
#include "timescale.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

constexpr int kWaitMs = 30000;

// Heating, extents and `moves` extruding moves on one layer.
QByteArray printBody(int moves)
{
    QByteArray g = "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nM82\nG92 E0\nG1 Z0.3 F600\n";
    for (int i = 0; i < moves; ++i)
        g += "G1 X" + QByteArray::number(10 + i % 50) + " Y" + QByteArray::number(10 + i % 37) + " E"
             + QByteArray::number(i * 0.05, 'f', 2) + " F1800\n";
    return g;
}

} // namespace

class TestBuildPrintHoming : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<MainWindow> mainWindow;

    QString writeData(const QString &name, const QByteArray &content)
    {
        const QString path = fx->root() + "/data/" + name;
        writeTestFile(path, content);
        return path;
    }

    static BuildPrint *open(const QString &path)
    {
        BuildPrint::instBuildPrint = new BuildPrint(path, false);
        return BuildPrint::instBuildPrint;
    }

    static QString dialogText()
    {
        OneButtonDialog *d = OneButtonDialog::instOneButtonDialog;
        return d && d->isVisible() ? d->findChild<QLabel *>("textLabel")->text() : QString();
    }

    PlatformLevel *level() const { return PlatformLevel::instPlatformLevel; }

    bool headAt(int x, int y) const
    {
        const sim::Position p = fx->board().position();
        return !OneLableDialog::instOneLableDialog && qRound(p.x) == x && qRound(p.y) == y && qAbs(p.z) < 0.01;
    }

    void pressLevelOk()
    {
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTest::mouseClick(level()->findChild<QToolButton *>("ok"), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        initPrinterIcons();
        fx = std::make_unique<SimFixture>();
        QVERIFY(fx->ok());
        getConfigFile()->configFile()->reload();
        getConfigFile()->configFile()->setBuzzerStatus(false);
        getConfigFile()->configFile()->setFilamentDetect(false);
        QVERIFY(ExecuteGetSerialObject()->serial());
        MainWindowHooks hooks;
        hooks.printPageOpen = [] { return BuildPrint::instBuildPrint != nullptr; };
        MainWindow::setHooks(hooks);
        MainWindow::setLanPorts(0, 0);
        mainWindow = std::make_unique<MainWindow>();
        QTRY_VERIFY(mainWindow->getCurrentExtruderTemp() > 0);
    }

    void init()
    {
        TimeScale::setFactor(0.01);
        fx->board().setTimeScale(1000.0);
        fx->board().setStuckEndstop('X', false);
        fx->board().clearLog();
    }

    void cleanup()
    {
        if (BuildPrint::instBuildPrint)
            BuildPrint::instBuildPrint->printStop();
        if (level())
            level()->close();
        QTRY_VERIFY_WITH_TIMEOUT(!BuildPrint::instBuildPrint && !level(), kWaitMs);
        if (OneButtonDialog::instOneButtonDialog)
            OneButtonDialog::instOneButtonDialog->close();
        QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog);
    }

    void cleanupTestCase()
    {
        mainWindow.reset();
        fx.reset();
    }

    // An X end-stop that never triggers: the start ends as a cancel before
    // streaming (stop, both heaters off, the page's closing commands), the
    // machine is READY again and the user reads why.
    void homingThatGivesUpEndsTheStart()
    {
        fx->board().setStuckEndstop('X', true);
        open(writeData("stuck.gcode", printBody(5)));
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_BUILDING_FROM_SD);
        QTRY_VERIFY_WITH_TIMEOUT(!BuildPrint::instBuildPrint, kWaitMs);
        QTRY_COMPARE(dialogText(), QStringLiteral("Homing failed"));
        QVERIFY(ScreenCheck::clippedTexts(OneButtonDialog::instOneButtonDialog).isEmpty());
        ScreenCheck::save(OneButtonDialog::instOneButtonDialog, "print-homing-failed");
        QVERIFY(!OneLableDialog::instOneLableDialog);
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_READY);
        QCOMPARE(mainWindow->moveMode.load(), MOVE_MODE_READY);
        QCOMPARE(fx->board().nozzleTarget(), 0);
        QCOMPARE(fx->board().bedTarget(), 0);

        QStringList sent = fx->motionCommands();
        sent.removeAll("M113");
        const int gaveUp = sent.indexOf("G1 X-320 F3000");
        QVERIFY(gaveUp > 0);
        QCOMPARE(sent.mid(gaveUp + 1), (QStringList{"M112", "G90",                           // the helper's stop
                                                    "M112", "M140 S0", "M104 S0 T0",         // the cancel
                                                    "M18", "M112", "M17 Y", "G92 E0", "M18"})); // the page's close
        QVERIFY(!ExecuteReturnHome()->isHoming());
    }

    // A print that arrives while the levelling page shows "Leveling
    // completed!" before it closes: the page's close leaves the print's
    // homing and the machine status alone, and the print streams.
    void printHomingOutlivesTheLevellingClose()
    {
        openPage(PlatformLevel::instPlatformLevel);
        QTRY_VERIFY_WITH_TIMEOUT(headAt(27, 20), kWaitMs);
        for (const QPoint &corner : {QPoint(270, 20), QPoint(270, 280), QPoint(27, 280)}) {
            pressLevelOk();
            QTRY_VERIFY_WITH_TIMEOUT(headAt(corner.x(), corner.y()), kWaitMs);
        }
        // Slower clocks: "Leveling completed!" stays 300 ms before the page
        // closes, while the print's homing takes seconds from a head pushed
        // far off by hand.
        TimeScale::setFactor(0.1);
        pressLevelOk();
        QTRY_COMPARE_WITH_TIMEOUT(level()->findChild<QLabel *>("label")->text(), QStringLiteral("Leveling completed!"),
                                  kWaitMs);
        fx->board().setTimeScale(10.0);
        fx->board().placeHead({200, 200, 350, 0});
        fx->board().clearLog();
        BuildPrint *print = open(writeData("lan.gcode", printBody(2000)));
        QTRY_VERIFY(ExecuteReturnHome()->isHoming());
        QTRY_VERIFY_WITH_TIMEOUT(!level(), kWaitMs);
        QVERIFY(ExecuteReturnHome()->isHoming());
        QCOMPARE(mainWindow->machineStatus.load(), MACHINE_STATUS_BUILDING_FROM_SD);
        fx->board().setTimeScale(1000.0);

        QTRY_VERIFY_WITH_TIMEOUT(print->getPrinterFileSendStatus(), kWaitMs);
        QVERIFY(fx->waitForCommand("G1 Z0.3 F600", kWaitMs));
        QCOMPARE(fx->count("M18"), 0);
    }
};

QTEST_MAIN(TestBuildPrintHoming)
#include "tst_buildprinthoming.moc"
