// The in-print settings pop-up and the print-detail page over a real
// printing page, the real print engine and the filament unload page, against
// the simulated board.
#include "buildprint.h"
#include "buildsetting.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "headedfile.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "onetimesclicked.h"
#include "pageopener.h"
#include "printdetail.h"
#include "printericons.h"
#include "printertranslations.h"
#include "printpagehooks.h"
#include "screencheck.h"
#include "serialobject.h"
#include "questions.h"
#include "simfixture.h"
#include "stallprobe.h"
#include "timescale.h"
#include "twobuttondialog.h"
#include "unloadfilament.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

constexpr int kWaitMs = kTryWaitMs;

// Heating, extents, then `moves` extruding moves, each with a Z word so that
// the live Z offset shows in what the board receives.
QByteArray printBody(int moves)
{
    QByteArray g = "M140 S60\nM104 S200 T0\nM118 X60 Y60 Z1\nG90\nM82\nG92 E0\n";
    for (int i = 0; i < moves; ++i)
        g += "G1 X" + QByteArray::number(10 + i % 50) + " Y" + QByteArray::number(10 + i % 37) + " Z0.3 E"
             + QByteArray::number(i * 0.05, 'f', 2) + " F1800\n";
    return g;
}

template <class T>
T *child(QWidget *page, const char *name)
{
    T *widget = page ? page->findChild<T *>(name) : nullptr;
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QString dialogText(QDialog *dialog)
{
    return dialog ? dialog->findChild<QLabel *>("textLabel")->text() : QString();
}

// The pop-up as the user sees it: drawn over the printing page.
void saveOverPrintPage(const QString &name)
{
    QPixmap screen(272, 480);
    screen.fill(Qt::white);
    QPainter painter(&screen);
    painter.drawPixmap(BuildPrint::instBuildPrint->pos(), BuildPrint::instBuildPrint->grab());
    painter.drawPixmap(BuildSetting::instBuildSetting->pos(), BuildSetting::instBuildSetting->grab());
    painter.end();
    QLabel shot;
    shot.setPixmap(screen);
    shot.resize(screen.size());
    ScreenCheck::save(&shot, name);
}

} // namespace

