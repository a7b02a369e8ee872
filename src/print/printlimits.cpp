#include "printlimits.h"

#include <QDebug>

namespace PrintLimits {

namespace {

int usable(const char *name, const Range &range, int stored, int fallback)
{
    if (stored == fallback || range.contains(stored))
        return stored;
    qWarning() << "PrintLimits: stored" << name << stored << "is outside" << range.min << "to" << range.max
               << "; the resume uses" << fallback;
    return fallback;
}

} // namespace

PrintSettings usableForResume(const PrintSettings &stored, const PrintSettings &newPrint)
{
    PrintSettings out = newPrint;
    out.nozzle = usable("nozzle target", kNozzle, stored.nozzle, newPrint.nozzle);
    out.bed = usable("bed target", kBed, stored.bed, newPrint.bed);
    out.adjust.speed = usable("speed", kSpeed, stored.adjust.speed, newPrint.adjust.speed);
    out.adjust.offset = usable("Z offset", kZOffset, stored.adjust.offset, newPrint.adjust.offset);
    return out;
}

} // namespace PrintLimits
