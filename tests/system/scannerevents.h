#pragma once

#include <QByteArray>
#include <QString>

#include <linux/input.h>
#include <sys/time.h>

// What a USB barcode scanner sends for a code: per character a key press and
// release framed by sync reports, capitals under the left shift key, then
// Enter. Characters without a key of their own here are sent as '-'.
namespace ScannerEvents {

inline void add(QByteArray &out, unsigned short type, unsigned short code, int value)
{
    struct input_event event {};
    gettimeofday(&event.time, nullptr);
    event.type = type;
    event.code = code;
    event.value = value;
    out.append(reinterpret_cast<const char *>(&event), sizeof(event));
}

inline void key(QByteArray &out, unsigned short code, int value)
{
    add(out, EV_MSC, MSC_SCAN, 0x70000 + code);
    add(out, EV_KEY, code, value);
    add(out, EV_SYN, SYN_REPORT, 0);
}

inline unsigned short keyCode(QChar c)
{
    static const char *const rows[] = {"1234567890", "qwertyuiop", "asdfghjkl", "zxcvbnm"};
    static const unsigned short firsts[] = {KEY_1, KEY_Q, KEY_A, KEY_Z};
    const char lower = c.toLower().toLatin1();
    for (int r = 0; r < 4; ++r)
        for (int i = 0; rows[r][i]; ++i)
            if (rows[r][i] == lower)
                return static_cast<unsigned short>(firsts[r] + i);
    return KEY_MINUS;
}

// `text`, then Enter; `repeats` auto-repeat events for each key.
inline QByteArray typed(const QString &text, int repeats = 0)
{
    QByteArray out;
    for (QChar c : text) {
        const bool shifted = c.isUpper();
        if (shifted)
            key(out, KEY_LEFTSHIFT, 1);
        key(out, keyCode(c), 1);
        for (int i = 0; i < repeats; ++i)
            key(out, keyCode(c), 2);
        key(out, keyCode(c), 0);
        if (shifted)
            key(out, KEY_LEFTSHIFT, 0);
    }
    key(out, KEY_ENTER, 1);
    key(out, KEY_ENTER, 0);
    return out;
}

} // namespace ScannerEvents
