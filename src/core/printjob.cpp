#include "printjob.h"

#include "config.h"
#include "getconfigfile.h"
#include "printfileheader.h"
#include "resumeprintconfigsavefile.h"
#include "serialobject.h"
#include "stringbrevik.h"
#include "timescale.h"

#include <QDebug>
#include <QFile>

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace {
// Command-buffer slots of the board; a board that reports more free slots
// has more.
constexpr int kBoardQueueSlots = 16;
constexpr int kHeatPollMs = 1000;
constexpr double kProgressStep = 0.01;

const char *giveUpReason(SerialObject::Failure failure)
{
    switch (failure) {
    case SerialObject::Failure::MightRunTwice:
        return "the link stopped: the board may have run the line without answering, and running it twice would "
               "move the machine";
    case SerialObject::Failure::NeverAcknowledged:
        return "the board answers but never acknowledged the line";
    case SerialObject::Failure::QueueStuck:
        return "the board's queue stopped draining";
    case SerialObject::Failure::Stopped:
        return "an urgent stop came before the line was answered";
    case SerialObject::Failure::BoardSilent:
    case SerialObject::Failure::None:
        break;
    }
    return "the board stopped answering";
}
} // namespace

PrintJob::PrintJob(SerialObject &link, QString path)
    : m_link(link), m_path(std::move(path)), m_boardCapacity(kBoardQueueSlots)
{
}

PrintJob::~PrintJob()
{
    stopSaver();
    if (m_file)
        std::fclose(m_file);
    std::free(m_lineBuffer);
}

bool PrintJob::openFile()
{
    m_file = std::fopen(QFile::encodeName(m_path).constData(), "rbe");
    if (!m_file) {
        qCritical() << "PrintJob: cannot open" << m_path << std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (fstat(fileno(m_file), &st) != 0)
        return false;
    if (PrintFileHeader::isHeadedForEngine(m_path)) {
        GXFileHeader header;
        if (!PrintFileHeader::read(m_path, header) || header.gcodeStart > static_cast<unsigned long long>(st.st_size)) {
            qCritical() << "PrintJob: header of" << m_path << "points past the end of the file";
            return false;
        }
        m_startOffset = header.gcodeStart;
    } else if (PrintFileHeader::isHeadedForPages(m_path)) {
        GXFileHeader header;
        if (PrintFileHeader::read(m_path, header) && header.gcodeStart >= sizeof(GXFileHeader)
            && header.gcodeStart <= static_cast<unsigned long long>(st.st_size))
            m_gcodeStart = header.gcodeStart;
    }
    return true;
}

long long PrintJob::countLines()
{
    if (fseeko(m_file, m_startOffset, SEEK_SET) != 0)
        return -1;
    long long lines = 0;
    char buf[64 * 1024];
    char last = '\n';
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, m_file)) > 0) {
        for (const char *p = buf; (p = static_cast<const char *>(std::memchr(p, '\n', buf + n - p))); ++p)
            ++lines;
        last = buf[n - 1];
    }
    if (last != '\n')
        ++lines;
    if (fseeko(m_file, m_startOffset, SEEK_SET) != 0)
        return -1;
    m_readOffset = m_startOffset;
    return lines;
}

bool PrintJob::nextLine(std::string &raw)
{
    const ssize_t n = getline(&m_lineBuffer, &m_lineCapacity, m_file);
    if (n < 0)
        return false;
    // The line that holds the image's last bytes keeps its number but only
    // the G-code part, which the filter would otherwise drop with the image.
    const long long begin = m_readOffset;
    m_readOffset += n;
    const long long skip = m_gcodeStart > begin && m_gcodeStart < m_readOffset ? m_gcodeStart - begin : 0;
    raw.assign(m_lineBuffer + skip, static_cast<size_t>(n - skip));
    return true;
}

