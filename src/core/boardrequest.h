#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The outcome of a command, or of a sequence of commands that belong
// together, handed to the printer link from the GUI thread. The link runs it
// in order on a thread of its own; finished() arrives queued on the GUI thread
// once the board has taken every command, or once one of them was not taken
// (the rest are then not sent). The request deletes itself after finished().
class BoardRequest : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Pending,
        Taken,     // the board took every command
        NotTaken,  // a command was not taken: it and the ones after it did not run
        Cancelled, // a stop came first: what was not yet written was dropped, but for the safety commands
    };

    explicit BoardRequest(const QStringList &commands, QObject *parent = nullptr);

    QStringList commands() const { return m_commands; }
    Outcome outcome() const { return m_outcome; }
    bool isFinished() const { return m_outcome != Outcome::Pending; }
    bool taken() const { return m_outcome == Outcome::Taken; }
    // The board's replies to the commands it took, in order.
    QStringList replies() const { return m_replies; }
    // The reply to the last command (a query's answer), empty when not taken.
    QString reply() const { return taken() && !m_replies.isEmpty() ? m_replies.last() : QString(); }

    // Called by the link on the GUI thread.
    void finish(Outcome outcome, const QStringList &replies);

signals:
    void finished();

private:
    QStringList m_commands;
    Outcome m_outcome = Outcome::Pending;
    QStringList m_replies;
};
