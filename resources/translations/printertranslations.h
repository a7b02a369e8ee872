#pragma once

// Registers the compiled translation catalogues
// (":/Resource/translations/firmware_<language>.qm"). The library is static,
// so the program calls this once before loading a catalogue.
void initPrinterTranslations();
