#include "boundedlinereader.h"

#include <QIODevice>

BoundedLineReader::BoundedLineReader(QIODevice &device, int maxLineBytes)
    : m_device(device), m_maxLineBytes(maxLineBytes)
{
}

bool BoundedLineReader::atEnd() const
{
    return m_device.atEnd();
}

QByteArray BoundedLineReader::readLine()
{
    QByteArray line(m_maxLineBytes + 1, Qt::Uninitialized);
    const qint64 got = m_device.readLine(line.data(), line.size());
    line.truncate(got > 0 ? int(got) : 0);
    if (!line.endsWith('\n'))
        skipLine();
    return line;
}

void BoundedLineReader::skipLine()
{
    char chunk[4096];
    while (!m_device.atEnd()) {
        const qint64 got = m_device.readLine(chunk, sizeof chunk);
        if (got <= 0 || chunk[got - 1] == '\n')
            return;
    }
}
