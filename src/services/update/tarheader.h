#pragma once

#include <QByteArray>
#include <QString>

// The fields of one 512-byte tar header and of the pax records that may
// precede it, read without trusting any of them: numbers are range-checked
// before every step, so no header can overflow an integer.
namespace TarHeader {

constexpr int Block = 512;

enum class Format { Unknown, Posix, Gnu };

// POSIX ustar (pax builds on it) or GNU; older or foreign headers are Unknown.
Format format(const char *header);

// The stored sum equals the sum of the header's bytes taken as unsigned,
// its own field counted as spaces.
bool checksumMatches(const char *header);

char type(const char *header);
bool size(const char *header, qint64 &value);
bool mode(const char *header, qint64 &value);

// The member name: POSIX joins its prefix field, GNU has none.
QString name(const char *header, Format format);

bool allZero(const char *block, int size = Block);

// What extended headers say about the member that follows them.
struct Extended {
    bool hasPath = false;
    QString path;
    bool hasSize = false;
    qint64 size = 0;
};

// pax records "<length> <key>=<value>\n": "path" and "size" are taken,
// records that change how data is laid out (GNU sparse files) refuse the
// header, the rest only describe the file and are passed over.
bool parsePax(const QByteArray &records, Extended &extended, QString &error);

} // namespace TarHeader
