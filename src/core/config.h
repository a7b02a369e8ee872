#pragma once

#include "settingsfile.h"

#include <json/json.h>

#include <QString>

#include <mutex>
#include <string>

// The settings store: /opt/PROGRAM/config/config.json, one getter and one
// setter per key. The parsed document stays in memory and every read comes
// from it; the whole file is rewritten (styled JSON, replaced atomically),
// and a getter that finds its key missing or of the wrong type writes the
// default back, so the file always lists every setting the program has asked
// for.
//
// A setter changes the document and hands the write to the store's writer
// thread at once (SettingsFile): the change is on the medium a moment later,
// and no caller, the GUI thread least of all, waits for the medium. Code that
// must know a value is on the medium waits for it with flush().
// A file that is read but is not valid settings is moved aside (".corrupt")
// and the defaults take its place; a file that cannot be read at all, or is
// not a regular file, is left as it is: the run keeps the defaults in memory
// and saves nothing.
// All operations are safe to call from any thread.
class Config {
public:
    static Config *getInstance();

    // Waits until the file holds every change made so far, for at most a
    // limit far beyond a write's time; true when it does. It waits for the
    // medium: settings need no flush() to be written.
    bool flush();

    // Waits for the writes of the changes made so far, then reads the file
    // again (the store only reads it at construction); used when the system
    // root changes under a running process, as in tests.
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

    Json::Value &sectionLocked(const char *section);
    // Returns the stored value, or stores and returns `fallback` when the key
    // is missing or not of `kind`. The caller holds m_mutex.
    const Json::Value &valueLocked(const char *section, const char *key, Kind kind,
                                   const Json::Value &fallback);
    Json::Value value(const char *section, const char *key, Kind kind, const Json::Value &fallback);
    void setValue(const char *section, const char *key, const Json::Value &v);
    void setAutoPoint(int index, float z);

    void loadLocked();
    // Records a change of m_root; the writer thread writes it at once.
    void changedLocked();
    // The document as the writer thread is to write it (on that thread).
    SettingsFile::Snapshot snapshot();
    void takePath();

    std::mutex m_mutex; // the document and where it goes
    Json::Value m_root;
    QString m_path; // where the document was read from and goes back to
    QString m_rootDir; // the system root of m_path ("" on the device)
    // False while the file could not be read: it is then left untouched.
    bool m_writable = true;
    // Last, so that it is destroyed first: its last write reads the members
    // above.
    SettingsFile m_file{[this] { return snapshot(); }};
};
