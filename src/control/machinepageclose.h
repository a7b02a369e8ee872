#pragma once

class SerialObject;

// What the jog, homing and levelling pages do when they close: stop the
// machine, release the motors and give the machine back as READY. While
// another page homes, or a print runs, the machine and its status are theirs
// and are left alone. Call it after letting go of the page's own homing claim.
void closeMachinePage(SerialObject *link);

// Stops the board's motion from the GUI thread, behind what the page has
// already handed to the link and ahead of what it hands it next. Not
// stopMotion(): that stop is written from a lane of its own and can reach the
// board after commands asked for after it, and the board's stop empties its
// queue, so a page's closing commands (motors off, heaters off, the probe
// stowed) would be lost.
void stopMachine(SerialObject *link);
