#include "statuspoller.h"

#include "boardrequest.h"
#include "serialobject.h"
#include "stringbrevik.h"

namespace {
// A sensor that reports a fault must not stop a print: it reads as present.
StatusReading::Filament filamentReading(const QString &reply)
{
    switch (StringBrevik::filamentState(reply)) {
    case StringBrevik::Filament::Present:
    case StringBrevik::Filament::SensorFault:
        return StatusReading::Filament::Present;
    case StringBrevik::Filament::Absent:
        return StatusReading::Filament::Absent;
    case StringBrevik::Filament::Unknown:
        break;
    }
    return StatusReading::Filament::Unknown;
}
} // namespace

StatusPoller::StatusPoller(SerialObject *link, QObject *parent) : QObject(parent), m_link(link)
{
    qRegisterMetaType<StatusReading>();
}

bool StatusPoller::request(Extras extras)
{
    if (m_round)
        return false;
    QStringList commands{QStringLiteral("M105")};
    if (extras.endStops)
        commands << QStringLiteral("M119");
    if (extras.extruder)
        commands << QStringLiteral("M114");
    if (extras.filament)
        commands << QStringLiteral("M113");
    BoardRequest *round = m_link->request(commands, this);
    m_round = round;
    connect(round, &BoardRequest::finished, this, [this, round] { answered(round->commands(), round->replies()); });
    return true;
}

// The link stops a round at the first query the board did not answer; what
// was asked and not answered reads as a failed exchange.
void StatusPoller::answered(const QStringList &commands, const QStringList &replies)
{
    m_round = nullptr;
    const QString failed = QString::fromLatin1(StringBrevik::kSendFailed);
    StatusReading reading;
    for (int i = 0; i < commands.size(); ++i) {
        const QString &command = commands.at(i);
        const QString reply = i < replies.size() ? replies.at(i) : failed;
        if (command == QLatin1String("M105")) {
            StringBrevik::Temperatures t;
            if (StringBrevik::temperatures(reply, t)) {
                reading.temperaturesRead = true;
                reading.nozzle = t.nozzle;
                reading.nozzleTarget = t.nozzleTarget;
                reading.bed = t.bed;
                reading.bedTarget = t.bedTarget;
            }
        } else if (command == QLatin1String("M119")) {
            reading.endStops = reply;
        } else if (command == QLatin1String("M114")) {
            reading.extruderRead = StringBrevik::positionE(reply, reading.extruder);
        } else {
            reading.filament = filamentReading(reply);
        }
    }
    emit polled(reading);
}
