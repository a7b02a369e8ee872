#include "keyeventreader.h"

#include <QDebug>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <system_error>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int EnterKey = 28;
constexpr int LedCount = 15;

KeyEventReader::keymap_t makeKeymap()
{
    KeyEventReader::keymap_t map;
    const char *rows[][2] = {{"\x02", "1234567890"}, {"\x10", "QWERTYUIOP"}, {"\x1e", "ASDFGHJKL"}, {"\x2c", "ZXCVBNM"}};
    for (const auto &row : rows) {
        int8_t code = static_cast<int8_t>(row[0][0]);
        for (const char *c = row[1]; *c; ++c)
            map[code++] = *c;
    }
    return map;
}

QString errorText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A real input device must offer key events; its LEDs are switched off so a
// scanner starts from a known state. FIFOs standing in for the device in a
// sandbox skip both (LED events written into a FIFO would be read back).
int prepareDevice(int fd)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return 0;
    unsigned long types = 0;
    if (::ioctl(fd, EVIOCGBIT(0, sizeof(types)), &types) < 0 || !(types & (1UL << EV_KEY))) {
        qWarning() << "Scanner: open device failed:" << errorText();
        return -EINVAL;
    }
    for (int led = 0; led < LedCount; ++led) {
        struct input_event event {};
        event.time.tv_sec = std::time(nullptr);
        event.type = EV_LED;
        event.code = static_cast<uint16_t>(led);
        event.value = 0;
        if (::write(fd, &event, sizeof(event)) != static_cast<ssize_t>(sizeof(event))) {
            const int error = errno;
            qWarning() << "Scanner: set device failed:" << errorText();
            return -error;
        }
    }
    return 0;
}

} // namespace

KeyEventReader::KeyEventReader() = default;

KeyEventReader::~KeyEventReader()
{
    stop();
}

const KeyEventReader::keymap_t &KeyEventReader::keymap()
{
    static const keymap_t map = makeKeymap();
    return map;
}

int KeyEventReader::start(const QString &dev, std::function<void(const QString &)> onCode,
                          std::function<void()> onTooLong)
{
    if (isRunning())
        return 1;
    const QByteArray path = QFile::encodeName(dev);
    if (::access(path.constData(), R_OK) != 0) {
        const int error = errno;
        qWarning() << "Scanner: device" << dev << "not exist";
        return -error;
    }
    m_fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        qWarning() << "Scanner: open device failed:" << errorText();
        return -error;
    }
    const int prepared = prepareDevice(m_fd);
    if (prepared < 0) {
        closeAll();
        return prepared;
    }
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC);
    if (m_wakeFd < 0) {
        qWarning() << "Scanner: start input event monitor thread failed:" << errorText();
        closeAll();
        return 0;
    }
    try {
        m_thread = std::thread(&KeyEventReader::run, this, std::move(onCode), std::move(onTooLong));
    } catch (const std::system_error &e) {
        qWarning() << "Scanner: start input event monitor thread failed:" << e.what();
        closeAll();
        return 0;
    }
    qDebug() << "Scanner: start input event monitor thread successfully";
    return 1;
}

void KeyEventReader::stop()
{
    if (m_thread.joinable()) {
        const uint64_t one = 1;
        if (::write(m_wakeFd, &one, sizeof(one)) < 0)
            qWarning() << "Scanner: cannot wake the reader:" << errorText();
        m_thread.join();
    }
    closeAll();
}

void KeyEventReader::closeAll()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
    m_fd = m_wakeFd = -1;
}

void KeyEventReader::run(std::function<void(const QString &)> onCode, std::function<void()> onTooLong)
{
    QString code;
    bool tooLong = false; // keys beyond the longest code were dropped
    struct input_event event {};
    size_t filled = 0; // a FIFO may hand over an event in pieces
    for (;;) {
        struct pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            qWarning() << "Scanner: reader ends:" << errorText();
            return;
        }
        if (fds[1].revents)
            return;
        const ssize_t n = ::read(m_fd, reinterpret_cast<char *>(&event) + filled, sizeof(event) - filled);
        if (n < 1) {
            qWarning() << "Scanner: reader ends, ret =" << n << errorText();
            return;
        }
        filled += static_cast<size_t>(n);
        if (filled < sizeof(event))
            continue;
        filled = 0;
        // Presses and auto-repeats of keys count; releases do not.
        if (event.type != EV_KEY || event.code >= 257 || event.value == 0)
            continue;
        if (event.code == EnterKey) {
            if (tooLong)
                onTooLong();
            else
                onCode(code);
            code.clear();
            tooLong = false;
            continue;
        }
        const auto key = keymap().find(static_cast<int8_t>(event.code));
        if (key == keymap().end())
            continue;
        if (code.size() < kMaxCodeLength)
            code += QLatin1Char(key->second);
        else
            tooLong = true;
    }
}
