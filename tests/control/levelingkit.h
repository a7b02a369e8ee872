#pragma once

// Walking the four-corner levelling page against the simulated board.
#include "filamenttestkit.h"
#include "onelabledialog.h"
#include "platformlevel.h"

#include <QtMath>

// The page waits at corner (x, y): the head rests there on the bed and no
// busy notice shows.
inline bool levelPageWaitsAt(SimFixture &fx, int x, int y)
{
    const sim::Position p = fx.board().position();
    return !OneLableDialog::instOneLableDialog && qRound(p.x) == x && qRound(p.y) == y && qAbs(p.z) < 0.01;
}

// The page's OK, once the click guard lets a press through.
inline void pressLevelOk()
{
    QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
    QTest::mouseClick(button(PlatformLevel::instPlatformLevel, "ok"), Qt::LeftButton);
}
