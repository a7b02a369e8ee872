#include "boardrequest.h"

BoardRequest::BoardRequest(const QStringList &commands, QObject *parent) : QObject(parent), m_commands(commands) {}

void BoardRequest::finish(Outcome outcome, const QStringList &replies)
{
    if (isFinished())
        return;
    m_outcome = outcome;
    m_replies = replies;
    emit finished();
    deleteLater();
}