bool PrintJob::send(const std::string &command)
{
    for (;;) {
        const std::string reply = m_link.sendFlowControlled(command);
        if (StringBrevik::commandTaken(reply)) {
            trackInFlight(command, reply);
            return true;
        }
        // A full queue behind a long heat-up or dwell is normal: the line was
        // not sent and waits on as long as the board answers.
        const bool bufferWait = reply == StringBrevik::kGpioMutexTimeout || reply == StringBrevik::kStatusCheckFailed;
        if (bufferWait && !quitRequested()
            && !StringBrevik::isFailure(m_link.serialCheckCode(QStringLiteral("M105"))))
            continue;
        // The link finds out what the board did with a line whose reply was
        // lost; a board that no longer answers, or a line it may have run
        // and whose repeat would move the machine, ends the job.
        if (!quitRequested()) {
            qCritical() << "PrintJob: the print is given up:" << giveUpReason(m_link.lastFailure()) << "-"
                        << command.c_str() << reply.c_str();
            m_linkDead = true;
        }
        return false;
    }
}

// The board holds the newest (capacity - free slots) slot-taking commands;
// everything sent before them has run.
void PrintJob::trackInFlight(const std::string &command, const std::string &reply)
{
    if (Gcode::takesBoardSlot(Gcode::commandWord(command)))
        m_inFlight.push_back(m_sendingLine);
    int freeCount;
    if (!StringBrevik::firstNumber(reply, freeCount))
        return; // unknown: keep all, an older record is the safe side
    m_boardCapacity = std::max(m_boardCapacity, freeCount);
    // Some boards free a move's slot when it starts: the move in progress is
    // one more that has not surely run. Running a move twice on a resume is
    // harmless, skipping the rest of one is not.
    const size_t held = static_cast<size_t>(m_boardCapacity - freeCount) + 1;
    while (m_inFlight.size() > held)
        m_inFlight.pop_front();
}

long long PrintJob::lastLineSurelyRun() const
{
    return m_inFlight.empty() ? m_sendingLine - 1 : m_inFlight.front() - 1;
}

bool PrintJob::sendTracked(const std::string &command)
{
    if (!send(command))
        return false;
    m_state.track(command);
    const std::string word = Gcode::commandWord(command);
    if (word == "M104" || word == "M109")
        m_link.m_nozzleTarget.store(m_state.nozzleTarget);
    else if (word == "M140" || word == "M190")
        m_link.m_bedTarget.store(m_state.bedTarget);
    return true;
}

void PrintJob::reportProgress(long long linesDone)
{
    if (m_totalLines <= 0)
        return;
    const float progress = static_cast<float>(static_cast<double>(linesDone) / m_totalLines);
    {
        std::lock_guard<std::mutex> lock(m_link.m_print.mutex);
        m_link.m_print.progress = progress;
    }
    if (progress - m_lastReportedProgress > kProgressStep) {
        m_lastReportedProgress = progress;
        emit m_link.sendPrintPersent(progress);
    }
}

bool PrintJob::quitRequested()
{
    std::lock_guard<std::mutex> lock(m_link.m_print.mutex);
    return m_link.m_print.quitRequested;
}

bool PrintJob::serviceRequests()
{
    bool pause;
    {
        std::lock_guard<std::mutex> lock(m_link.m_print.mutex);
        if (m_link.m_print.quitRequested)
            return false;
        pause = m_link.m_print.pauseRequested;
    }
    return pause ? pauseAndWait() : true;
}

bool PrintJob::pauseAndWait()
{
    int nozzle, bed;
    {
        std::unique_lock<std::mutex> lock(m_link.m_print.mutex);
        m_link.m_print.paused = true;
        m_link.m_print.resumeRequested = false;
        m_link.m_print.keptNozzleTarget = m_link.m_nozzleTarget.load();
        m_link.m_print.keptBedTarget = m_link.m_bedTarget.load();
    }
    const ParkPlaces places = parkPlaces();
    if (!parkAt(places.pauseX, places.pauseY, places))
        return false;
    emit m_link.printPause();
    {
        std::unique_lock<std::mutex> lock(m_link.m_print.mutex);
        m_link.m_print.wake.wait(lock, [this] {
            return m_link.m_print.resumeRequested || m_link.m_print.quitRequested;
        });
        if (m_link.m_print.quitRequested)
            return false;
        nozzle = m_link.m_print.keptNozzleTarget;
        bed = m_link.m_print.keptBedTarget;
    }
    if (!resumeMotion(nozzle, bed))
        return false;
    {
        std::lock_guard<std::mutex> lock(m_link.m_print.mutex);
        m_link.m_print.paused = false;
        m_link.m_print.pauseRequested = false;
        m_link.m_print.resumeRequested = false;
    }
    emit m_link.printResume();
    return true;
}

