#pragma once

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// The settings file on the medium, for the settings store (Config).
//
// Reading takes a regular file only: a FIFO or a device in its place would
// block start-up or feed it endless data.
//
// Writing happens on a thread of its own. A change is handed over at once and
// its caller never waits for the medium: a write flushes the file and its
// folder, which took a second and a half on the device's flash at a print's
// end, on the GUI thread. The writer starts on a change as soon as it is
// free; changes that come while it writes are carried by its next write, so a
// burst costs two writes and a steady stream of changes is still written,
// once per write's duration. Each write replaces the file atomically.
class SettingsFile {
public:
    enum class ReadStatus {
        Missing,    // nothing at the path
        Read,       // `text` holds the file
        TooLarge,   // a regular file larger than asked for
        Unreadable, // not a regular file, or it could not be opened or read
    };
    struct ReadResult {
        ReadStatus status = ReadStatus::Missing;
        QByteArray text;
        QString problem; // why it is Unreadable or TooLarge
    };
    static ReadResult read(const QString &path, qint64 maxBytes);

    // What one write puts where. An empty path writes nothing: the file is
    // left as it is.
    struct Snapshot {
        QString path;
        QByteArray text;
    };

    // Starts the writer thread. `take` is called on it, once per write, for
    // the document as it is at that moment.
    explicit SettingsFile(std::function<Snapshot()> take);
    // Writes what changed and has not been written yet, then ends the thread.
    ~SettingsFile();

    SettingsFile(const SettingsFile &) = delete;
    SettingsFile &operator=(const SettingsFile &) = delete;

    // A change of the document; returns at once.
    void changed();

    // Waits at most `limitMs` until the file holds every change made before
    // the call. False when it does not: the limit passed, the write failed or
    // the file is left alone.
    bool waitWritten(int limitMs);

private:
    void writerLoop();
    static bool write(const Snapshot &snapshot);

    const std::function<Snapshot()> m_take;
    std::mutex m_mutex;
    std::condition_variable m_wake;    // the writer waits here for changes
    std::condition_variable m_written; // waitWritten waits here for writes
    std::uint64_t m_changes = 0;       // changes made so far
    std::uint64_t m_writtenUpTo = 0;   // of those, the ones a write has carried
    bool m_lastWriteOk = true;
    bool m_stopping = false;
    std::thread m_thread; // last: it starts once the rest is set up
};
