#include "homingclaim.h"

#include "executereturnhome.h"

namespace {
// The page the helper was last given by a claim; every page registers
// through a claim, so this is the helper's listener.
ReturnHomeListener *g_holder = nullptr;
} // namespace

HomingClaim::HomingClaim(ReturnHomeListener *page)
    : m_page(page)
{
}

HomingClaim::~HomingClaim()
{
    release();
}

void HomingClaim::start(bool xyOnly)
{
    g_holder = m_page;
    ExecuteReturnHome()->setObject(m_page);
    ExecuteReturnHome()->returnHome(xyOnly);
}

void HomingClaim::release()
{
    if (!holding())
        return;
    g_holder = nullptr;
    ExecuteReturnHome()->setObject(nullptr);
}

bool HomingClaim::holding() const
{
    return g_holder == m_page;
}

bool HomingClaim::homingUnderWay()
{
    return g_holder != nullptr;
}
