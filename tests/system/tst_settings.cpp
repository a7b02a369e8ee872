#include "config.h"
#include "executegetserialobject.h"
#include "factorysetting.h"
#include "getconfigfile.h"
#include "language.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "pageopener.h"
#include "pagetouches.h"
#include "printericons.h"
#include "printertranslations.h"
#include "questions.h"
#include "preheatpreset.h"
#include "resumeprintconfigsavefile.h"
#include "screencheck.h"
#include "setting.h"
#include "showtempsetting.h"
#include "simfixture.h"
#include "startup.h"
#include "sysroot.h"
#include "timescale.h"
#include "transmissionratio.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <memory>

namespace {

Config *config()
{
    return getConfigFile()->configFile();
}

QString readFile(const QString &devicePath)
{
    QFile file(SysRoot::path(devicePath));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString &devicePath, const QByteArray &content)
{
    const QString path = SysRoot::path(devicePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

template <class Page>
int openCount()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        n += qobject_cast<Page *>(w) != nullptr;
    return n;
}

// A text as the catalogue of `language` shows it (untranslated when the
// catalogue has no translation).
QString shownIn(const QString &language, const char *context, const char *source)
{
    QTranslator catalogue;
    catalogue.load(":/Resource/translations/firmware_" + language);
    const QString text = catalogue.translate(context, source);
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<MainWindow> mainWindow;

    void startMainWindow()
    {
        MainWindowHooks hooks;
        hooks.openSettings = [] { openPage(Setting::instSetting); };
        MainWindow::setHooks(hooks);
        fx->board().clearLog();
        mainWindow = std::make_unique<MainWindow>();
        // What the window tells the board at start (the light, then the
        // steps per millimetre, once the end-stops are answered) is through
        // before the cases count what they make the board do.
        QVERIFY(fx->waitForCommand("M92 B93"));
        QVERIFY(SimFixture::waitForRequests(ExecuteGetSerialObject()->serial()));
    }

    QToolButton *settingsButton() { return mainWindow->findChild<QToolButton *>("showTool"); }

    Setting *openMenu()
    {
        clickPastGuard(settingsButton());
        if (!QTest::qWaitFor([] { return Setting::instSetting != nullptr; }))
            return nullptr;
        return Setting::instSetting;
    }

    static QTableWidget *table(QWidget *page) { return page->findChild<QTableWidget *>("tableWidget"); }
    static QString pageLabel(Setting *menu) { return menu->findChild<QLabel *>("show")->text(); }
    static QToolButton *tool(QWidget *page, const char *name) { return page->findChild<QToolButton *>(name); }

    static void switchLanguage(const QString &code)
    {
        config()->setPrinterLanguage(code.toStdString());
        QCOMPARE(Language::installCatalogue(code), 0);
    }

    // Settings, files and a language that a factory reset must undo, and
    // things it must keep.
    void useTheMachine()
    {
        config()->setLedStatus(false);
        config()->setBuzzerStatus(false);
        config()->setFilamentDetect(false);
        config()->setPowerOffResumePrintStatus(false);
        config()->setAutoSwitch(true);
        config()->setTransmissionRatio(100, 101, 102, 103);
        config()->setPLANozzleTemperature(215);
        config()->setPrinterSerialNumber("SN-42");
        config()->setPowerOffResumePrintFileName("cube.gcode");
        QVERIFY(FILESNAMESPACE::ResumePrintConfigSaveFile()->saveLine(120));
        writeFile("/data/models/part.gcode", "G28\n");
        writeFile("/data/.keep", "mine\n");
        // Links in /data to a stick's folder and file: the reset removes the
        // links, never what they point to.
        writeFile("/stick/prints/keep.gcode", "G28\n");
        QFile::remove(SysRoot::path("/data/prints"));
        QFile::remove(SysRoot::path("/data/keep.gcode"));
        QVERIFY(QFile::link(SysRoot::path("/stick/prints"), SysRoot::path("/data/prints")));
        QVERIFY(QFile::link(SysRoot::path("/stick/prints/keep.gcode"), SysRoot::path("/data/keep.gcode")));
        writeFile("/opt/wifi/wpa_supplicant.conf",
                  "ctrl_interface=DIR=/var/run/wpa_supplicant\nupdate_config=1\nnetwork={\n\tssid=\"home\"\n}\n");
        switchLanguage("german");
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        config()->reload();
        initPrinterIcons();
        initPrinterTranslations();
        ExecuteGetSerialObject()->serial();
        MainWindow::setLanPorts(0, 0);
        startMainWindow();
    }

    void cleanupTestCase()
    {
        mainWindow.reset();
        fx.reset();
    }

    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != mainWindow.get() && w->isVisible())
                w->close();
        QTRY_VERIFY(!Setting::instSetting && !Language::instLanguage && !ShowTempSetting::instShowTempSetting
                    && !TransmissionRatio::instTransmissionRatio && !FactorySetting::instFactorySetting);
        Setting::setPageOpeners({});
        switchLanguage("english");
    }

