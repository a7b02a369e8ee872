#pragma once

#include <QtGlobal>

namespace FILESNAMESPACE {

// The power-loss resume record /data/.resume_print_file: the number of the
// print file's line to resume from, as one decimal line. The print engine
// saves it while printing; the main window reads it after a restart.
class CResumePrintConfigSaveFile {
public:
    // Replaces the record atomically, so that a power cut leaves the old or
    // the new number. When /data refuses the write (a read-only remount after
    // a file-system error) it remounts /data read-write once and retries.
    bool saveLine(qint64 line);

    // False when there is no record or it is not a clean decimal number.
    bool readLine(qint64 &line);

    // Deletes the record; a missing record counts as removed.
    bool removeResumePrintConfigFile();

private:
    static bool writeRecord(qint64 line);
};

CResumePrintConfigSaveFile *ResumePrintConfigSaveFile();

} // namespace FILESNAMESPACE
