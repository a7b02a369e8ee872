// How the printing page's sequences reach the board: each one goes to the
// link as a request and the page takes its next step from the outcome, so
// the screen never waits for the board. A board that stops answering ends
// the print as a print given up ends.
#include "buildprint.h"

#include "boardrequest.h"
#include "buildprintcommon.h"
#include "motionidle.h"
#include "serialobject.h"

#include <QDebug>

using namespace BuildPrintCommon;

void BuildPrint::whenTaken(BoardRequest *request, std::function<void()> next)
{
    connect(request, &BoardRequest::finished, this, [this, request, next] {
        if (request->taken())
            next();
        else
            giveUpOnBoard();
    });
}

// One park at a time: a later one (a cancel during a pause's park) takes
// over the wait.
void BuildPrint::whenIdle(Step next)
{
    m_afterPark = next;
    m_parkIdle->start(kIdlePollMs, kIdlePollMs);
}

// Two requests: a heater-off the board does not take is kept by the link
// until it answers, and the other must be kept too.
void BuildPrint::heatersOff()
{
    serialObject->requestBed(0);
    serialObject->requestNozzle(0);
}

// The board did not take one of the page's sequences (or fell silent while
// a park ran): nothing more can be moved. Unless the user had stopped the
// print anyway, the page says why once it has closed.
void BuildPrint::giveUpOnBoard()
{
    qCritical() << "BuildPrint: the board stopped answering during a sequence of" << m_filePathName;
    if (!m_cancelAsked && m_stopReason.isEmpty())
        m_stopReason = tr("The print stopped:\nthe printer board\nstopped answering.");
    if (printState != Print_State_Stop) {
        printState = Print_State_Stop;
        printAdjustReset();
        serialObject->setPoweroffCancelPrint();
    }
    if (serialObject->isJobRunning())
        serialObject->slo_printingQuit();
    endWithoutBoard();
}

// Nothing can be lifted or parked while the board does not answer, and
// waiting for it would keep a dead print on screen and on the LAN. The link
// switches the heaters off and sets absolute positioning once the board
// answers again; the page says at once that the print has ended.
void BuildPrint::endWithoutBoard()
{
    heatersOff();
    serialObject->request(QStringLiteral("G90"));
    hideWait();
    closeAfterStop();
}
