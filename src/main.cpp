#include "about.h"
#include "buildprint.h"
#include "buildsetting.h"
#include "buzzerplay.h"
#include "config.h"
#include "control.h"
#include "filestorage.h"
#include "getconfigfile.h"
#include "leveling.h"
#include "loadfilament.h"
#include "log.h"
#include "mainwindow.h"
#include "manual.h"
#include "onebuttondialog.h"
#include "pageopener.h"
#include "printericons.h"
#include "printfilecheck.h"
#include "printpagehooks.h"
#include "printertranslations.h"
#include "scanner.h"
#include "setting.h"
#include "startup.h"
#include "sysroot.h"
#include "udiskandlocalmemory.h"
#include "unloadfilament.h"
#include "update.h"
#include "wifipage.h"

#include <QApplication>
#include <QTextCodec>

#include <cstdio>

namespace {
bool filamentPageOpen()
{
    return LoadFilament::instLoadFilament != nullptr || UnloadFilament::instUnloadFilament != nullptr;
}

// What the main window opens: the pages this program has.
MainWindowHooks pageHooks()
{
    MainWindowHooks hooks;
    hooks.openBuild = [] { openPage(UDiskAndLocalMemory::instUDiskAndLocalMemory); };
    hooks.openControl = [] { openPage(Control::instControl); };
    hooks.openLevel = [] { openPage(Leveling::instLeveling); };
    hooks.openPrintPage = [](const QString &path, bool resume) {
        openPage(BuildPrint::instBuildPrint, path, resume);
    };
    hooks.printPageOpen = [] { return BuildPrint::instBuildPrint != nullptr; };
    hooks.openSettings = [] { openPage(Setting::instSetting); };
    hooks.filamentPageOpen = filamentPageOpen;
    hooks.printFileAccepted = [](const QString &path) {
        return checkPrintFile(path, machineBuildVolume()).isPrintable();
    };
    hooks.closeForLanPrint = [] {
        if (About::instAbout)
            About::instAbout->close();
        // Deleted at once, not closed: the jog page's closing "M18" and READY
        // must come before the printing page starts, not after it.
        delete Manual::instManual;
    };
    hooks.openScanner = [] { (new Scanner(SysRoot::path(QStringLiteral("/dev/input/event1"))))->show(); };
    hooks.findTheLatestFirmware = &Update::findTheLatestFirmware;
    hooks.updatePageOpen = [] { return Update::instUpdate != nullptr; };
    return hooks;
}

// The settings menu's rows whose pages are built elsewhere; an opener left
// empty opens nothing.
void installSettingPageOpeners()
{
    SettingPageOpeners openers;
    openers.openWifi = [] { openPage(WIFIPage::instWIFIPage); };
    openers.openAbout = [] { openPage(About::instAbout); };
    openers.openUpdate = [] { openPage(Update::instUpdate, false); };
    Setting::setPageOpeners(openers);
}

// What the printing page and its pop-up reach in the control pages.
void installPrintPageHooks()
{
    PrintPageHooks hooks;
    hooks.createSettingsPopup = [](bool isGxFile, int materialUsed) -> QWidget * {
        if (BuildSetting::instBuildSetting)
            return BuildSetting::instBuildSetting;
        return new BuildSetting(isGxFile, materialUsed);
    };
    hooks.filamentPageOpen = filamentPageOpen;
    PrintPage::setHooks(hooks);
    BuildSetting::setUnloadPageOpener([]() -> QWidget * {
        if (UnloadFilament::instUnloadFilament)
            return nullptr;
        return openPage(UnloadFilament::instUnloadFilament, true);
    });
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(SysRoot::path(QStringLiteral("/opt/qt-4.8.6/plugins")));
    QString error;
    if (!Log::open(app.arguments().mid(1), QString(), &error)) {
        std::fprintf(stderr, "open log error: %s\n", qPrintable(error));
        return -1;
    }
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    initPrinterIcons();
    initPrinterTranslations();

    try {
        Startup::loadFont();
    } catch (const Startup::Failure &failure) {
        Startup::showFailure(failure);
    }

    SerialObject *link = nullptr;
    try {
        link = Startup::openPrinterLink();
    } catch (const Startup::Failure &failure) {
        Startup::showFailure(failure);
        (new OneButtonDialog(QObject::tr("Machine stoppage"), QObject::tr("Please reboot the machine"), QString(), nullptr))
            ->exec();
        return 0;
    }

    switch (Startup::bringUpBoard(link)) {
    case Startup::LinkState::Ready:
        break;
    case Startup::LinkState::Reflashed: {
        (new OneButtonDialog(QString(), QObject::tr("Repair is complete,\nplease restart the printer"), QString(), nullptr))
            ->exec();
        return 0;
    }
    case Startup::LinkState::ReflashFailed: {
        (new OneButtonDialog(QString(), QObject::tr("There was a problem\nwith the firmware update.\nPlease try again."),
                             QString(), nullptr))
            ->exec();
        return 0;
    }
    }
    if (getConfigFile()->configFile()->getBuzzerStatus()) {
        buzzerPlay::getInstance("pwm1")->start();
        buzzerPlay::getInstance("pwm1")->play(buzzerPlay::TUNE_STARTUP);
    }

    try {
        Startup::initTranslator();
    } catch (const Startup::Failure &failure) {
        Startup::showFailure(failure);
    }

    FileStorage::removeLeftoverTemporaries();
    FileStorage::tidyMountedSticks();
    MainWindow::setHooks(pageHooks());
    installPrintPageHooks();
    installSettingPageOpeners();
    MainWindow window;
    window.show();
    return app.exec();
}
