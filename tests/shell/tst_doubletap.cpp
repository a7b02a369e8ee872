#include "config.h"
#include "control.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "language.h"
#include "leveling.h"
#include "mainwindow.h"
#include "pageopener.h"
#include "pagetouches.h"
#include "printericons.h"
#include "printertranslations.h"
#include "serialobject.h"
#include "setting.h"
#include "showdisk.h"
#include "showdiskitem.h"
#include "sysroot.h"
#include "simfixture.h"
#include "timescale.h"
#include "udiskandlocalmemory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// An ordinary double tap: each touch 80 ms long, 180 ms between them.
constexpr int TouchMs = 80;
constexpr int GapMs = 180;

QList<QWidget *> shownPages(QWidget *mainWindow)
{
    QList<QWidget *> pages;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != mainWindow && w->isVisible())
            pages << w;
    return pages;
}

// The widget under the finger at `global` on `page`, where a press acts.
QWidget *underFinger(QWidget *page, const QPoint &global)
{
    QWidget *target = page->childAt(page->mapFromGlobal(global));
    return target ? target : page;
}

// Whether a press there would do something: a button, or a row of a list.
bool actsOnPress(QWidget *target, const QPoint &global)
{
    if (auto *button = qobject_cast<QAbstractButton *>(target))
        return button->isEnabled();
    auto *table = qobject_cast<QTableWidget *>(target->parentWidget());
    return table && table->viewport() == target && table->itemAt(target->mapFromGlobal(global));
}

} // namespace

