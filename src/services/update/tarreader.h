#pragma once

#include <QString>

#include <functional>

struct gzFile_s;

// Reads a gzip-compressed tar archive (ustar, pax or GNU long names) member
// by member, in one pass through zlib. It is the only reader of a package:
// whatever it hands out is all the archive holds, so what is checked and what
// is written cannot differ.
//
// Every header is checked as it is read: its checksum, its format, its
// numbers (without overflow) and its name. A member that is neither a regular
// file nor a folder, a name that is absolute or has a ".." component, a file
// named like the package folder itself ("." or "./"), a folder with data,
// extended headers that do not describe exactly one member, and anything but
// zeros after the archive's end all refuse the archive. Every byte the
// archive inflates to, headers and padding included, counts against
// `maxInflated` (the bytes the package may take).
class TarReader {
public:
    struct Member {
        QString path; // relative, checked ("./a/b" -> "a/b"; empty for the package folder itself)
        bool directory = false;
        bool executable = false;
        qint64 size = 0; // of a file's data; 0 for a folder
    };

    TarReader(const QString &archive, qint64 maxInflated);
    ~TarReader();
    TarReader(const TarReader &) = delete;
    TarReader &operator=(const TarReader &) = delete;

    bool isOpen() const { return m_file != nullptr; }

    // The next member: 1, 0 at the archive's end, -1 when refused.
    int next(Member &member, QString &error);

    // Hands the data of the member just returned by next() to `sink` piece by
    // piece and reads past its padding; false when the archive is refused or
    // `sink` returns false. Data not read this way is passed over by the next
    // call of next(), so the walk always stays on the headers.
    bool readData(const std::function<bool(const char *, int)> &sink, QString &error);

    // After next() returned 0: reads the rest of the stream, which may hold
    // only zeros, and checks that it ended cleanly (its checksum included).
    bool finish(QString &error);

private:
    enum class Failure { None, Truncated, Damaged, NotGzip, TooLarge };

    bool readExact(char *buffer, int size);
    // Reads `size` bytes, then the padding to the next block.
    bool readPadded(qint64 size, const std::function<bool(const char *, int)> &sink);
    QString failure(const QString &truncatedWhat) const;

    gzFile_s *m_file = nullptr;
    const qint64 m_maxInflated;
    qint64 m_inflated = 0;
    Failure m_failure = Failure::None;
    Member m_current;
    bool m_dataUnread = false; // m_current's data, still ahead of the next header
};
