#pragma once

#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "mainwindow.h"
#include "pagetouches.h"
#include "onetimesclicked.h"
#include "printericons.h"
#include "serialobject.h"
#include "simfixture.h"
#include "timescale.h"
#include "questions.h"
#include "twobuttondialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <optional>

// What the filament page tests share: the simulated machine with the main
// window on top, and an answerer for the pages' modal cancel question.
struct FilamentBench {
    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<MainWindow> mainWindow;

    bool setUp()
    {
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        if (!fx->ok())
            return false;
        getConfigFile()->configFile()->reload();
        initPrinterIcons();
        ExecuteGetSerialObject()->serial();
        MainWindow::setLanPorts(0, 0);
        mainWindow = std::make_unique<MainWindow>();
        return true;
    }

    void tearDown()
    {
        mainWindow.reset();
        fx.reset();
    }

    // A fresh start for each case: fast board, nothing forced, empty log,
    // and the main window's read-out caught up with the board, so that no
    // temperature forced by the case before reaches the next page.
    void reset()
    {
        sim::BoardSimulator &board = fx->board();
        board.setTimeScale(1000.0);
        board.setForcedNozzleTemp(std::nullopt);
        board.setStuckEndstop('X', false);
        board.setStuckEndstop('Y', false);
        board.setStuckEndstop('Z', false);
        (void)QTest::qWaitFor([&] {
            return qAbs(mainWindow->getCurrentExtruderTemp() - board.nozzleTemp()) < 3;
        });
        // What the page of the case before handed to the link is not this case's.
        (void)SimFixture::waitForRequests(ExecuteGetSerialObject()->serial());
        board.clearLog();
    }

    QStringList commands() const { return fx->motionCommands(); }

    // What the homing helper sends to home X, Y and Z.
    static QStringList homingXYZ()
    {
        return {"G91", "G1 X-320 F3000", "M112", "G92 X0", "G1 Y-320 F3000", "M112", "G92 Y0",
                "G1 Z-420 F600", "M112", "G92 Z0", "G90"};
    }

    static QStringList tail(const QStringList &list, int n) { return list.mid(qMax(0, list.size() - n)); }

    // The homing helper stops with an "M112" and a "G90" of its own at its
    // first check after a page let go of it, which can fall before or after
    // the page's closing commands. Those stops are folded away: the "G90"
    // right behind an "M112" goes, runs of "M112" count as one, and stops
    // after the last "M18" are dropped.
    static QStringList foldHomingStops(const QStringList &commands)
    {
        QStringList out;
        for (const QString &c : commands)
            if (!((c == "M112" || c == "G90") && !out.isEmpty() && out.last() == "M112"))
                out << c;
        const int lastM18 = out.lastIndexOf("M18");
        while (lastM18 >= 0 && out.size() > lastM18 + 1 && out.last() == "M112")
            out.removeLast();
        return out;
    }

    // Anything but a stop that reaches the board in a while (many worker
    // periods) after the first `seen` commands.
    QStringList movesAfter(int seen) const
    {
        QTest::qWait(100);
        QStringList moves = commands().mid(seen);
        moves.removeAll(QStringLiteral("M112"));
        moves.removeAll(QStringLiteral("G90")); // the homing helper's stop
        return moves;
    }
};


template <class Page>
QToolButton *button(Page *page, const char *name)
{
    return page->template findChild<QToolButton *>(name);
}

template <class Page>
QString labelText(Page *page, const char *name)
{
    return page->template findChild<QLabel *>(name)->text();
}
