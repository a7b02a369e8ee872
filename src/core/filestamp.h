#pragma once

#include <string>

// File order stamps: every file that enters /data gets a modification time
// later than every file before it, so that lists sorted newest-first show it
// on top. Two counters hand out stamps: the settings' "general"/"modifyTime"
// (copies and prints) and the LAN server's counter file sysDateForFile.conf in
// the configuration folder (uploads). Both go through stampNewFile, which
// starts from the later of the two, so they never hand out stamps out of order.
namespace FileStamp {

enum class Counter { Settings, LanServer };

// Stamps format like touch -d dates: "YYYYMMDDhhmm.ss", e.g. "202001010101.01".
// Returns the stamp one second after `stamp` (seconds, minutes, hours, days,
// months carry properly); an unreadable stamp counts as "202001010101.01".
std::string nextStamp(const std::string &stamp);

// Gives `path` (atime and mtime) the later of the current time and the stamp
// after the later of both counters, and stores it in `counter`; the counter only moves when setting the time
// succeeded. The file and its folder are flushed before the counter moves.
// Thread-safe; it waits for the medium, so callers keep it off the GUI
// thread. Returns true on success.
bool stampNewFile(const std::string &path, Counter counter);

} // namespace FileStamp
