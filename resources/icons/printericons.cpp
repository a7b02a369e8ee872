#include "printericons.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
void initPrinterIcons()
{
    Q_INIT_RESOURCE(printer_icons);
}
