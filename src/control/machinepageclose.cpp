#include "machinepageclose.h"
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
    // doing. The stop goes ahead of everything not yet written, so the
    // motors-off comes after it; the link keeps it until the board takes it.
    if (link) {
        link->stopMotion();
        link->request(QStringLiteral("M18"));
    }
    if (MainWindow::instMainWindow) {
        MainWindow::instMainWindow->machineStatus = MACHINE_STATUS_READY;
        MainWindow::instMainWindow->moveMode = MOVE_MODE_READY;
    }
}

void stopMachine(SerialObject *link)
{
    link->request(QStringLiteral("M112"));
}
