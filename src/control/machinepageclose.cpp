#include "machinepageclose.h"
#include "boardrequest.h"
#include "homingclaim.h"
#include "mainwindow.h"
#include "serialobject.h"

#include <QString>

void closeMachinePage(SerialObject *link)
{
    // Another page's homing, or a print that began while this page was open
    // (from the LAN), owns the machine: stopping the board would cut its
    // moves, and READY would open the printer to another print.
    if (HomingClaim::homingUnderWay())
        return;
    if (MainWindow::printPageIsOpen())
        return;
    // Handed to the link; the page closes at once, whatever the board is
    // doing. The stop empties the board's queue, so the motors-off must come
    // after it: it is asked for once a reading asked after the stop is back
    // (the stop goes ahead of it), and the link keeps it until the board
    // takes it.
    if (link) {
        link->stopMotion();
        BoardRequest *behindStop = link->request(QStringLiteral("M105"));
        QObject::connect(behindStop, &BoardRequest::finished, link,
                         [link] { link->request(QStringLiteral("M18")); });
    }
    if (MainWindow::instMainWindow) {
        MainWindow::instMainWindow->machineStatus = MACHINE_STATUS_READY;
        MainWindow::instMainWindow->moveMode = MOVE_MODE_READY;
    }
}
