#include "buzzerplay.h"

#include "sysfsfile.h"
#include "sysroot.h"
#include "timescale.h"

#include <QDebug>
#include <QDir>

#include <chrono>
#include <map>
#include <memory>

namespace {

const size_t kMaxQueued = 8;

// Note frequencies in Hz.
enum : int {
    REST = 0,
    C4 = 262, DS4 = 311, G4 = 392,
    C5 = 523, D5 = 587, E5 = 659, F5 = 698, G5 = 784, A5 = 880, B5 = 988, C6 = 1047,
};

} // namespace

std::vector<buzzerPlay::Note> buzzerPlay::tune(TuneId id)
{
    switch (id) {
    case TUNE_ERROR: // three low, insistent beeps
        return {{G4, 180}, {REST, 70}, {G4, 180}, {REST, 70}, {C4, 450}};
    case TUNE_PRINT_DONE: // rising major arpeggio with a held top note
        return {{C5, 150}, {E5, 150}, {G5, 150}, {C6, 500}};
    case TUNE_STARTUP:
        return {{G4, 120}, {C5, 120}, {E5, 120}, {G5, 300}};
    case TUNE_ZORUVORI_TV:
        return {{E5, 120}, {D5, 120}, {C5, 120}, {D5, 120}, {E5, 120}, {E5, 120}, {E5, 260}};
    case TUNE_TAVREL_5TH: // three short notes and a long one a third below
        return {{G4, 140}, {REST, 30}, {G4, 140}, {REST, 30}, {G4, 140}, {DS4, 600}};
    case TUNE_FILAMENT_START: // two quick high pips
        return {{A5, 90}, {REST, 60}, {A5, 90}};
    case TUNE_PAUSE: // falling pair
        return {{E5, 200}, {C5, 300}};
    case TUNE_VESKOR_STARTUP:
        return {{C5, 100}, {D5, 100}, {F5, 100}, {A5, 100}, {B5, 120}, {C6, 300}};
    }
    return {};
}

buzzerPlay *buzzerPlay::getInstance(std::string pwm)
{
    static std::mutex instancesMutex;
    static std::map<std::string, std::unique_ptr<buzzerPlay>> instances;
    std::lock_guard<std::mutex> lock(instancesMutex);
    std::unique_ptr<buzzerPlay> &slot = instances[pwm];
    if (!slot)
        slot.reset(new buzzerPlay(pwm));
    return slot.get();
}

buzzerPlay::buzzerPlay(const std::string &pwm)
    : m_chipPath(SysRoot::path(QStringLiteral("/sys/class/pwm/pwmchip0")))
{
    // "pwm1" names channel 1 of the chip.
    const QString name = QString::fromStdString(pwm);
    m_channel = name.startsWith(QLatin1String("pwm")) ? name.mid(3) : name;
    m_channelPath = m_chipPath + QStringLiteral("/pwm") + m_channel;
}

buzzerPlay::~buzzerPlay()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void buzzerPlay::start()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_thread.joinable())
        return;
    m_thread = std::thread(&buzzerPlay::run, this);
}

void buzzerPlay::play(TuneId id)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_queue.size() >= kMaxQueued) {
            qWarning() << "buzzerPlay::play queue full, tune dropped:" << id;
            return;
        }
        m_queue.push_back(id);
        ++m_queuedTotal;
    }
    m_wake.notify_all();
}

bool buzzerPlay::waitIdle(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_idle.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                           [this] { return m_queue.empty() && !m_playing; });
}

void buzzerPlay::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        const TuneId id = m_queue.front();
        m_queue.pop_front();
        m_playing = true;
        lock.unlock();

        if (exportChannel()) {
            for (const Note &note : tune(id)) {
                if (note.frequencyHz > 0)
                    sound(note);
                else
                    silence();
                if (!pause(note.durationMs))
                    break;
            }
            silence();
        }

        lock.lock();
        m_playing = false;
        if (m_queue.empty())
            m_idle.notify_all();
    }
}

bool buzzerPlay::exportChannel()
{
    if (QDir(m_channelPath).exists())
        return true;
    if (SysfsFile::write(m_chipPath + QStringLiteral("/export"), m_channel.toLatin1()))
        return true;
    qWarning() << "buzzerPlay::exportChannel cannot export PWM channel" << m_channel;
    return false;
}

void buzzerPlay::sound(const Note &note)
{
    const qint64 periodNs = 1000000000LL / note.frequencyHz;
    // The duty cycle may never exceed the period: clear it before a shorter
    // period goes in.
    SysfsFile::write(m_channelPath + QStringLiteral("/duty_cycle"), "0");
    SysfsFile::write(m_channelPath + QStringLiteral("/period"), QByteArray::number(periodNs));
    SysfsFile::write(m_channelPath + QStringLiteral("/duty_cycle"), QByteArray::number(periodNs / 2));
    SysfsFile::write(m_channelPath + QStringLiteral("/enable"), "1");
}

void buzzerPlay::silence()
{
    SysfsFile::write(m_channelPath + QStringLiteral("/enable"), "0");
}

bool buzzerPlay::pause(int durationMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(TimeScale::ms(durationMs)),
                            [this] { return m_stopping; });
}