    void menuPagesAndToggles()
    {
        config()->setLedStatus(true);
        fx->board().clearLog();
        Setting *menu = openMenu();
        QVERIFY(menu);
        QVERIFY(fx->waitForCommand("M145"));
        QTableWidget *rows = table(menu);
        QCOMPARE(rowTexts(rows), (QStringList{"Temperature", "Wi-Fi", "Language", "Transmission Ratio",
                                              "Resume Print", "Filament Detect", "Light"}));
        QCOMPARE(pageLabel(menu), QStringLiteral("1/2"));
        QVERIFY(!tool(menu, "up")->isEnabled() && tool(menu, "down")->isEnabled());

        QTest::mouseClick(tool(menu, "down"), Qt::LeftButton);
        QCOMPARE(rowTexts(rows), (QStringList{"Buzzer", "Factory Reset", "Info", "Upgrade"}));
        QCOMPARE(pageLabel(menu), QStringLiteral("2/2"));
        QVERIFY(tool(menu, "up")->isEnabled() && !tool(menu, "down")->isEnabled());

        // Each toggle is stored at once, swaps its icon and keeps its page.
        struct Toggle {
            int page, row;
            bool (Config::*stored)();
        };
        const Toggle toggles[] = {{0, 4, &Config::getPowerOffResumePrintStatus},
                                  {0, 5, &Config::getFilamentDetect},
                                  {0, 6, &Config::getLedStatus},
                                  {1, 0, &Config::getBuzzerStatus}};
        for (const Toggle &t : toggles) {
            QTest::mouseClick(tool(menu, t.page ? "down" : "up"), Qt::LeftButton);
            for (bool on : {false, true}) {
                pressRow(menu, t.row);
                QCOMPARE((config()->*t.stored)(), on);
                QVERIFY(rowShowsIcon(rows, t.row, on ? "open" : "close"));
                QCOMPARE(pageLabel(menu), QString("%1/2").arg(t.page + 1));
            }
        }
        QTRY_COMPARE(fx->count("M144"), 1);
        QTRY_COMPARE(fx->count("M145"), 2);

        // The lamp follows the stored state whenever the menu builds its list.
        clickPastGuard(tool(menu, "back"));
        QTRY_VERIFY(!Setting::instSetting);
        config()->setLedStatus(false);
        QVERIFY(openMenu());
        QVERIFY(fx->waitForCommand("M144"));
        QVERIFY(rowShowsIcon(table(Setting::instSetting), 6, "close"));
    }

    void rowsOpenTheirPageOnce()
    {
        int wifi = 0, about = 0, update = 0;
        Setting::setPageOpeners({[&] { ++wifi; }, [&] { ++about; }, [&] { ++update; }});
        Setting *menu = openMenu();
        QVERIFY(menu);
        for (int twice = 0; twice < 2; ++twice) {
            pressRow(menu, 0);
            pressRow(menu, 2);
            pressRow(menu, 3);
        }
        QCOMPARE(openCount<ShowTempSetting>(), 1);
        QCOMPARE(openCount<Language>(), 1);
        QCOMPARE(openCount<TransmissionRatio>(), 1);
        QVERIFY(ShowTempSetting::instShowTempSetting->isVisible());

        pressRow(menu, 1);
        QTest::mouseClick(tool(menu, "down"), Qt::LeftButton);
        pressRow(menu, 2);
        pressRow(menu, 3);
        QCOMPARE((QList<int>{wifi, about, update}), (QList<int>{1, 1, 1}));
        QCOMPARE(openCount<Setting>(), 1);
    }

