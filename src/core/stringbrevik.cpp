#include "stringbrevik.h"

#include "boardreplies.h"

#include <QRegExp>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cmath>

namespace StringBrevik {

const char *const kSendFailed = "send failed.";
const char *const kGpioMutexTimeout = "m_gpio_mutex timeout";
const char *const kStatusCheckFailed = "statusCheck failed";
const char *const kParseResultFailed = "Send failed for parseResult.";

bool isFailure(const QString &reply)
{
    const QString r = reply.trimmed();
    return r.isEmpty() || r == QLatin1String(kSendFailed) || r == QLatin1String(kGpioMutexTimeout)
           || r == QLatin1String(kStatusCheckFailed) || r == QLatin1String(kParseResultFailed);
}

bool isFailure(const std::string &reply)
{
    size_t begin = 0, end = reply.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(reply[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(reply[end - 1])))
        --end;
    const std::string r = reply.substr(begin, end - begin);
    return r.empty() || r == kSendFailed || r == kGpioMutexTimeout || r == kStatusCheckFailed || r == kParseResultFailed;
}

bool commandTaken(const QString &reply)
{
    return !isFailure(reply) || reply.trimmed() == QLatin1String(kParseResultFailed);
}

bool commandTaken(const std::string &reply)
{
    return !isFailure(reply) || reply == kParseResultFailed;
}

// The print loop reads every reply: this one allocates nothing.
bool firstNumber(const std::string &reply, int &number)
{
    size_t i = 0;
    long value = 0;
    while (i < reply.size() && i < 9 && std::isdigit(static_cast<unsigned char>(reply[i])))
        value = value * 10 + (reply[i++] - '0');
    if (i == 0 || (i < reply.size() && reply[i] != ' ' && reply[i] != '\r'))
        return false;
    number = static_cast<int>(value);
    return true;
}

bool firstNumber(const QString &reply, int &number)
{
    return firstNumber(reply.toStdString(), number);
}

namespace {
QStringList positionPieces(const QString &reply)
{
    return reply.trimmed().split(QRegExp(QStringLiteral("[ :]")), Qt::SkipEmptyParts);
}

bool pieceValue(const QStringList &pieces, int labelIndex, const char *label, float &value)
{
    if (pieces.size() <= labelIndex + 1 || pieces.at(labelIndex) != QLatin1String(label))
        return false;
    bool ok = false;
    const float read = pieces.at(labelIndex + 1).toFloat(&ok);
    // "nan" and "inf" read as floats, but no board position is one.
    if (!ok || !std::isfinite(read))
        return false;
    value = read;
    return true;
}
} // namespace

bool positionXYZ(const QString &reply, float &x, float &y, float &z)
{
    if (isFailure(reply))
        return false;
    const QStringList p = positionPieces(reply);
    float px, py, pz;
    if (!pieceValue(p, 1, "X", px) || !pieceValue(p, 3, "Y", py) || !pieceValue(p, 5, "Z", pz))
        return false;
    x = px;
    y = py;
    z = pz;
    return true;
}

bool positionE(const QString &reply, float &e)
{
    if (isFailure(reply))
        return false;
    return pieceValue(positionPieces(reply), 7, "E", e);
}

bool isMotionIdle(const QString &reply)
{
    if (isFailure(reply))
        return false;
    const QStringList fields = reply.split(QLatin1Char(' '));
    return fields.size() > 1 && fields.at(1).trimmed() == QLatin1String("F");
}

Filament filamentState(const QString &reply)
{
    if (isFailure(reply))
        return Filament::Unknown;
    const QStringList fields = reply.trimmed().split(QLatin1Char(' '));
    if (fields.size() < 2)
        return Filament::Unknown;
    const QString word = fields.at(1).trimmed();
    if (word == QLatin1String("T"))
        return Filament::Present;
    if (word == QLatin1String("F"))
        return Filament::Absent;
    if (word == QLatin1String("Fail"))
        return Filament::SensorFault;
    return Filament::Unknown;
}

QString firmwareVersion(const QString &reply)
{
    if (isFailure(reply))
        return QString();
    const QStringList fields = reply.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() < 2 || fields.at(1).size() <= 2)
        return QString();
    return fields.at(1).mid(2);
}

bool temperatures(const QString &reply, Temperatures &out)
{
    if (isFailure(reply))
        return false;
    static const QRegExp pattern(QStringLiteral("(?:\\d+ )?(?:ok +)?T0?: *(-?\\d+(?:\\.\\d+)?) */ *((?:0|[1-9]\\d*)(?:\\.\\d+)?)"
                                                " +B: *(-?\\d+(?:\\.\\d+)?) */ *((?:0|[1-9]\\d*)(?:\\.\\d+)?)[ \\r]*"));
    QRegExp rx(pattern);
    if (!rx.exactMatch(reply))
        return false;
    Temperatures t;
    bool ok1, ok2, ok3, ok4;
    t.nozzle = rx.cap(1).toFloat(&ok1);
    t.nozzleTarget = rx.cap(2).toFloat(&ok2);
    t.bed = rx.cap(3).toFloat(&ok3);
    t.bedTarget = rx.cap(4).toFloat(&ok4);
    if (!(ok1 && ok2 && ok3 && ok4) || !std::isfinite(t.nozzle) || !std::isfinite(t.nozzleTarget)
        || !std::isfinite(t.bed) || !std::isfinite(t.bedTarget))
        return false;
    out = t;
    return true;
}

bool endStops(const QString &reply, EndStops &out)
{
    if (isFailure(reply))
        return false;
    static const QRegExp pattern(QStringLiteral("(?:\\d+ )?(?:ok +)?X: *([01]) +Y: *([01]) +Z: *([01])[ \\r]*"));
    QRegExp rx(pattern);
    if (!rx.exactMatch(reply))
        return false;
    out.x = rx.cap(1) == QLatin1String("1");
    out.y = rx.cap(2) == QLatin1String("1");
    out.z = rx.cap(3) == QLatin1String("1");
    return true;
}

bool hasKnownShape(const std::string &reply)
{
    const std::vector<Reply> replies = readReplies(reply);
    return std::all_of(replies.begin(), replies.end(), [](const Reply &r) { return r.readable(); });
}

} // namespace StringBrevik
