#pragma once

#include <QString>

class SerialObject;

// The start-up steps before the main window, in the order main() runs them.
namespace Startup {

// Failures are reported as their error numbers (1 font, 2 other font
// failure, 3 catalogue, 4 other translation failure, 0x1001 printer link).
struct Failure {
    int code;
};

// Registers the font file and makes its first family the application font.
void loadFont();

// Opens the printer link (serial port and buffer-check line).
SerialObject *openPrinterLink();

enum class LinkState { Ready, Reflashed, ReflashFailed };

// Line test, firmware check (reflashing the board when it does not answer
// "ok"), stop and motors off, then a short settling pause.
LinkState bringUpBoard(SerialObject *link);

// Creates Language::translator and installs the configured catalogue; a
// language without a catalogue is logged and replaced by English.
void initTranslator();

// The one-button dialog that shows a start-up failure's number.
void showFailure(const Failure &failure);

// The firmware image in the newest control package, or "" when none.
QString firmwareImage();

} // namespace Startup