    void everyLanguageSwitchesAtOnceAndOutlastsARestart()
    {
        Setting *menu = openMenu();
        QVERIFY(menu);
        pressRow(menu, 2);
        QTRY_VERIFY(Language::instLanguage);
        QTableWidget *languages = table(Language::instLanguage);
        const QStringList names = rowTexts(languages);
        QCOMPARE(names, (QStringList{"中文", "English", "deutsch", "日本語", "français", "Español"}));

        const QStringList codes = ScreenCheck::offeredLanguages();
        for (int i = 0; i < codes.size(); ++i) {
            const QString &code = codes[i];
            pressRow(Language::instLanguage, i);
            QCOMPARE(QString::fromStdString(config()->getPrinterLanguage()), code);
            QCOMPARE(settingsButton()->text(), shownIn(code, "MainWindow", "Settings"));
            QCOMPARE(rowTexts(table(menu)).first(), shownIn(code, "Setting", "Temperature"));
            QCOMPARE(tool(Language::instLanguage, "back")->text(), shownIn(code, "PageFrame", "Back"));
            QCOMPARE(rowTexts(languages), names);
            for (int row = 0; row < names.size(); ++row)
                QVERIFY2(rowShowsIcon(languages, row, "select") == (row == i), qPrintable(code));
        }
        QCOMPARE(rowTexts(table(menu)).first(), QStringLiteral("Temperatura"));

        // A restart reads the stored choice.
        cleanup(); // also switches back to English in this process only
        config()->setPrinterLanguage("spanish");
        mainWindow.reset();
        QCoreApplication::removeTranslator(Language::translator);
        config()->reload();
        Startup::initTranslator();
        startMainWindow();
        QCOMPARE(settingsButton()->text(), shownIn("spanish", "MainWindow", "Settings"));
        QVERIFY(settingsButton()->text() != QStringLiteral("Settings"));
    }

