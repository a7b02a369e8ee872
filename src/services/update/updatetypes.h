#pragma once

#include <string>

// Where the update manager stands; the update page turns it into messages.
enum update_firmware_process {
    CHECK_UPDATE = 0,
    PRE_DOWNLOAD = 1,
    DOWNLOADING = 2,
    DOWNLOADED = 3,
    DOWNLOAD_ERROR = 4,
    DECOMPRESS_FIRMWARE_PACKET = 5,
    UPGRADE_FIRMWARE = 6,
    UPGRADE_COMPLETED = 7,
    THE_LATEST_VERSION = 8,
};

// What this printer runs, told to the update server with each check: the
// serial number and the installed version "a.b.c" of each package kind.
struct current_version {
    std::string serialNumber;
    std::string kernel;
    std::string control;
    std::string library;
    std::string software;
};
