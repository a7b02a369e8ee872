#pragma once

#include <QString>
#include <QStringList>

// Lifting the nozzle clear of the print before the head travels, from the
// height the board reports (cancel, resume after a power loss; a pause and
// the completion lift from the print thread's own record of the height).
namespace HeadLift {

// The commands that raise the nozzle `lift` mm above the Z that the board
// reported in `m114Reply`, the target clamped to 0..`zRange`. When the reply
// carries no readable Z the lift is made relative instead ("G91", the move,
// "G90"), so that an unknown height never becomes an absolute low target.
// The board is expected in absolute mode; the result leaves it there.
QStringList commands(const QString &m114Reply, float lift, int zRange);

// A height as the board's commands write it: at most six significant digits.
QString number(float value);

} // namespace HeadLift
