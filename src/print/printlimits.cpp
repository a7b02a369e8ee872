#include "printlimits.h"

#include <QDebug>

namespace PrintLimits {

namespace {

int usable(const char *name, const Range &range, int stored, int fallback, bool heater)
{
    if (stored == fallback || range.contains(stored) || (heater && stored == kHeaterOff))
        return stored;
    qWarning() << "PrintLimits: stored" << name << stored << "is outside" << range.min << "to" << range.max
               << "; the resume uses" << fallback;
    return fallback;
}

} // namespace

PrintSettings usableForResume(const PrintSettings &stored, const PrintSettings &newPrint)
{
    PrintSettings out = newPrint;
    out.nozzle = usable("nozzle target", kNozzle, stored.nozzle, newPrint.nozzle, true);
    out.bed = usable("bed target", kBed, stored.bed, newPrint.bed, true);
    out.adjust.speed = usable("speed", kSpeed, stored.adjust.speed, newPrint.adjust.speed, false);
    out.adjust.offset = usable("Z offset", kZOffset, stored.adjust.offset, newPrint.adjust.offset, false);
    return out;
}

} // namespace PrintLimits
