#pragma once

#include <QByteArray>
#include <QList>

// One command line of the LAN protocol: a tilde, G or M, a number and
// optional arguments, e.g. "~M28 1024 0:/user/part.gx".
struct LanCommand {
    char letter = 0;   // 'G' or 'M'
    int number = -1;
    QByteArray args;   // everything after the number, trimmed

    QByteArray name() const; // "M28"
};

// False for anything that is not such a line (the terminator already removed).
bool parseLanCommand(const QByteArray &line, LanCommand *command);

// Replies open with "CMD <name> Received." and close with "ok"; failures
// carry one "Error: ..." line in between, so a client can always read up to
// the closing "ok".
QByteArray lanReplyOpen(const QByteArray &name);
QByteArray lanReplyLine(const QByteArray &text);
QByteArray lanReplyClose();
QByteArray lanReply(const QByteArray &name, const QList<QByteArray> &lines = {});
QByteArray lanErrorReply(const QByteArray &name, const QByteArray &reason);
