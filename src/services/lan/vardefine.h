#pragma once

// Machine states shared by the main window (which holds them) and the LAN
// server (which reports them by name to the slicer).

enum machine_status_t {
    MACHINE_STATUS_READY = 0,
    MACHINE_STATUS_PAUSED = 1,
    MACHINE_STATUS_BUILDING = 2,
    MACHINE_STATUS_BUILDING_FROM_SD = 3,
    MACHINE_STATUS_ERROR = 4,
    MACHINE_STATUS_CANCEL_BUILD = 5,
    MACHINE_STATUS_BUILDING_ONBOARD = 6,
    MACHINE_STATUS_HEAT_SHUTDOWN = 7
};

enum move_mode_t {
    MOVE_MODE_READY = 0,
    MOVE_MODE_PAUSED = 1,
    MOVE_MODE_MOVING = 2,
    MOVE_MODE_DELAY = 3,
    MOVE_MODE_HOMING = 4,
    MOVE_MODE_WAIT_ON_TOOL = 5,
    MOVE_MODE_WAIT_ON_PLATFORM = 6,
    MOVE_MODE_WAIT_ON_BUTTON = 7
};

// Whether a LAN client holds control of the printer.
enum Machine_Connect_State {
    Machine_Connected = 0,
    Machine_Connect_None = 1
};

// Names as the LAN replies carry them ("READY", "BUILDING_FROM_SD", ...);
// a value outside the enumeration reads "UNKNOWN".
const char *machineStatusName(machine_status_t status);
const char *moveModeName(move_mode_t mode);
