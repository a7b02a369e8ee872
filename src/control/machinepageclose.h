#pragma once

class SerialObject;

// What the jog, homing and levelling pages do when they close: stop the
// machine, release the motors and give the machine back as READY. While
// another page homes, or a print runs, the machine and its status are theirs
// and are left alone. Call it after letting go of the page's own homing claim.
void closeMachinePage(SerialObject *link);
