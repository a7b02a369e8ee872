#pragma once

#include <QString>
#include <QStringList>

#include <dlfcn.h>

// The test's side of the preloaded call recorder (callrecorder.cpp): the
// writes, flushes, renames and time changes of files under one folder, in the
// order they happened, as lines "write <path>", "flush <path>",
// "rename <from> -> <to>", "touch <path>", and "sync" for every sync().
namespace CallRecorder {

inline bool preloaded()
{
    return dlsym(RTLD_DEFAULT, "call_recorder_start") != nullptr;
}

// Starts a new record of the calls on files under `folder` (canonical path).
inline void start(const QString &folder)
{
    using Start = void (*)(const char *);
    if (auto start = reinterpret_cast<Start>(dlsym(RTLD_DEFAULT, "call_recorder_start")))
        start(folder.toLocal8Bit().constData());
}

// Every sync() from now on takes at least `ms` longer; 0: as long as the
// system's own.
inline void slowSyncs(unsigned ms)
{
    using Slow = void (*)(unsigned);
    if (auto slow = reinterpret_cast<Slow>(dlsym(RTLD_DEFAULT, "call_recorder_slow_syncs")))
        slow(ms);
}

inline QStringList recordOf(const char *symbol)
{
    using Record = const char *(*)();
    auto record = reinterpret_cast<Record>(dlsym(RTLD_DEFAULT, symbol));
    return record ? QString::fromLocal8Bit(record()).split('\n', Qt::SkipEmptyParts) : QStringList();
}

inline QStringList record()
{
    return recordOf("call_recorder_record");
}

// The calls of record() that the main thread, the GUI thread, made.
inline QStringList mainThreadRecord()
{
    return recordOf("call_recorder_main_thread_record");
}

// The flushes, renames and syncs of mainThreadRecord(): the steps of a write
// that wait for the medium or finish a write meant to survive a power cut.
inline QStringList mainThreadFlushesAndRenames()
{
    QStringList waits;
    for (const QString &call : mainThreadRecord())
        if (call.startsWith("flush ") || call.startsWith("rename ") || call == "sync")
            waits << call;
    return waits;
}

// How `target` came to be: empty when it was written, flushed and then
// renamed into place; otherwise what went wrong, with the record.
inline QString durablyReplaced(const QString &target)
{
    const QStringList calls = record();
    const QString dump = QStringLiteral("\n") + calls.join('\n');
    int renameAt = -1;
    QString temporary;
    for (int i = calls.size() - 1; i >= 0 && renameAt < 0; --i)
        if (calls[i].startsWith("rename ") && calls[i].endsWith(" -> " + target)) {
            renameAt = i;
            temporary = calls[i].mid(7, calls[i].size() - 7 - 4 - target.size());
        }
    if (renameAt < 0)
        return "no rename onto " + target + dump;
    const int lastWrite = calls.lastIndexOf("write " + temporary, renameAt);
    if (lastWrite < 0)
        return "nothing written to " + temporary + dump;
    const int flush = calls.indexOf("flush " + temporary, lastWrite);
    if (flush < 0 || flush > renameAt)
        return temporary + " not flushed between its last write and the rename" + dump;
    return QString();
}

} // namespace CallRecorder
