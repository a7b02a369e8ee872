#ifndef PRINTERICONS_H
#define PRINTERICONS_H

// Registers the compiled-in icon set (":/Resource/icon/..."). The icons live
// in a static library, so the program must call this once at start-up or the
// linker drops them.
void initPrinterIcons();

#endif // PRINTERICONS_H
