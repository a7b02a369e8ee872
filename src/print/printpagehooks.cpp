#include "printpagehooks.h"

namespace {
PrintPageHooks &hooks()
{
    static PrintPageHooks instance;
    return instance;
}
} // namespace

namespace PrintPage {

void setHooks(const PrintPageHooks &newHooks)
{
    hooks() = newHooks;
}

QWidget *createSettingsPopup(bool isGxFile, int materialUsed)
{
    return hooks().createSettingsPopup ? hooks().createSettingsPopup(isGxFile, materialUsed) : nullptr;
}

bool filamentPageOpen()
{
    return hooks().filamentPageOpen && hooks().filamentPageOpen();
}

} // namespace PrintPage
