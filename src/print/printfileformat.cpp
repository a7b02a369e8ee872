#include "printfileformat.h"

namespace PrintFileFormat {

namespace {

QString twoDecimals(double value)
{
    return QString::number(value, 'f', 2);
}

} // namespace

QString printTime(quint32 seconds)
{
    return QStringLiteral("%1h %2min").arg(seconds / 3600).arg((seconds / 60) % 60);
}

QString filamentLength(quint32 millimetres)
{
    return twoDecimals(millimetres / 1000.0) + QLatin1Char('m');
}

QString layerHeight(quint16 micrometres)
{
    return twoDecimals(micrometres / 1000.0) + QLatin1String("mm");
}

QString speed(quint16 millimetresPerSecond)
{
    return twoDecimals(millimetresPerSecond) + QLatin1String("mm/s");
}

} // namespace PrintFileFormat
