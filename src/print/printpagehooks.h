#pragma once

#include <QWidget>

#include <functional>

// What the printing page needs from pages that live beside or above it and
// that it must not include: the program (or the pages' own module) fills
// these in at start-up. Empty hooks mean "no such page".
struct PrintPageHooks {
    // Creates the in-print settings pop-up, hidden, for a print of the given
    // kind. The printing page raises it from its "Settings" button, connects
    // its signalPrintPauseToHome() to the pop-up's slotPrintPauseToHome() when
    // the pop-up has that slot, and closes it when the page closes (the
    // pop-up deletes itself on close and clears its own instance pointer).
    std::function<QWidget *(bool isGxFile, int materialUsed)> createSettingsPopup;
    // True while the filament load or unload page is open: their heating
    // target must not be taken for the print's.
    std::function<bool()> filamentPageOpen;
};

namespace PrintPage {

void setHooks(const PrintPageHooks &hooks);

// Null when no pop-up factory is installed.
QWidget *createSettingsPopup(bool isGxFile, int materialUsed);
bool filamentPageOpen();

} // namespace PrintPage
