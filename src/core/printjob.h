#pragma once

#include "gcodeline.h"

#include <QString>

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class SerialObject;
struct ParkPlaces;

// One run of the print engine over one file, on the print thread: counting,
// streaming with the live adjustments, pause and resume, power-loss replay and
// the power-loss record saver. Talks to the GUI only through the link's
// signals.
class PrintJob {
public:
    PrintJob(SerialObject &link, QString path);
    ~PrintJob();
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    void run();

private:
    enum class Outcome { Over, Quit };

    bool openFile();
    long long countLines();
    bool nextLine(std::string &raw);
    Outcome stream(long long firstLine);
    void replayTo(long long line);
    bool restoreAfterPowerLoss();
    bool sendWithModes(std::vector<std::string> commands);
    bool send(const std::string &command);
    void trackInFlight(const std::string &command, const std::string &reply);
    long long lastLineSurelyRun() const;
    bool sendTracked(const std::string &command);
    void reportProgress(long long linesDone);

    // Returns false when the job must quit.
    bool serviceRequests();
    bool pauseAndWait();
    bool resumeMotion(int nozzleTarget, int bedTarget);
    ParkPlaces parkPlaces();
    bool parkAt(double x, double y, const ParkPlaces &places);
    bool parkAtEnd();
    bool quitRequested();

    void startSaver();
    void stopSaver();
    void saverLoop();

    SerialObject &m_link;
    QString m_path;
    FILE *m_file = nullptr;
    long long m_startOffset = 0;
    // A headed file streamed from byte 0 starts a new line at its G-code;
    // the image in front never ends with a newline of its own.
    long long m_gcodeStart = 0;
    long long m_readOffset = 0;
    long long m_totalLines = 0;
    char *m_lineBuffer = nullptr;
    size_t m_lineCapacity = 0;
    GcodeState m_state;
    float m_lastReportedProgress = 0;
    bool m_linkDead = false;
    // The file line the commands being sent belong to, and the lines of the
    // slot-taking commands the board may still hold or still run, oldest first.
    long long m_sendingLine = 1;
    std::deque<long long> m_inFlight;
    int m_boardCapacity;

    std::mutex m_saverMutex;
    std::condition_variable m_saverWake;
    bool m_saverStop = false;
    long long m_completedLine = 0; // every line up to it has run; guarded by m_saverMutex
    std::thread m_saver;
};