class TestPrintSettings : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<SimFixture> fx;
    MainWindow *mainWindow = nullptr;

    static BuildSetting *popup() { return BuildSetting::instBuildSetting; }
    static PrintDetail *detail() { return PrintDetail::instPrintDetail; }
    static bool pageClosed() { return BuildPrint::instBuildPrint == nullptr; }

    QStringList sent() const
    {
        QStringList out = fx->motionCommands();
        out.removeAll("M113");
        return out;
    }

    void startPrint(int moves)
    {
        const QString path = fx->root() + "/data/settings.gcode";
        QVERIFY(writeTestFile(path, printBody(moves)));
        BuildPrint::instBuildPrint = new BuildPrint(path, false);
        QVERIFY(popup());
    }

    void startStreaming()
    {
        startPrint(20000);
        QTRY_VERIFY_WITH_TIMEOUT(BuildPrint::instBuildPrint->getPrinterFileSendStatus(), kWaitMs);
        // The tenth move, whatever the live speed and offset made of it.
        QTRY_VERIFY_WITH_TIMEOUT(!sent().filter(QRegExp("^G1 X19 Y19 ")).isEmpty(), kWaitMs);
    }

    static void tap(QAbstractButton *button)
    {
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTRY_VERIFY_WITH_TIMEOUT(button->isEnabled() && button->isVisible(), kWaitMs);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static void showPopup() { tap(child<QToolButton>(BuildPrint::instBuildPrint, "buildSetting")); }

    static void openDetail()
    {
        showPopup();
        tap(child<QPushButton>(popup(), "btn_printDetail"));
        QVERIFY(detail()->isVisible());
        QVERIFY(!popup()->isVisible());
    }

    // A print whose file never heats the bed, under way, its detail open.
    void openDetailOfABedlessPrint()
    {
        const QString path = fx->root() + "/data/nobed.gcode";
        QVERIFY(writeTestFile(path, printBody(20000).replace("M140 S60\n", "")));
        BuildPrint::instBuildPrint = new BuildPrint(path, false);
        QTRY_VERIFY_WITH_TIMEOUT(BuildPrint::instBuildPrint->getPrinterFileSendStatus(), kWaitMs);
        openDetail();
    }

    static void press(const char *button, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(child<QToolButton>(detail(), button), Qt::LeftButton);
    }

    static QString shown(const char *label) { return child<QLabel>(detail(), label)->text(); }


    static void answerPauseQuestionLater(bool yes)
    {
        onNextQuestion([yes](TwoButtonDialog *question) {
            QCOMPARE(dialogText(question), QString("Pause print job?"));
            QTest::mouseClick(question->findChild<QPushButton *>(yes ? "okBtn" : "backBtn"), Qt::LeftButton);
        });
    }

    static bool parkedAndPaused()
    {
        return BuildPrint::instBuildPrint && BuildPrint::instBuildPrint->getPrintState() == Print_State_Pause
               && child<QToolButton>(BuildPrint::instBuildPrint, "play_pause")->isEnabled();
    }

    static bool streaming()
    {
        return BuildPrint::instBuildPrint && BuildPrint::instBuildPrint->getPrintState() == Print_State_Play
               && child<QToolButton>(BuildPrint::instBuildPrint, "play_pause")->isEnabled();
    }

    void pauseFromPrintPage()
    {
        tap(child<QToolButton>(BuildPrint::instBuildPrint, "play_pause"));
        QTRY_VERIFY_WITH_TIMEOUT(parkedAndPaused(), kWaitMs);
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        initPrinterIcons();
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        fx.reset(new SimFixture());
        QVERIFY(fx->ok());
        getConfigFile()->configFile()->reload();
        getConfigFile()->configFile()->setBuzzerStatus(false);
        getConfigFile()->configFile()->setFilamentDetect(false);
        QVERIFY(ExecuteGetSerialObject()->serial());
        // The program's wiring of the pop-up and of the unload page.
        PrintPageHooks hooks;
        hooks.createSettingsPopup = [](bool isGx, int material) -> QWidget * {
            if (BuildSetting::instBuildSetting)
                return BuildSetting::instBuildSetting;
            return new BuildSetting(isGx, material);
        };
        hooks.filamentPageOpen = [] { return UnloadFilament::instUnloadFilament != nullptr; };
        PrintPage::setHooks(hooks);
        BuildSetting::setUnloadPageOpener([]() -> QWidget * {
            return UnloadFilament::instUnloadFilament ? nullptr : openPage(UnloadFilament::instUnloadFilament, true);
        });
        mainWindow = new MainWindow;
        QTRY_VERIFY(mainWindow->getCurrentExtruderTemp() > 0);
    }

    void init()
    {
        fx->board().setForcedNozzleTemp(std::nullopt);
        fx->board().setForcedBedTemp(std::nullopt);
        fx->board().clearLog();
    }

    void cleanup()
    {
        SerialObject::setScreenWaitMs(60000);
        if (OneButtonDialog::instOneButtonDialog)
            OneButtonDialog::instOneButtonDialog->close();
        if (BuildPrint::instBuildPrint)
            BuildPrint::instBuildPrint->printStop();
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        // The pop-up goes with the printing page, and the pages it opened with it.
        QTRY_VERIFY(!popup() && !detail());
        QTRY_VERIFY(!UnloadFilament::instUnloadFilament);
        QTRY_VERIFY(mainWindow->machineStatus == MACHINE_STATUS_READY);
    }

    void cleanupTestCase() { delete mainWindow; }

    // The last page's pop-up and detail page are deleted later; a print
    // started before that still gets working ones.
    void nextPrintGetsItsOwnPopup()
    {
        startPrint(20000);
        delete BuildPrint::instBuildPrint;
        QVERIFY(pageClosed());
        startPrint(20000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        openDetail();
    }

    void lightFollowsAndRewritesTheSetting()
    {
        Config *config = getConfigFile()->configFile();
        config->setLedStatus(true);
        startPrint(5000);
        QPushButton *light = child<QPushButton>(popup(), "btn_light");
        QVERIFY(light->isChecked());
        showPopup();
        tap(light);
        QVERIFY(!light->isChecked());
        QTRY_COMPARE(fx->count("M144"), 1);
        QVERIFY(!config->getLedStatus());
        tap(light);
        QTRY_COMPARE(fx->count("M145"), 1);
        QVERIFY(config->getLedStatus());
        tap(light);
        QVERIFY(!config->getLedStatus());

        // A touch outside the panel hides the pop-up; inside it does not.
        QTest::mouseClick(popup(), Qt::LeftButton, {}, QPoint(200, 120));
        QVERIFY(popup()->isVisible());
        QTest::mouseClick(popup(), Qt::LeftButton, {}, QPoint(50, 400));
        QVERIFY(!popup()->isVisible());

        // The next print's pop-up starts from the stored state.
        BuildPrint::instBuildPrint->printStop();
        QTRY_VERIFY_WITH_TIMEOUT(pageClosed(), kWaitMs);
        startPrint(5000);
        QVERIFY(!child<QPushButton>(popup(), "btn_light")->isChecked());
    }

    // The unload page appears only once the pause has parked the head and
    // the board is idle; nothing of it reaches the board before.
    void replaceMaterialPausesThenUnloads()
    {
        startStreaming();
        showPopup();
        answerPauseQuestionLater(true);
        tap(child<QPushButton>(popup(), "btn_replaceMaterial"));
        QCOMPARE(BuildPrint::instBuildPrint->getPrintState(), Print_State_Pause);
        QVERIFY(!UnloadFilament::instUnloadFilament);
        // The pausing notice stands alone, with no pop-up left under it.
        QVERIFY(!popup()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(UnloadFilament::instUnloadFilament, kWaitMs);
        QVERIFY(parkedAndPaused());
        QVERIFY(!popup()->isVisible());
        const QStringList commands = sent();
        const int park = commands.lastIndexOf("G1 X150 Y150 F2000");
        QVERIFY(park > 0);
        QVERIFY(!commands.mid(0, park).contains("M104 S230 T0"));
        QVERIFY(fx->waitForCommand("M104 S230 T0", kWaitMs));

        // Asked again with the unload page open: still that one page.
        UnloadFilament *unload = UnloadFilament::instUnloadFilament;
        showPopup();
        tap(child<QPushButton>(popup(), "btn_replaceMaterial"));
        QCOMPARE(UnloadFilament::instUnloadFilament, unload);
        QVERIFY(!TwoButtonDialog::instTwoButtonDialog);
    }

    void replaceMaterialOnAPausedPrintUnloadsAtOnce()
    {
        startStreaming();
        pauseFromPrintPage();
        QVERIFY(!UnloadFilament::instUnloadFilament);
        showPopup();
        tap(child<QPushButton>(popup(), "btn_replaceMaterial"));
        QVERIFY(UnloadFilament::instUnloadFilament);
        QVERIFY(!TwoButtonDialog::instTwoButtonDialog);
        QVERIFY(!popup()->isVisible());
    }

    // Declining leaves nothing pending: a later pause does not unload.
    void declinedPauseLeavesNoRequest()
    {
        startStreaming();
        showPopup();
        answerPauseQuestionLater(false);
        tap(child<QPushButton>(popup(), "btn_replaceMaterial"));
        QCOMPARE(BuildPrint::instBuildPrint->getPrintState(), Print_State_Play);
        popup()->hide();
        pauseFromPrintPage();
        QVERIFY(!UnloadFilament::instUnloadFilament);
        QCOMPARE(fx->count("G1 E-1000 F4000"), 0);
    }

    // The pop-up closed while its question is still open: no crash, the
    // print goes on and nothing opens.
    void popupClosedUnderItsQuestion()
    {
        startStreaming();
        showPopup();
        onNextQuestion([](TwoButtonDialog *) { popup()->close(); });
        tap(child<QPushButton>(popup(), "btn_replaceMaterial"));
        QTRY_VERIFY(!popup());
        QVERIFY(!TwoButtonDialog::instTwoButtonDialog);
        QCOMPARE(BuildPrint::instBuildPrint->getPrintState(), Print_State_Play);
        QVERIFY(!UnloadFilament::instUnloadFilament);
    }

    // OK while streaming: speed and offset rewrite the following lines at
    // once, the targets follow after the next line.
    void appliesToTheRunningPrint()
    {
        startStreaming();
        openDetail();
        QCOMPARE(shown("extruderTemp"), QString("200\u2103"));
        QCOMPARE(shown("platformTemp"), QString("60\u2103"));
        QCOMPARE(shown("buildSpeed"), QString("100%"));
        QCOMPARE(shown("buildZOffset"), QString("0.00mm"));
        press("btnSpeedInc", 2);
        press("btnZInc", 3);
        press("btnNozzleInc", 5);
        press("btnPlateDec", 2);
        QCOMPARE(shown("buildSpeed"), QString("110%"));
        QCOMPARE(shown("buildZOffset"), QString("0.06mm"));
        // Nothing goes out before OK.
        PrintingAdjust adjust;
        ExecuteGetSerialObject()->serial()->getPrintingAdjust(adjust);
        QCOMPARE(adjust.speed, 100);

        fx->board().clearLog();
        tap(child<QToolButton>(detail(), "ok"));
        QCOMPARE(dialogText(OneButtonDialog::instOneButtonDialog), QString("Parameter set successfully"));
        QVERIFY(detail()->isVisible());
        QCOMPARE(child<QLabel>(BuildPrint::instBuildPrint, "speed")->text(), QString("110%"));
        QCOMPARE(child<QLabel>(BuildPrint::instBuildPrint, "zValue")->text(), QString("0.06"));
        Config *config = getConfigFile()->configFile();
        QCOMPARE(config->getPrintSpeed(), 110);
        QCOMPARE(config->getZOffset(), 6);
        QCOMPARE(config->getExtruderTemp(), 205);
        QCOMPARE(config->getPlateTemp(), 58);

        QTRY_VERIFY_WITH_TIMEOUT(fx->count("M104 S205 T0") == 1, kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(sent().filter(QRegExp(" Z0.36 .* F1980$")).size() >= 3, kWaitMs);
        const QStringList commands = sent();
        const int nozzle = commands.indexOf("M104 S205 T0");
        QVERIFY(commands.indexOf("M140 S58") < nozzle);
        QVERIFY2(commands.at(0).startsWith("G1 X"), "the targets wait for the line being sent");
        for (const QString &line : commands.mid(nozzle + 1).filter("G1 X"))
            QVERIFY2(line.contains(" Z0.36 ") && line.endsWith(" F1980"), qPrintable(line));

        // A second OK while the confirmation is open rewords it.
        tap(child<QToolButton>(detail(), "ok"));
        QCOMPARE(dialogText(OneButtonDialog::instOneButtonDialog), QString("Parameter set successfully."));
    }

    void limitsAndBack()
    {
        PrintingAdjust odd;
        odd.offset = -99;
        odd.speed = 295;
        ExecuteGetSerialObject()->serial()->setPrintingAdjust(odd);
        startStreaming();
        openDetail();
        QToolButton *speedDec = child<QToolButton>(detail(), "btnSpeedDec");
        QToolButton *speedInc = child<QToolButton>(detail(), "btnSpeedInc");
        QToolButton *zDec = child<QToolButton>(detail(), "btnZDec");
        QVERIFY(speedInc->isEnabled() && zDec->isEnabled());
        press("btnSpeedInc");
        QCOMPARE(shown("buildSpeed"), QString("300%"));
        QVERIFY(!speedInc->isEnabled() && speedDec->isEnabled());
        press("btnZDec");
        QCOMPARE(shown("buildZOffset"), QString("-1.00mm"));
        QVERIFY(!zDec->isEnabled());
        press("btnSpeedDec", 60);
        QCOMPARE(shown("buildSpeed"), QString("50%"));
        QVERIFY(!speedDec->isEnabled() && speedInc->isEnabled());
        press("btnNozzleInc", 60);
        QCOMPARE(shown("extruderTemp"), QString("250\u2103"));
        QVERIFY(!child<QToolButton>(detail(), "btnNozzleInc")->isEnabled());
        // The bed's lowest target, then off below it.
        press("btnPlateDec", 30);
        QCOMPARE(shown("platformTemp"), QString("30\u2103"));
        press("btnPlateDec", 2);
        QCOMPARE(shown("platformTemp"), QString("0\u2103"));
        auto *plateDec = child<QToolButton>(detail(), "btnPlateDec");
        QVERIFY(!plateDec->isEnabled());
        // ... and looks it: not as it does once the bed has a target again.
        const QImage offLook = plateDec->grab().toImage();
        press("btnPlateInc");
        QVERIFY(plateDec->grab().toImage() != offLook);
        press("btnPlateDec");
        QCOMPARE(shown("platformTemp"), QString("0\u2103"));

        // Back drops the edits; the next show reads the live values and sets
        // both buttons of every row from them.
        tap(child<QToolButton>(detail(), "back"));
        QVERIFY(!detail()->isVisible());
        PrintingAdjust adjust;
        ExecuteGetSerialObject()->serial()->getPrintingAdjust(adjust);
        QCOMPARE(adjust.speed, 295);
        QCOMPARE(fx->count("M104 S250 T0"), 0);
        openDetail();
        QCOMPARE(shown("buildSpeed"), QString("295%"));
        QCOMPARE(shown("buildZOffset"), QString("-0.99mm"));
        QCOMPARE(shown("extruderTemp"), QString("200\u2103"));
        for (const char *name : {"btnSpeedDec", "btnSpeedInc", "btnZDec", "btnZInc", "btnNozzleDec", "btnNozzleInc",
                                 "btnPlateDec", "btnPlateInc"})
            QVERIFY2(child<QToolButton>(detail(), name)->isEnabled(), name);
    }

    // Paused before the file streams the heaters are off: the page shows
    // and keeps the print's targets, never the 0 of a switched-off heater.
    void pausedBeforeStreamingKeepsThePrintTargets()
    {
        fx->board().setForcedNozzleTemp(150.0);
        startPrint(5000);
        QVERIFY(fx->waitForCommand("G1 X10 Y10 F2000", kWaitMs));
        pauseFromPrintPage();
        QTRY_VERIFY_WITH_TIMEOUT(mainWindow->getTargetExtruderTemp() == 0, kWaitMs);
        openDetail();
        QCOMPARE(shown("extruderTemp"), QString("200\u2103"));
        QCOMPARE(shown("platformTemp"), QString("60\u2103"));
        press("btnSpeedInc");
        tap(child<QToolButton>(detail(), "ok"));
        Config *config = getConfigFile()->configFile();
        QCOMPARE(config->getExtruderTemp(), 200);
        QCOMPARE(config->getPlateTemp(), 60);
        QCOMPARE(config->getPrintSpeed(), 105);
    }

    // A print without a heated bed: the row shows the bed off and keeps it
    // off on OK; the first plus goes to the lowest target.
    void bedThatIsOffStaysOff()
    {
        openDetailOfABedlessPrint();
        QCOMPARE(shown("platformTemp"), QString("0\u2103"));
        press("btnSpeedInc");
        tap(child<QToolButton>(detail(), "ok"));
        QCOMPARE(getConfigFile()->configFile()->getPlateTemp(), 0);
        QCOMPARE(shown("platformTemp"), QString("0\u2103"));
        press("btnPlateInc");
        QCOMPARE(shown("platformTemp"), QString("30\u2103"));
        const QStringList commands = sent();
        QVERIFY2(commands.filter(QRegExp("^M140 S[1-9]")).isEmpty(), qPrintable(commands.filter("M140").join(", ")));
    }

    // A bed switched on by mistake goes off again: minus at the lowest
    // target reaches off, before OK and after it, and the board is told.
    void bedSwitchedOnGoesOffAgain()
    {
        openDetailOfABedlessPrint();
        QToolButton *plateDec = child<QToolButton>(detail(), "btnPlateDec");
        QCOMPARE(shown("platformTemp"), QString("0\u2103"));
        QVERIFY(!plateDec->isEnabled());
        press("btnPlateInc");
        QCOMPARE(shown("platformTemp"), QString("30\u2103"));
        QVERIFY(plateDec->isEnabled());
        press("btnPlateDec");
        QCOMPARE(shown("platformTemp"), QString("0\u2103"));
        QVERIFY(!plateDec->isEnabled());

        press("btnPlateInc");
        tap(child<QToolButton>(detail(), "ok"));
        QTRY_COMPARE_WITH_TIMEOUT(fx->board().bedTarget(), 30, kWaitMs);
        press("btnPlateDec");
        QCOMPARE(shown("platformTemp"), QString("0\u2103"));
        tap(child<QToolButton>(detail(), "ok"));
        QTRY_COMPARE_WITH_TIMEOUT(fx->board().bedTarget(), 0, kWaitMs);
        QCOMPARE(sent().filter("M140 ").last(), QString("M140 S0"));
        QCOMPARE(getConfigFile()->configFile()->getPlateTemp(), 0);
    }

    // A file that heats its nozzle only after its first lines: the page,
    // opened while the nozzle was off, shows it off; its OK for another row
    // leaves the nozzle that heats meanwhile heating, and shows and stores
    // that target.
    void nozzleHeatedMeanwhileStaysOn()
    {
        QByteArray body = printBody(20000).replace("M104 S200 T0\n", "M104 S0 T0\n");
        int fortiethLine = 0;
        for (int i = 0; i < 40; ++i)
            fortiethLine = body.indexOf('\n', fortiethLine) + 1;
        body.insert(fortiethLine, "M104 S200 T0\n");
        const QString path = fx->root() + "/data/lateheat.gcode";
        QVERIFY(writeTestFile(path, body));
        fx->board().setForcedBedTemp(20.0); // no line streams before the detail is open
        BuildPrint::instBuildPrint = new BuildPrint(path, false);
        openDetail();
        QCOMPARE(shown("extruderTemp"), QString("0\u2103"));

        fx->board().setForcedBedTemp(std::nullopt);
        QVERIFY(fx->waitForCommand("M104 S200 T0", kWaitMs));
        QTRY_COMPARE_WITH_TIMEOUT(ExecuteGetSerialObject()->serial()->nozzleTarget(), 200, kWaitMs);
        press("btnSpeedInc");
        fx->board().clearLog();
        tap(child<QToolButton>(detail(), "ok"));
        QTRY_VERIFY_WITH_TIMEOUT(sent().filter("G1 X").size() >= 5, kWaitMs);
        QCOMPARE(sent().filter("M104 "), QStringList());
        QCOMPARE(fx->board().nozzleTarget(), 200);
        QCOMPARE(getConfigFile()->configFile()->getExtruderTemp(), 200);
        QCOMPARE(shown("extruderTemp"), QString("200\u2103"));
    }

    // Targets set while paused go out at once, and a reply that comes late
    // to the first neither holds the screen nor keeps the second from the
    // board; the nozzle's is the one the resume heats back to.
    void targetSetWhilePausedIsResumedTo()
    {
        startStreaming();
        pauseFromPrintPage();
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        openDetail();
        QCOMPARE(shown("extruderTemp"), QString("200\u2103"));
        press("btnNozzleInc", 10);
        press("btnPlateDec", 2);
        fx->board().delayReplyOnce("M140 S58", 1000);
        StallProbe probe;
        tap(child<QToolButton>(detail(), "ok"));
        QTRY_VERIFY(fx->board().nozzleTarget() == 210 && fx->board().bedTarget() == 58);
        const qint64 stall = probe.takeWorstStallMs();
        QVERIFY2(stall < 1000, qPrintable(QString::number(stall)));
        tap(child<QToolButton>(detail(), "back"));
        OneButtonDialog::instOneButtonDialog->close();

        fx->board().clearLog();
        tap(child<QToolButton>(BuildPrint::instBuildPrint, "play_pause"));
        QTRY_VERIFY_WITH_TIMEOUT(streaming(), kWaitMs);
        const QStringList heating = sent().filter("M104 ");
        QVERIFY(!heating.isEmpty());
        QCOMPARE(heating.last(), QString("M104 S210 T0"));
        QCOMPARE(fx->board().nozzleTarget(), 210);
        QCOMPARE(getConfigFile()->configFile()->getExtruderTemp(), 210);
    }

    void screensFitTheirTexts_data()
    {
        ScreenCheck::addLanguageRows();
    }

    void screensFitTheirTexts()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        getConfigFile()->configFile()->setPrinterLanguage(language.toStdString());

        startStreaming();
        showPopup();
        QVERIFY(ScreenCheck::clippedTexts(popup()).isEmpty());
        saveOverPrintPage("insettings-" + language + "-popup");
        tap(child<QPushButton>(popup(), "btn_printDetail"));
        const QStringList clipped = ScreenCheck::clippedTexts(detail());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(" | ")));
        ScreenCheck::save(detail(), "insettings-" + language + "-detail");
        tap(child<QToolButton>(detail(), "ok"));
        ScreenCheck::save(OneButtonDialog::instOneButtonDialog, "insettings-" + language + "-confirmation");

        QCoreApplication::removeTranslator(&translator);
        getConfigFile()->configFile()->setPrinterLanguage("english");
    }
};

QTEST_MAIN(TestPrintSettings)
#include "tst_printsettings.moc"
