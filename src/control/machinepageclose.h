#pragma once

class SerialObject;

// What the jog, homing and levelling pages do when they close: stop the
// machine, release the motors and give the machine back as READY.
void closeMachinePage(SerialObject *link);