// Double taps on the main buttons, through the real main window and pages
// against the simulated board: the second tap lands on the page the first
// one opened and must not act there.
class TestDoubleTap : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<MainWindow> window;

    // Closed pages hand their closing commands to the link: none of them
    // may reach the log of the next case.
    void closePages()
    {
        for (QWidget *page : shownPages(window.get()))
            delete page;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(SimFixture::waitForRequests(ExecuteGetSerialObject()->serial()));
    }

    // The board's log after the main window's poll has come round twice,
    // so that whatever a page sends on its own has arrived.
    QStringList commandsAfterPoll()
    {
        const int polls = fx->count("M105");
        (void)QTest::qWaitFor([&] { return fx->count("M105") >= polls + 2; }, kTryWaitMs);
        return fx->motionCommands();
    }

    // A double tap at `global`: the first touch on `first`, the second on
    // what is under the finger then. QTest puts its double-click interval of
    // event time after every release so that it never makes a double click;
    // a finger does not, so that is taken back between the two touches.
    static void doubleTap(QWidget *first, const QPoint &global)
    {
        QTest::mousePress(first, Qt::LeftButton, {}, first->mapFromGlobal(global));
        QTest::mouseRelease(first, Qt::LeftButton, {}, first->mapFromGlobal(global), TouchMs);
        QTest::lastMouseTimestamp -= QTest::mouseDoubleClickInterval;
        QWidget *top = QApplication::topLevelAt(global);
        QWidget *second = top ? underFinger(top, global) : first;
        QTest::mousePress(second, Qt::LeftButton, {}, second->mapFromGlobal(global), GapMs);
        QTest::mouseRelease(second, Qt::LeftButton, {}, second->mapFromGlobal(global), TouchMs);
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        initPrinterIcons();
        initPrinterTranslations(); // a language chosen by mistake loads without a message
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        getConfigFile()->configFile()->reload();
        ExecuteGetSerialObject()->serial();
        MainWindow::setLanPorts(0, 0);
        // The program's openers of the four main buttons.
        MainWindowHooks hooks;
        hooks.openBuild = [] { openPage(UDiskAndLocalMemory::instUDiskAndLocalMemory); };
        hooks.openSettings = [] { openPage(Setting::instSetting); };
        hooks.openControl = [] { openPage(Control::instControl); };
        hooks.openLevel = [] { openPage(Leveling::instLeveling); };
        MainWindow::setHooks(hooks);
        window = std::make_unique<MainWindow>();
        window->move(0, 0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanupTestCase()
    {
        closePages();
        window.reset();
        MainWindow::setHooks(MainWindowHooks());
        fx.reset();
    }

    void cleanup() { closePages(); }

    // First in the suite, as the first touch after the printer starts: a
    // menu row acts as the finger comes down, so the page it opens appears
    // before any touch was ever lifted (as the out-of-material message can).
    // The second tap lands where a press would choose a language, and must not.
    void aPageOpenedUnderTheFirstTouchTakesNoSecondTap()
    {
        Setting *menu = openPage(Setting::instSetting);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        auto *table = menu->findChild<QTableWidget *>("tableWidget");
        const QRect row = table->visualItemRect(table->item(Setting::Action_Language, 1));
        const QPoint global = table->viewport()->mapToGlobal(row.center());
        const auto language = [] { return QString::fromStdString(getConfigFile()->configFile()->getPrinterLanguage()); };
        const QString before = language();
        doubleTap(table->viewport(), global);
        QVERIFY(Language::instLanguage && QApplication::topLevelAt(global) == Language::instLanguage);
        QVERIFY(actsOnPress(underFinger(Language::instLanguage, global), global));
        QCOMPARE(language(), before);
    }

    // A folder row opens its folder as the finger lifts; the list refilled
    // under the finger puts ".." there, which the second tap must not take.
    void doubleTapOnAFolderOpensThatFolder()
    {
        const QString folder = SysRoot::path("/data") + "/models";
        QVERIFY(QDir().mkpath(folder));
        QFile print(folder + "/cube.gcode");
        QVERIFY(print.open(QIODevice::WriteOnly));
        print.write("G1 X1\n");
        print.close();
        ShowDisk *browser = openPage(ShowDisk::instShowDisk, From_LocalMemory);
        QVERIFY(QTest::qWaitForWindowExposed(browser));
        ShowDiskItem *row = nullptr;
        for (ShowDiskItem *item : browser->findChildren<ShowDiskItem *>())
            if (item->isVisible() && item->itemText() == "models")
                row = item;
        QVERIFY(row);
        waitForFreeClickGuard();
        doubleTap(row, row->mapToGlobal(row->rect().center()));
        QCOMPARE(browser->currentFolder(), folder);
        QVERIFY(QDir(folder).removeRecursively());
    }

    void onlyTheButtonsPageOpens_data()
    {
        // Where the finger is on the button: over the storage chooser's
        // "Disk", the settings menu's "Language", the control menu's
        // "Unload" and the levelling menu's "Back".
        QTest::addColumn<QString>("button");
        QTest::addColumn<QPoint>("finger");
        QTest::newRow("Build") << "showBuild" << QPoint(110, 60);
        QTest::newRow("Settings") << "showTool" << QPoint(62, 75);
        QTest::newRow("Control") << "showControl" << QPoint(62, 20);
        QTest::newRow("Level") << "showLevel" << QPoint(20, 145);
    }

    void onlyTheButtonsPageOpens()
    {
        QFETCH(QString, button);
        QFETCH(QPoint, finger);
        auto *mainButton = window->findChild<QToolButton *>(button);
        QVERIFY(mainButton);
        const QPoint global = mainButton->mapToGlobal(finger);

        // The double tap; the first of the test run comes before any page
        // was ever made, as the first after the printer starts.
        waitForFreeClickGuard();
        fx->board().clearLog();
        doubleTap(mainButton, global);
        QList<QWidget *> pages = shownPages(window.get());
        QCOMPARE(pages.size(), 1);
        const QString pageClass = pages.first()->metaObject()->className();
        const QStringList sent = commandsAfterPoll();
        closePages();

        // One tap opens the same page and sends the same; a tap on it after
        // the double-tap interval acts as usual.
        waitForFreeClickGuard();
        fx->board().clearLog();
        QTest::mouseClick(mainButton, Qt::LeftButton, {}, finger);
        pages = shownPages(window.get());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(QString(pages.first()->metaObject()->className()), pageClass);
        QCOMPARE(commandsAfterPoll(), sent);
        waitForFreeClickGuard();
        QWidget *target = underFinger(pages.first(), global);
        QVERIFY2(actsOnPress(target, global), qPrintable(target->objectName()));
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFromGlobal(global),
                          QApplication::doubleClickInterval());
        QVERIFY(shownPages(window.get()) != pages);
    }

    // The first tap on the levelling menu's Back closes it; the second lands
    // on the main window's Level button uncovered beneath and must not open
    // the menu again.
    void secondTapOnBackOpensNothingBeneath()
    {
        auto *level = window->findChild<QToolButton *>("showLevel");
        waitForFreeClickGuard();
        QTest::mouseClick(level, Qt::LeftButton);
        QVERIFY(Leveling::instLeveling);
        auto *back = Leveling::instLeveling->findChild<QToolButton *>("back");
        const QPoint global = back->mapToGlobal(QPoint(68, 10));
        QVERIFY(level->rect().contains(level->mapFromGlobal(global)));
        waitForFreeClickGuard();
        doubleTap(back, global);
        QCOMPARE(shownPages(window.get()), QList<QWidget *>());
    }
};

QTEST_MAIN(TestDoubleTap)
#include "tst_doubletap.moc"
