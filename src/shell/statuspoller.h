#pragma once

#include "boardrequest.h"

#include <QObject>
#include <QPointer>
#include <QString>

class SerialObject;

// One round of the main window's status poll, as read from the board.
struct StatusReading {
    bool temperaturesRead = false;
    float nozzle = 0, nozzleTarget = 0, bed = 0, bedTarget = 0;
    bool extruderRead = false;
    float extruder = 0;
    // The "M119" reply when end-stops were asked for (a failure text when
    // the board did not answer), empty otherwise.
    QString endStops;
    // "M113" when the filament sensor was asked for; a failed exchange
    // leaves it unknown.
    enum class Filament { NotRead, Unknown, Present, Absent };
    Filament filament = Filament::NotRead;
};
Q_DECLARE_METATYPE(StatusReading)

// The main window's once-a-second queries ("M105", and "M119", "M114" or
// "M113" when asked) as one request to the link, so that a silent board or a
// print thread in a long exchange never freezes the screen. A round asked
// for while the previous one is still on its way is dropped: ticks are
// skipped, never queued, and never more than one round is in flight.
class StatusPoller : public QObject {
    Q_OBJECT
public:
    explicit StatusPoller(SerialObject *link, QObject *parent = nullptr);

    struct Extras {
        bool endStops = false;
        bool extruder = false;
        bool filament = false;
    };
    // False when a round is still on its way.
    bool request(Extras extras);

signals:
    // Emitted on the GUI thread once the round is over.
    void polled(StatusReading reading);

private:
    void answered(const QStringList &commands, const QStringList &replies);

    SerialObject *m_link;
    QPointer<BoardRequest> m_round;
};
