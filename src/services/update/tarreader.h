#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

struct gzFile_s;

// Reads a gzip-compressed tar archive (ustar, pax or GNU long names) member
// by member through zlib. Every header is checked as it is read: a damaged
// header, a member that is neither a regular file nor a folder, and a name
// that is absolute or has a ".." component end the reading.
class TarReader {
public:
    struct Member {
        QString path; // relative, checked ("./a/b" -> "a/b"; empty for "." itself)
        bool directory = false;
        bool executable = false;
        qint64 size = 0;
    };

    explicit TarReader(const QString &archive);
    ~TarReader();
    TarReader(const TarReader &) = delete;
    TarReader &operator=(const TarReader &) = delete;

    bool isOpen() const { return m_file != nullptr; }

    // The next member: 1, 0 at the end of the archive, -1 when refused.
    int next(Member &member, QString &error);

    // Reads a member's data (and its padding) into `out` and hands it to
    // `sink` block by block, or skips it when neither is given.
    bool readData(qint64 size, QByteArray *out, const std::function<bool(const char *, int)> &sink = {});

    // True when the compressed stream ended cleanly (its checksum included).
    bool streamIntact();

private:
    bool readExact(char *buffer, int size);

    gzFile_s *m_file = nullptr;
};
