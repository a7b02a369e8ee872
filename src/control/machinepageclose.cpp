#include "machinepageclose.h"
#include "homingclaim.h"
#include "mainwindow.h"
#include "serialobject.h"

#include <QString>

void closeMachinePage(SerialObject *link)
{
    if (HomingClaim::homingUnderWay())
        return;
    if (link) {
        link->serialCheckCode(QStringLiteral("M112"));
        link->serialSendCode(QStringLiteral("M18"));
    }
    if (MainWindow::instMainWindow) {
        MainWindow::instMainWindow->machineStatus = MACHINE_STATUS_READY;
        MainWindow::instMainWindow->moveMode = MOVE_MODE_READY;
    }
}