ParkPlaces PrintJob::parkPlaces()
{
    std::lock_guard<std::mutex> lock(m_link.m_print.mutex);
    return m_link.m_print.park;
}

// The head goes up clear of the print, then across, in absolute mode. The
// height is taken from the last move sent, where the board's queue ends:
// the head may still be far below it. Sent like the file's lines, waiting
// for room on the board, and left out of the stream's state, which the
// resume goes back to.
bool PrintJob::parkAt(double x, double y, const ParkPlaces &places)
{
    using Gcode::formatNumber;
    const double z = std::min(std::max(m_state.z + places.lift, 0.0), places.zMax);
    return send("G90") && send("G1 Z" + formatNumber(z) + " F300")
           && send("G1 X" + formatNumber(x) + " Y" + formatNumber(y) + " F2000");
}

// The file has ended: the heaters go off (kept by the link until the board
// takes them) and the head parks at the end point.
bool PrintJob::parkAtEnd()
{
    m_link.stopHalvorIIHeating();
    const ParkPlaces places = parkPlaces();
    return parkAt(places.endX, places.endY, places);
}

// Heats back to the kept targets, waits until both are within 2 degrees and
// puts the head, the extruder and the modes back where the file left them.
bool PrintJob::resumeMotion(int nozzleTarget, int bedTarget)
{
    if (nozzleTarget > 0 && !send("M104 S" + std::to_string(nozzleTarget) + " T0"))
        return false;
    if (bedTarget > 0 && !send("M140 S" + std::to_string(bedTarget)))
        return false;
    m_link.m_nozzleTarget.store(nozzleTarget);
    m_link.m_bedTarget.store(bedTarget);
    for (;;) {
        if (quitRequested())
            return false;
        StringBrevik::Temperatures t;
        const QString reply = m_link.serialCheckCode(QStringLiteral("M105"));
        if (StringBrevik::temperatures(reply, t) && t.nozzle >= nozzleTarget - 2
            && (bedTarget <= 0 || t.bed >= bedTarget - 2))
            break;
        TimeScale::sleepMs(kHeatPollMs);
    }
    using Gcode::formatNumber;
    std::vector<std::string> commands = {
        "M17",
        "G90",
        "G1 X" + formatNumber(m_state.x) + " Y" + formatNumber(m_state.y) + " F3000",
        "G1 Z" + formatNumber(m_state.z) + " F300",
        "G92 E" + formatNumber(m_state.e),
    };
    return sendWithModes(commands);
}

// Sends `commands`, then puts back the file's positioning modes and feed rate.
bool PrintJob::sendWithModes(std::vector<std::string> commands)
{
    if (!m_state.absoluteXYZ)
        commands.push_back("G91");
    else if (!m_state.absoluteE)
        commands.push_back("M83");
    if (m_state.sentFeed > 0)
        commands.push_back("G1 F" + Gcode::formatNumber(m_state.sentFeed));
    for (const std::string &c : commands) {
        if (!send(c))
            return false;
    }
    return true;
}

void PrintJob::replayTo(long long line)
{
    PrintingAdjust adjust;
    m_link.getPrintingAdjust(adjust);
    std::string raw, command;
    for (long long n = 1; n <= line && nextLine(raw); ++n) {
        if (!Gcode::filterLine(raw.data(), raw.size(), command) || Gcode::commandWord(command) == "M25")
            continue;
        m_state.track(Gcode::applyAdjustments(command, adjust, m_state));
    }
}

