#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The program's log file /opt/PROGRAM/log/<program>.log. Each line reads
// "yyyy.MM.dd hh:mm:ss.zzz <LEVEL> message" in UTC. Before a write the file
// rotates at a size limit into <name>.log.1 (newest) .. <name>.log.9 (oldest).
// Thread-safe.
namespace Log {

enum class Level { Debug, Warning, Critical, Fatal };

// The lowest level kept for a command-line argument "-1" .. "-4" (debug,
// warning, critical, fatal); anything else keeps critical and above.
Level levelFromArgument(const QString &argument);

// Opens the log. `options` are the command-line arguments after the program
// name: the first selects the level, a second "-D" routes Qt's messages into
// the file (otherwise they keep going to standard error). `program` names the
// file; empty means QCoreApplication::applicationName(). Returns false, with
// the reason in `error`, when the file cannot be opened.
bool open(const QStringList &options, const QString &program = QString(), QString *error = nullptr);

// Closes the file and gives Qt's messages back to the previous handler.
void close();

// Writes one line when `type` is at or above the chosen level.
void write(QtMsgType type, const QString &message);

// The file in use ("" when closed).
QString filePath();

// The size at which the file rotates (1,024,000 bytes unless changed).
void setRotationSize(qint64 bytes);

} // namespace Log
