#pragma once

#include <QByteArray>
#include <QString>

// The target of one upload. Data go to a hidden temporary file in the data
// folder and take the real name only after commit(): an upload that fails,
// is cut off or never finishes leaves nothing that a file list would show.
class UploadFile {
public:
    explicit UploadFile(const QString &dataDir);
    ~UploadFile(); // discards an uncommitted upload
    UploadFile(const UploadFile &) = delete;
    UploadFile &operator=(const UploadFile &) = delete;

    // Creates the temporary file for the final name `name` (a checked plain
    // file name).
    bool open(const QString &name, QByteArray *error);
    bool write(const char *data, int size, QByteArray *error);

    // Flushes the data to the disk, gives the file its name and its order
    // stamp, and flushes the folder's new entry.
    bool commit(QByteArray *error);

    // Removes the temporary file; nothing happens after a commit.
    void discard();

    QString finalPath() const { return m_finalPath; }

    // Temporary files that a power cut left behind.
    static void removeLeftovers(const QString &dataDir);

private:
    QString m_dataDir;
    QString m_finalPath;
    QByteArray m_tempPath;
    int m_fd = -1;
};