// After a power loss the printing page has homed X and Y and lifted the head
// 10 mm above where it stopped; tell the board where Z and E are and go back.
bool PrintJob::restoreAfterPowerLoss()
{
    using Gcode::formatNumber;
    std::vector<std::string> commands = {
        "G90",
        "G92 Z" + formatNumber(m_state.z + 10) + " E" + formatNumber(m_state.e),
        "G1 X" + formatNumber(m_state.x) + " Y" + formatNumber(m_state.y) + " F3000",
        "G1 Z" + formatNumber(m_state.z) + " F300",
    };
    if (!m_state.fanCommand.empty())
        commands.push_back(m_state.fanCommand);
    return sendWithModes(commands);
}

PrintJob::Outcome PrintJob::stream(long long firstLine)
{
    std::string raw, command;
    long long lineNumber = firstLine - 1;
    m_sendingLine = firstLine;
    reportProgress(lineNumber);
    while (nextLine(raw)) {
        ++lineNumber;
        if (!serviceRequests())
            return Outcome::Quit;
        m_sendingLine = lineNumber;
        if (Gcode::filterLine(raw.data(), raw.size(), command)) {
            if (Gcode::commandWord(command) == "M25") {
                {
                    std::lock_guard<std::mutex> lock(m_link.m_print.mutex);
                    m_link.m_print.pauseRequested = true;
                }
                emit m_link.readM25();
            } else {
                PrintingAdjust adjust;
                m_link.getPrintingAdjust(adjust);
                if (!sendTracked(Gcode::applyAdjustments(command, adjust, m_state)))
                    return Outcome::Quit;
            }
        }
        m_sendingLine = lineNumber + 1;
        for (const QString &deferred : m_link.takeDeferredCommands()) {
            if (!sendTracked(deferred.toStdString()))
                return Outcome::Quit;
        }
        {
            std::lock_guard<std::mutex> lock(m_saverMutex);
            m_completedLine = lastLineSurelyRun();
        }
        reportProgress(lineNumber);
    }
    return Outcome::Over;
}

void PrintJob::run()
{
    long long resumeLine;
    {
        std::lock_guard<std::mutex> lock(m_link.m_print.mutex);
        resumeLine = m_link.m_print.resumeLine;
        m_link.m_print.resumeLine = 0;
    }
    if (!openFile() || (m_totalLines = countLines()) < 0) {
        emit m_link.printQuit();
        return;
    }
    m_sendingLine = resumeLine + 1;
    if (resumeLine > 0) {
        replayTo(resumeLine);
        if (!restoreAfterPowerLoss()) {
            emit m_link.printQuit();
            return;
        }
    }
    startSaver();
    Outcome outcome = stream(resumeLine + 1);
    stopSaver();
    // Targets the user set during the last lines still go out before the
    // page hears that the file is done.
    for (const QString &deferred : m_link.endJob()) {
        if (outcome == Outcome::Over && !send(deferred.toStdString()))
            outcome = Outcome::Quit;
    }
    if (outcome == Outcome::Over && !parkAtEnd())
        outcome = Outcome::Quit;
    // A print given up must not leave the heaters on: the link sends the
    // heater-off once the board answers again.
    if (m_linkDead)
        m_link.stopHalvorIIHeating();
    if (outcome == Outcome::Over)
        emit m_link.printOver();
    else
        emit m_link.printQuit();
}

void PrintJob::startSaver()
{
    if (!getConfigFile()->configFile()->getPowerOffResumePrintStatus())
        return;
    m_saver = std::thread(&PrintJob::saverLoop, this);
}

void PrintJob::stopSaver()
{
    if (!m_saver.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(m_saverMutex);
        m_saverStop = true;
    }
    m_saverWake.notify_all();
    m_saver.join();
}

// Writes the number of the last line the board confirmed, once a second when
// it changed, so that a print can go on after a power loss.
void PrintJob::saverLoop()
{
    long long saved = -1;
    std::unique_lock<std::mutex> lock(m_saverMutex);
    for (;;) {
        const long long line = m_completedLine;
        if (line != saved && line > 0) {
            lock.unlock();
            if (FILESNAMESPACE::ResumePrintConfigSaveFile()->saveLine(line))
                saved = line;
            lock.lock();
        }
        if (m_saverStop)
            return;
        m_saverWake.wait_for(lock, std::chrono::milliseconds(TimeScale::ms(1000)));
    }
}