    // As at start-up, a failed switch shows its error number as a digit,
    // and the texts fall back to English.
    void aCatalogueThatDoesNotLoadShowsItsNumber()
    {
        switchLanguage("german");
        Language *page = openPage(Language::instLanguage);
        QSignalSpy changed(page, &Language::translatorChanged);
        QStringList shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            OneButtonDialog *dialog = OneButtonDialog::instOneButtonDialog;
            if (!dialog || !dialog->isVisible())
                return;
            poll.stop();
            shown << dialog->findChild<QLabel *>("titleLabel")->text() << dialog->findChild<QLabel *>("textLabel")->text();
            QTest::mouseClick(dialog->findChild<QPushButton *>("okBtn"), Qt::LeftButton);
        });
        poll.start(5);
        page->loadLanguage("klingon");
        QCOMPARE(shown, (QStringList{"3", "3"}));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(config()->getPrinterLanguage(), std::string("klingon"));
        QCOMPARE(settingsButton()->text(), QStringLiteral("Settings"));
    }

    void factoryResetRestoresTheDefaults()
    {
        useTheMachine();
        Setting *menu = openMenu();
        QVERIFY(menu);
        QTest::mouseClick(tool(menu, "down"), Qt::LeftButton);
        fx->board().clearLog();
        QuestionAnswerer yes(true);
        pressRow(menu, 1);
        QTRY_VERIFY(!FactorySetting::instFactorySetting);
        QCOMPARE(yes.asked.size(), 1);

        QVERIFY(config()->getLedStatus() && config()->getBuzzerStatus() && config()->getFilamentDetect()
                && config()->getPowerOffResumePrintStatus() && !config()->getAutoSwitch());
        QCOMPARE((QList<int>{config()->getTransmissionRatioX(), config()->getTransmissionRatioY(),
                             config()->getTransmissionRatioZ(), config()->getTransmissionRatioE()}),
                 (QList<int>{80, 80, 400, 93}));
        QCOMPARE(config()->getPrinterLanguage(), std::string("english"));
        QCOMPARE(config()->getPLANozzleTemperature(), 215);
        QCOMPARE(config()->getPrinterSerialNumber(), std::string("SN-42"));

        // Print files gone, our own dot files kept, no resume of a deleted file.
        QCOMPARE(readFile("/stick/prints/keep.gcode"), QStringLiteral("G28\n"));
        QCOMPARE(QDir(SysRoot::path("/data")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(readFile("/data/.keep"), QStringLiteral("mine\n"));
        qint64 line = 0;
        QVERIFY(!FILESNAMESPACE::ResumePrintConfigSaveFile()->readLine(line));
        QCOMPARE(config()->getPowerOffResumePrintFileName(), std::string());

        QCOMPARE(readFile("/opt/wifi/wpa_supplicant.conf"),
                 QStringLiteral("ctrl_interface=DIR=/var/run/wpa_supplicant\nupdate_config=1\n"));
        QVERIFY(fx->sandbox().standinCalls().contains(QStringList{"wpa_cli", "-i", "wlan0", "reconfigure"}));

        // The menu beneath shows English texts, the toggles on, the lamp on.
        QCOMPARE(rowTexts(table(menu)), (QStringList{"Buzzer", "Factory Reset", "Info", "Upgrade"}));
        QVERIFY(rowShowsIcon(table(menu), 0, "open"));
        QVERIFY(fx->waitForCommand("M145"));
        QCOMPARE(settingsButton()->text(), QStringLiteral("Settings"));
    }

    void declinedFactoryResetChangesNothing()
    {
        useTheMachine();
        Setting *menu = openMenu();
        QVERIFY(menu);
        QTest::mouseClick(tool(menu, "down"), Qt::LeftButton);
        QuestionAnswerer no(false);
        pressRow(menu, 1);
        QTRY_VERIFY(!FactorySetting::instFactorySetting);
        QCOMPARE(no.asked.size(), 1);
        QVERIFY(!config()->getLedStatus());
        QCOMPARE(config()->getTransmissionRatioX(), 100);
        QCOMPARE(config()->getPrinterLanguage(), std::string("german"));
        QVERIFY(QFile::exists(SysRoot::path("/data/models/part.gcode")));
        QVERIFY(readFile("/opt/wifi/wpa_supplicant.conf").contains("home"));
    }

    // Last: it gives the application the device's font.
    void screensFitInEveryLanguage()
    {
        ScreenCheck::useDeviceFont();
        for (const QString &code : ScreenCheck::offeredLanguages()) {
            switchLanguage(code);
            Setting *menu = openMenu();
            QVERIFY(menu);
            QList<QPair<QString, QWidget *>> screens{{"settings_1", menu}};
            screens << qMakePair(QString("language"), static_cast<QWidget *>(openPage(Language::instLanguage)));
            screens << qMakePair(QString("temperature"),
                                 static_cast<QWidget *>(openPage(ShowTempSetting::instShowTempSetting)));
            ABSPreHeat *editor = openPage(ABSPreHeat::instABSPreHeat);
            QTest::mouseClick(editor->findChild<QToolButton *>("show_Nozzle_temp"), Qt::LeftButton);
            QTest::mouseClick(editor->findChild<QToolButton *>("dig_2"), Qt::LeftButton);
            screens << qMakePair(QString("preset_keypad"), static_cast<QWidget *>(editor));
            screens << qMakePair(QString("preset"), static_cast<QWidget *>(openPage(PLAPreHeat::instPLAPreHeat)));
            screens << qMakePair(QString("ratio"),
                                 static_cast<QWidget *>(openPage(TransmissionRatio::instTransmissionRatio)));
            auto *reset = new FactorySetting;
            reset->show();
            screens << qMakePair(QString("factory_reset"), static_cast<QWidget *>(reset));
            auto *question = new TwoButtonDialog(FactorySetting::tr("Confirm"), FactorySetting::tr("Restore to factory setting?"),
                                                 FactorySetting::tr("Yes"), FactorySetting::tr("No"));
            question->show();
            screens << qMakePair(QString("factory_question"), static_cast<QWidget *>(question));
            auto *failure = new OneButtonDialog(QString(), TransmissionRatio::tr("Parameter setting failed.\nThe values are saved\nfor the next start."));
            failure->show();
            screens << qMakePair(QString("ratio_failure"), static_cast<QWidget *>(failure));
            for (const auto &screen : screens) {
                screen.second->raise();
                QCoreApplication::processEvents();
                QStringList clipped = ScreenCheck::clippedTexts(screen.second);
                if (auto *rows = screen.second->findChild<QTableWidget *>("tableWidget"))
                    clipped << ScreenCheck::clippedRows(rows);
                QVERIFY2(clipped.isEmpty(), qPrintable(code + " " + screen.first + " cuts: " + clipped.join(" | ")));
                ScreenCheck::save(screen.second, code + "_" + screen.first);
            }
            QTest::mouseClick(tool(menu, "down"), Qt::LeftButton);
            QVERIFY(ScreenCheck::clippedRows(table(menu)).isEmpty());
            ScreenCheck::save(menu, code + "_settings_2");
            cleanup();
        }
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
