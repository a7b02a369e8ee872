#include "vardefine.h"

const char *machineStatusName(machine_status_t status)
{
    switch (status) {
    case MACHINE_STATUS_READY: return "READY";
    case MACHINE_STATUS_PAUSED: return "PAUSED";
    case MACHINE_STATUS_BUILDING: return "BUILDING";
    case MACHINE_STATUS_BUILDING_FROM_SD: return "BUILDING_FROM_SD";
    case MACHINE_STATUS_ERROR: return "ERROR";
    case MACHINE_STATUS_CANCEL_BUILD: return "CANCEL_BUILD";
    case MACHINE_STATUS_BUILDING_ONBOARD: return "BUILDING_ONBOARD";
    case MACHINE_STATUS_HEAT_SHUTDOWN: return "HEAT_SHUTDOWN";
    }
    return "UNKNOWN";
}

const char *moveModeName(move_mode_t mode)
{
    switch (mode) {
    case MOVE_MODE_READY: return "READY";
    case MOVE_MODE_PAUSED: return "PAUSED";
    case MOVE_MODE_MOVING: return "MOVING";
    case MOVE_MODE_DELAY: return "DELAY";
    case MOVE_MODE_HOMING: return "HOMING";
    case MOVE_MODE_WAIT_ON_TOOL: return "WAIT_ON_TOOL";
    case MOVE_MODE_WAIT_ON_PLATFORM: return "WAIT_ON_PLATFORM";
    case MOVE_MODE_WAIT_ON_BUTTON: return "WAIT_ON_BUTTON";
    }
    return "UNKNOWN";
}
