#pragma once

class SerialObject;

// What the jog, homing and levelling pages do when they close: stop the
// machine, release the motors and give the machine back as READY. While
// another page homes, or a print runs, the machine and its status are theirs
// and are left alone. Call it after letting go of the page's own homing claim.
void closeMachinePage(SerialObject *link);


// Stops the board's motion in turn with the page's own sequence: behind what
// the page has already handed to the link and ahead of what it hands it next,
// so that its closing commands (motors off, heaters off, the probe stowed)
// follow the stop that empties the board's queue. stopMotion() is the stop
// that cannot wait (a jog's release).
void stopMachine(SerialObject *link);
