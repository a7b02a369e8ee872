// Wi-Fi page: the longest stall of the GUI thread while the user switches the
// station, joins and forgets networks against the sandbox's stand-in tools.
#include "getconfigfile.h"
#include "config.h"
#include "mainwindow.h"
#include "onelabledialog.h"
#include "onetimesclicked.h"
#include "pageopener.h"
#include "printericons.h"
#include "questions.h"
#include "simfixture.h"
#include "stallprobe.h"
#include "timescale.h"
#include "wifiair.h"
#include "wifipage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

WIFIPage *page() { return WIFIPage::instWIFIPage; }
QTableWidget *table() { return page()->findChild<QTableWidget *>("tableWidget"); }
bool noticeShown() { return OneLableDialog::instOneLableDialog && OneLableDialog::instOneLableDialog->isVisible(); }

int rowOf(const QString &ssid)
{
    for (int row = 0; row < table()->rowCount(); ++row)
        if (table()->item(row, 1)->text() == ssid)
            return row;
    return -1;
}

void tapRow(int row)
{
    const QPoint at = table()->visualItemRect(table()->item(row, 1)).center();
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, at);
}

void clickSwitch()
{
    (void)QTest::qWaitFor([] { return !OneTimesClicked()->isHasClicked(); });
    QTest::mouseClick(page()->findChild<QToolButton *>("switch_2"), Qt::LeftButton);
}

qint64 worstOverall = 0;

void step(StallProbe &probe, const char *what, const std::function<void()> &act, const std::function<bool()> &done)
{
    probe.takeWorstStallMs();
    QElapsedTimer took;
    took.start();
    act();
    const bool finished = QTest::qWaitFor(done, 20000);
    QTest::qWait(50); // let the tools the step started finish too
    const qint64 stall = probe.takeWorstStallMs();
    worstOverall = qMax(worstOverall, stall);
    std::printf("%-48s longest GUI stall %5lld ms (step %lld ms)%s\n", what, static_cast<long long>(stall),
                static_cast<long long>(took.elapsed()), finished ? "" : " (did not finish)");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    initPrinterIcons();
    TimeScale::setFactor(0.01);
    SimFixture fx;
    if (!fx.ok()) {
        std::printf("no sandbox\n");
        return 1;
    }
    Config *config = getConfigFile()->configFile();
    config->reload();
    MainWindow::setLanPorts(0, 0);
    WifiAir::reset();
    WifiAir::setNetworks({{"Home", -50, "wpa2", "homehome"}, {"Cafe", -60, "open", ""}});
    WifiAir::saveNetwork("Home", "homehome");
    config->setWifiStationStatus(true);
    config->setWifiHotspotStatus(false);

    StallProbe probe;
    std::unique_ptr<MainWindow> window;
    step(probe, "start-up (main window made, station resumed)", [&] { window = std::make_unique<MainWindow>(); },
         [] { return WifiAir::running().contains("udhcpc"); });
    step(probe, "open the page (scan)", [] { openPage(WIFIPage::instWIFIPage); },
         [] { return page() && table()->rowCount() == 2 && !noticeShown(); });
    step(probe, "switch off", clickSwitch, [] { return WifiAir::running().isEmpty(); });
    step(probe, "switch on (start, scan)", clickSwitch,
         [] { return table()->rowCount() == 2 && !noticeShown() && WifiAir::running().contains("udhcpc"); });
    step(probe, "join the open network", [] { tapRow(rowOf("Cafe")); },
         [] { return rowOf("Cafe") == 0 && !noticeShown(); });
    QuestionAnswerer forget(true);
    step(probe, "forget it (double tap, back to the saved one)",
         [] {
             tapRow(0);
             tapRow(0);
         },
         [] { return rowOf("Cafe") < 0 && WifiAir::joined() == "Home"; });
    std::printf("longest GUI-thread stall over all steps: %lld ms\n", static_cast<long long>(worstOverall));
    delete page();
    window.reset();
    return 0;
}
