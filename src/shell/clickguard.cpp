#include "clickguard.h"
#include "onetimesclicked.h"

#include <QCoreApplication>

bool clickGuardPass(const char *name)
{
    COneTimesClicked *guard = OneTimesClicked();
    if (guard->isHasClicked())
        return false;
    guard->setOneTimesClicked(nullptr, QString::fromLatin1(name));
    QCoreApplication::processEvents();
    return true;
}
