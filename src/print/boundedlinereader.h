#pragma once

#include <QByteArray>

class QIODevice;

// Reads text lines from a device without ever holding more than a fixed
// number of bytes of one line. Print files are not trusted: a headed file's
// image bytes, or a broken file, can hold megabytes without a line feed.
class BoundedLineReader {
public:
    static constexpr int kDefaultMaxLineBytes = 64 * 1024;

    explicit BoundedLineReader(QIODevice &device, int maxLineBytes = kDefaultMaxLineBytes);

    bool atEnd() const;

    // The next line including its line feed (when it has one). Of a longer
    // line only the first maxLineBytes bytes are returned; the rest of it is
    // consumed, so the next call starts at the following line.
    QByteArray readLine();

    // Consumes everything up to and including the next line feed.
    void skipLine();

private:
    QIODevice &m_device;
    int m_maxLineBytes;
};
