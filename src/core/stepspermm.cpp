#include "stepspermm.h"

#include <QDebug>

namespace StepsPerMm {

const Range &range(Axis axis)
{
    static const Range ranges[] = {
        {1, 1000, 80, "M92 X"},
        {1, 1000, 80, "M92 Y"},
        {1, 1000, 400, "M92 Z"},
        {1, 5000, 93, "M92 A"},
    };
    return ranges[static_cast<int>(axis)];
}

int usable(Axis axis, int stored)
{
    const Range &r = range(axis);
    if (stored >= r.min && stored <= r.max)
        return stored;
    qWarning() << "StepsPerMm: stored value" << stored << "for" << r.command << "is outside" << r.min << "to"
               << r.max << "; the factory value" << r.factory << "is used";
    return r.factory;
}

QString command(Axis axis, int value)
{
    return QLatin1String(range(axis).command) + QString::number(value);
}

} // namespace StepsPerMm
