#include "headlift.h"

#include "stringbrevik.h"

#include <algorithm>

namespace HeadLift {

QString number(float value)
{
    return QString::number(static_cast<double>(value), 'g', 6);
}

QStringList commands(const QString &m114Reply, float lift, int zRange)
{
    float x, y, z;
    if (!StringBrevik::positionXYZ(m114Reply, x, y, z))
        return {QStringLiteral("G91"), "G1 Z" + number(lift) + " F300", QStringLiteral("G90")};
    const float target = std::min(std::max(z + lift, 0.0f), static_cast<float>(zRange));
    return {"G1 Z" + number(target) + " F300"};
}

} // namespace HeadLift
