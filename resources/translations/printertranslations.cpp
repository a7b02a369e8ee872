#include "printertranslations.h"

#include <QtGlobal>

void initPrinterTranslations()
{
    Q_INIT_RESOURCE(printer_translations);
}
