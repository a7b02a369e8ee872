#pragma once

#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The buzzer on a sysfs PWM channel. Tunes are queued by play() and played by
// one worker thread, so a caller never waits for a tune to end.
class buzzerPlay {
public:
    enum TuneId {
        TUNE_ERROR = 0,
        TUNE_PRINT_DONE = 1,
        TUNE_STARTUP = 2,
        TUNE_ZORUVORI_TV = 3,
        TUNE_TAVREL_5TH = 4,
        TUNE_FILAMENT_START = 5,
        TUNE_PAUSE = 6,
        TUNE_VESKOR_STARTUP = 7,
    };

    struct Note {
        int frequencyHz; // 0 is a rest
        int durationMs;
    };

    // The one player of a PWM channel such as "pwm1" (channel 1 of pwmchip0).
    static buzzerPlay *getInstance(std::string pwm);

    // The notes of a tune; empty for an unknown id.
    static std::vector<Note> tune(TuneId id);

    // Starts the player thread; later calls do nothing.
    void start();

    // Queues a tune and returns at once. While the queue is full (a burst of
    // requests) further tunes are dropped rather than played minutes late.
    void play(TuneId id);

    // How many tunes play() has queued since the process started (dropped
    // ones not counted); what tests count a page's tunes by.
    int queuedTotal() const { return m_queuedTotal.load(); }

    // Waits until nothing is queued or playing; false on time-out.
    bool waitIdle(int timeoutMs);

    ~buzzerPlay();

private:
    explicit buzzerPlay(const std::string &pwm);
    buzzerPlay(const buzzerPlay &) = delete;
    buzzerPlay &operator=(const buzzerPlay &) = delete;

    void run();
    bool exportChannel();
    void sound(const Note &note);
    void silence();
    // Sleeps for a scaled duration; false when the player is stopping.
    bool pause(int durationMs);

    QString m_chipPath;
    QString m_channel;     // channel number as text, e.g. "1"
    QString m_channelPath; // the channel's folder, e.g. .../pwmchip0/pwm1

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<TuneId> m_queue;
    bool m_playing = false;
    bool m_stopping = false;
    std::atomic<int> m_queuedTotal{0};
    std::thread m_thread;
};
