#pragma once

#include <json/json.h>

#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

// The settings store: /opt/PROGRAM/config/config.json, one getter and one
// setter per key. The parsed document stays in memory and every read comes
// from it; the whole file is rewritten (styled JSON, replaced atomically),
// and a getter that finds its key missing or of the wrong type writes the
// default back, so the file always lists every setting the program has asked
// for.
//
// Writes are coalesced: a print start or a page changes many settings within
// a few seconds, and each write flushes the medium. The first change of a
// burst schedules one write a moment later on the store's writer thread,
// which then carries every change made meanwhile. What a power cut must not
// take (the print to resume, steps per mm, the serial number, the file order
// counter) is written before its setter returns, together with anything
// still waiting. Pending changes are written before a reload and when the
// process ends.
// A file that is read but is not valid settings is moved aside (".corrupt")
// and the defaults take its place; a file that cannot be read at all is left
// as it is: the run keeps the defaults in memory and saves nothing.
// All operations are safe to call from any thread.
class Config {
public:
    static Config *getInstance();
    ~Config();

    // Writes pending changes at once (the file is replaced when this returns).
    void flush();

    // Writes pending changes, then reads the file again (the store only reads
    // it at construction); used when the system root changes under a running
    // process, as in tests.
    void reload();

    bool getBuzzerStatus();
    void setBuzzerStatus(bool on);
    bool getFilamentDetect();
    void setFilamentDetect(bool on);
    bool getLedStatus();
    void setLedStatus(bool on);
    bool getPowerOffResumePrintStatus();
    void setPowerOffResumePrintStatus(bool on);

    std::string getPrinterLanguage();
    void setPrinterLanguage(const std::string &language);
    std::string getPrinterSerialNumber();
    void setPrinterSerialNumber(const std::string &serialNumber);

    // Minutes of printing so far; the setter adds its argument.
    int getPrinterTotalTime();
    void setPrinterTotalTime(int minutes);

    // The print to offer again after a power loss.
    int getPowerOffResumePrintTime();
    void setPowerOffResumePrintTime(int seconds);
    std::string getPowerOffResumePrintFileName();
    void setPowerOffResumePrintFileName(const std::string &fileName);

    // The adjustments of the running print, stored together in one write.
    void setPrintDetail(int extruderTemp, int plateTemp, int printSpeed, int zOffset);
    int getExtruderTemp();
    int getPlateTemp();
    int getPrintSpeed();
    int getZOffset();

    bool getMotorStatus();
    void setMotorStatus(bool on);

    // Nine-point bed calibration.
    bool getAutoSwitch();
    void setAutoSwitch(bool on);
    float getAutoPoint(int index); // index 1..9; 0 for any other index
    void setAutoPoint1(float z) { setAutoPoint(1, z); }
    void setAutoPoint2(float z) { setAutoPoint(2, z); }
    void setAutoPoint3(float z) { setAutoPoint(3, z); }
    void setAutoPoint4(float z) { setAutoPoint(4, z); }
    void setAutoPoint5(float z) { setAutoPoint(5, z); }
    void setAutoPoint6(float z) { setAutoPoint(6, z); }
    void setAutoPoint7(float z) { setAutoPoint(7, z); }
    void setAutoPoint8(float z) { setAutoPoint(8, z); }
    void setAutoPoint9(float z) { setAutoPoint(9, z); }

    // Preheat presets.
    int getPLANozzleTemperature();
    void setPLANozzleTemperature(int celsius);
    int getPLAPlatformTemperature();
    void setPLAPlatformTemperature(int celsius);
    int getABSNozzleTemperature();
    void setABSNozzleTemperature(int celsius);
    int getABSPlatformTemperature();
    void setABSPlatformTemperature(int celsius);

    // Steps per millimetre, stored together in one write.
    int getTransmissionRatioX();
    int getTransmissionRatioY();
    int getTransmissionRatioZ();
    int getTransmissionRatioE();
    void setTransmissionRatio(int x, int y, int z, int e);

    bool getWifiStationStatus();
    void setWifiStationStatus(bool on);
    bool getWifiHotspotStatus();
    void setWifiHotspotStatus(bool on);
    bool getEthernetStatus();
    void setEthernetStatus(bool on);

    // The update server's base address ("https://host[:port]"), a setting of
    // the product rather than of the user.
    std::string getUpdateServer();
    void setUpdateServer(const std::string &url);

    // Extruder travel of all prints, in millimetres.
    double getFilamentCumulative();
    void setFilamentCumulative(double millimetres);

    // The settings counter of the file order stamps (a touch date such as
    // "202001010101.01"); see FileStamp.
    std::string getModifyTime();
    void setModifyTime(const std::string &stamp);

    // Gives a file that has just entered /data a stamp later than all before
    // it, from the settings counter. False when the file's time could not be set.
    bool updateFileModifyTime(const std::string &path);

private:
    Config();
    Config(const Config &) = delete;
    Config &operator=(const Config &) = delete;

    enum class Kind { Bool, Int, Number, String };
    // AtOnce: the setter returns after the file holds the value.
    enum class Write { Soon, AtOnce };

    Json::Value &sectionLocked(const char *section);
    // Returns the stored value, or stores and returns `fallback` when the key
    // is missing or not of `kind`. The caller holds m_mutex.
    const Json::Value &valueLocked(const char *section, const char *key, Kind kind,
                                   const Json::Value &fallback);
    Json::Value value(const char *section, const char *key, Kind kind, const Json::Value &fallback);
    void setValue(const char *section, const char *key, const Json::Value &v, Write when = Write::Soon);
    void setAutoPoint(int index, float z);

    void loadLocked();
    // Records a change of m_root; the writer thread writes it soon.
    void changedLocked();
    // Records a change and writes it before returning when `when` asks so.
    void changed(std::unique_lock<std::mutex> &lock, Write when);
    // Writes m_root when it holds unwritten changes; drops the lock while
    // the file is written, and returns after any write in progress is done.
    void writePending(std::unique_lock<std::mutex> &lock);
    // The same before the store lets go of its file (reload, exit), unless a
    // test's root has been removed with the file.
    void writePendingBeforeLeaving(std::unique_lock<std::mutex> &lock);
    void takePath();
    void writerLoop();

    std::mutex m_mutex; // the document and the write schedule
    Json::Value m_root;
    QString m_path; // where the document was read from and goes back to
    QString m_rootDir; // the system root of m_path ("" on the device)
    bool m_dirty = false;
    std::chrono::steady_clock::time_point m_due;
    bool m_stopping = false;
    std::condition_variable m_wake;
    std::thread m_writer;          // started with the first scheduled write
    std::mutex m_fileMutex;        // one file write at a time, taken before m_mutex
    // False while the file could not be read: it is then left untouched.
    bool m_writable = true;
};
