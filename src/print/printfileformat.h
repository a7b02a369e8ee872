#pragma once

#include <QString>

// How the preview shows the slicer's estimates from a print-file header.
// The unit texts are the same in every language and are not translated.
namespace PrintFileFormat {

// Whole hours (not wrapped at a day) and the minutes within the hour: "1h 2min".
QString printTime(quint32 seconds);

// Metres with two decimals: 2500 mm gives "2.50m".
QString filamentLength(quint32 millimetres);

// Millimetres with two decimals: 200 µm gives "0.20mm".
QString layerHeight(quint16 micrometres);

// Two decimals: 60 gives "60.00mm/s".
QString speed(quint16 millimetresPerSecond);

} // namespace PrintFileFormat
