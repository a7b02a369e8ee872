#pragma once

#include <QString>
#include <QtGlobal>

#include <atomic>

// Counts, while it lives, the log messages that contain `text`, from any
// thread, and passes every message on to the handler it replaced. One at a
// time: Qt keeps a single handler.
class LogCounter {
public:
    explicit LogCounter(const QString &text)
    {
        s_text = text;
        s_count = 0;
        s_previous = qInstallMessageHandler(&handle);
    }
    ~LogCounter() { qInstallMessageHandler(s_previous); }
    LogCounter(const LogCounter &) = delete;
    LogCounter &operator=(const LogCounter &) = delete;

    int count() const { return s_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (message.contains(s_text))
            ++s_count;
        s_previous(type, context, message);
    }

    static inline QString s_text;
    static inline std::atomic<int> s_count{0};
    static inline QtMessageHandler s_previous = nullptr;
};
