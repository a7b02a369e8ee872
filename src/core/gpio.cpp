#include "gpio.h"

#include "sysfsfile.h"
#include "sysroot.h"
#include "timescale.h"

#include <QDebug>
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace {
QString gpioFolder()
{
    return SysRoot::path(QStringLiteral("/sys/class/gpio"));
}
} // namespace

Gpio::Gpio(int pin)
    : m_pin(pin)
{
}

Gpio::~Gpio()
{
    if (m_valueFd >= 0)
        ::close(m_valueFd);
}

QString Gpio::pinFolder() const
{
    return gpioFolder() + QStringLiteral("/gpio") + QString::number(m_pin);
}

QString Gpio::attributePath(const char *attribute) const
{
    return pinFolder() + QLatin1Char('/') + QLatin1String(attribute);
}

int Gpio::parseLevel(char c)
{
    if (c == '0')
        return 0;
    if (c == '1')
        return 1;
    return -1;
}

bool Gpio::exportPin()
{
    if (QDir(pinFolder()).exists())
        return true;
    // The kernel refuses a second export (EBUSY) although the pin is usable,
    // so the folder decides, not the write.
    const bool written = SysfsFile::write(gpioFolder() + QStringLiteral("/export"), QByteArray::number(m_pin));
    if (!written && !QDir(pinFolder()).exists()) {
        qWarning() << "Gpio::exportPin cannot export pin" << m_pin;
        return false;
    }
    return true;
}

bool Gpio::setDirection(Direction direction)
{
    const bool ok = SysfsFile::write(attributePath("direction"), direction == Direction::Out ? "out" : "in");
    if (!ok)
        qWarning() << "Gpio::setDirection failed for pin" << m_pin;
    return ok;
}

bool Gpio::setEdge(const QString &edge)
{
    const bool ok = SysfsFile::write(attributePath("edge"), edge.toLatin1());
    if (!ok)
        qWarning() << "Gpio::setEdge failed for pin" << m_pin << edge;
    return ok;
}

int Gpio::value() const
{
    QByteArray text;
    if (!SysfsFile::read(attributePath("value"), &text) || text.isEmpty())
        return -1;
    return parseLevel(text.at(0));
}

bool Gpio::setValue(int level)
{
    const bool ok = SysfsFile::write(attributePath("value"), level ? "1" : "0");
    if (!ok)
        qWarning() << "Gpio::setValue failed for pin" << m_pin;
    return ok;
}

bool Gpio::pulse(int ms)
{
    if (!exportPin() || !setDirection(Direction::Out) || !setValue(1))
        return false;
    TimeScale::sleepMs(ms);
    return setValue(0);
}

int Gpio::openValueFd()
{
    if (m_valueFd < 0)
        m_valueFd = ::open(QFile::encodeName(attributePath("value")).constData(), O_RDONLY | O_CLOEXEC);
    if (m_valueFd < 0)
        qWarning() << "Gpio::openValueFd cannot open the value of pin" << m_pin;
    return m_valueFd;
}

int Gpio::readValue()
{
    if (m_valueFd < 0)
        m_valueFd = ::open(QFile::encodeName(attributePath("value")).constData(), O_RDONLY | O_CLOEXEC);
    if (m_valueFd < 0)
        return -1;
    char c = 0;
    if (::pread(m_valueFd, &c, 1, 0) != 1)
        return -1;
    return parseLevel(c);
}
