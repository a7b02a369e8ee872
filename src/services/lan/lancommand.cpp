#include "lancommand.h"

namespace {
// Four digits cover every G and M code and keep the number far from overflow.
constexpr int kMaxDigits = 4;

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

QByteArray LanCommand::name() const
{
    return QByteArray(1, letter) + QByteArray::number(number);
}

bool parseLanCommand(const QByteArray &line, LanCommand *command)
{
    if (line.size() < 3 || line.at(0) != '~')
        return false;
    const char letter = line.at(1);
    if (letter != 'G' && letter != 'M')
        return false;
    int pos = 2;
    int number = 0;
    while (pos < line.size() && isDigit(line.at(pos))) {
        if (pos - 2 == kMaxDigits)
            return false;
        number = number * 10 + (line.at(pos) - '0');
        ++pos;
    }
    if (pos == 2 || (pos < line.size() && !isBlank(line.at(pos))))
        return false;
    command->letter = letter;
    command->number = number;
    command->args = line.mid(pos).trimmed();
    return true;
}

QByteArray lanReplyOpen(const QByteArray &name)
{
    return "CMD " + name + " Received.\r\n";
}

QByteArray lanReplyLine(const QByteArray &text)
{
    return text + "\r\n";
}

QByteArray lanReplyClose()
{
    return "ok\r\n";
}

QByteArray lanReply(const QByteArray &name, const QList<QByteArray> &lines)
{
    QByteArray reply = lanReplyOpen(name);
    for (const QByteArray &line : lines)
        reply += lanReplyLine(line);
    return reply + lanReplyClose();
}

QByteArray lanErrorReply(const QByteArray &name, const QByteArray &reason)
{
    return lanReply(name, {"Error: " + reason});
}
