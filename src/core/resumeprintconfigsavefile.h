#pragma once

#include <QtGlobal>

#include <atomic>

namespace FILESNAMESPACE {

// The power-loss resume record /data/.resume_print_file: the number of the
// print file's line to resume from, as one decimal line. The print engine
// saves it while printing; the main window reads it after a restart.
class CResumePrintConfigSaveFile {
public:
    // Replaces the record atomically, so that a power cut leaves the old or
    // the new number. When /data refuses the write (a read-only remount after
    // a file-system error) it remounts /data read-write once and retries.
    // When even the retry fails the record is removed, so that no stale
    // line is offered after a power cut, and nothing more is saved until
    // startRecord(): a record that stops moving is worse than none.
    bool saveLine(qint64 line);

    // A new print: saving may go on again.
    void startRecord();
    // True once after saving failed and the record was given up.
    bool takeGiveUp();

    // False when there is no record or it is not a clean decimal number.
    bool readLine(qint64 &line);

    // Removes what a write killed midway left (start-up).
    void removeLeftovers();

    // Deletes the record; a missing record counts as removed. The removal
    // reaches the medium a moment later, off the caller's thread.
    bool removeResumePrintConfigFile();

private:
    static bool writeRecord(qint64 line);

    std::atomic<bool> m_givenUp{false};
    std::atomic<bool> m_giveUpUnreported{false};
};

CResumePrintConfigSaveFile *ResumePrintConfigSaveFile();

} // namespace FILESNAMESPACE
