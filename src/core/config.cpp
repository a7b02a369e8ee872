#include "config.h"

#include "atomicfile.h"
#include "filestamp.h"
#include "jsontext.h"
#include "stepspermm.h"
#include "sysroot.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

const char *const kGeneral = "general";
const char *const kNetwork = "network";
const char *const kTemperature = "temperature";
const char *const kAutoCalibration = "autoCalibration";

const char *const kAutoPointKeys[] = {"point1", "point2", "point3", "point4", "point5",
                                      "point6", "point7", "point8", "point9"};

// How long flush() and reload() wait for the writer: far beyond a write's
// time on the device (a second and a half at worst), short of hanging a
// caller on a medium that stopped answering.
constexpr int kFlushLimitMs = 30000;

// Far more than every setting the program has; a larger file is not ours.
constexpr qint64 kMaxSettingsBytes = 256 * 1024;

QString settingsPath()
{
    return SysRoot::path(QStringLiteral("/opt/PROGRAM/config/config.json"));
}

} // namespace

Config *Config::getInstance()
{
    static Config instance;
    return &instance;
}

Config::Config()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    takePath();
    loadLocked();
}

bool Config::flush()
{
    return m_file.waitWritten(kFlushLimitMs);
}

void Config::reload()
{
    m_file.waitWritten(kFlushLimitMs);
    std::lock_guard<std::mutex> lock(m_mutex);
    takePath();
    loadLocked();
}

void Config::takePath()
{
    m_path = settingsPath();
    m_rootDir = SysRoot::root();
}

void Config::loadLocked()
{
    m_root = Json::Value(Json::objectValue);
    m_writable = true;
    const QString path = m_path;
    const SettingsFile::ReadResult file = SettingsFile::read(path, kMaxSettingsBytes);
    QString problem = file.problem;
    switch (file.status) {
    case SettingsFile::ReadStatus::Missing:
        return; // a fresh machine: the defaults are written as they are asked for
    case SettingsFile::ReadStatus::Unreadable:
        // Not read is not corrupt: the file may well hold the language, the
        // serial number and the steps per mm. This run keeps the defaults in
        // memory and leaves the file as it is for the next start.
        m_writable = false;
        qWarning() << "Config::loadLocked cannot read the settings file" << path << problem
                   << "- running on the defaults without saving";
        return;
    case SettingsFile::ReadStatus::TooLarge:
        break;
    case SettingsFile::ReadStatus::Read: {
        Json::Value parsed;
        std::string error;
        if (JsonText::parse(file.text.constData(), file.text.constData() + file.text.size(), parsed, error)
            && parsed.isObject()) {
            m_root = parsed;
            return;
        }
        problem = error.empty() ? QStringLiteral("not a JSON object") : QString::fromStdString(error).trimmed();
        break;
    }
    }
    // Keep the damaged file for inspection and start from the defaults,
    // which the next getter or setter writes back.
    const QString aside = path + QStringLiteral(".corrupt");
    QFile::remove(aside);
    QFile::rename(path, aside);
    qWarning() << "Config::loadLocked unusable settings file moved to" << aside << problem << "- using defaults";
}

void Config::changedLocked()
{
    m_file.changed();
}

SettingsFile::Snapshot Config::snapshot()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // A test's system root, removed with its file, is not created again.
    if (!m_writable || (!m_rootDir.isEmpty() && !QFileInfo::exists(m_rootDir)))
        return {};
    return {m_path, QByteArray::fromStdString(m_root.toStyledString())};
}

Json::Value &Config::sectionLocked(const char *section)
{
    // A section that is not an object cannot hold settings; it is replaced.
    if (!m_root[section].isObject())
        m_root[section] = Json::Value(Json::objectValue);
    return m_root[section];
}

const Json::Value &Config::valueLocked(const char *section, const char *key, Kind kind,
                                       const Json::Value &fallback)
{
    Json::Value &sectionValue = sectionLocked(section);
    const Json::Value *found = sectionValue.find(key, key + std::strlen(key));
    bool usable = false;
    if (found) {
        switch (kind) {
        case Kind::Bool: usable = found->isBool(); break;
        case Kind::Int: usable = found->isInt(); break;
        case Kind::Number: usable = found->isNumeric() && !found->isBool(); break;
        case Kind::String: usable = found->isString(); break;
        }
    }
    if (usable)
        return *found;
    if (found)
        qWarning() << "Config::valueLocked" << section << key << "has the wrong type, using the default";
    sectionValue[key] = fallback;
    changedLocked();
    return sectionValue[key];
}

Json::Value Config::value(const char *section, const char *key, Kind kind, const Json::Value &fallback)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return valueLocked(section, key, kind, fallback);
}

void Config::setValue(const char *section, const char *key, const Json::Value &v)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    sectionLocked(section)[key] = v;
    changedLocked();
}

bool Config::getBuzzerStatus() { return value(kGeneral, "buzzerStatus", Kind::Bool, true).asBool(); }
void Config::setBuzzerStatus(bool on) { setValue(kGeneral, "buzzerStatus", on); }
bool Config::getFilamentDetect() { return value(kGeneral, "filamentDetect", Kind::Bool, true).asBool(); }
void Config::setFilamentDetect(bool on) { setValue(kGeneral, "filamentDetect", on); }
bool Config::getLedStatus() { return value(kGeneral, "ledStatus", Kind::Bool, true).asBool(); }
void Config::setLedStatus(bool on) { setValue(kGeneral, "ledStatus", on); }

bool Config::getPowerOffResumePrintStatus()
{
    return value(kGeneral, "powerOffResumePrintStatus", Kind::Bool, true).asBool();
}

void Config::setPowerOffResumePrintStatus(bool on)
{
    setValue(kGeneral, "powerOffResumePrintStatus", on);
}

std::string Config::getPrinterLanguage()
{
    return value(kGeneral, "printerLanguage", Kind::String, "english").asString();
}

void Config::setPrinterLanguage(const std::string &language) { setValue(kGeneral, "printerLanguage", language); }

namespace {
// `text` without control and format characters (line breaks, bidirectional
// overrides and isolates, zero-width marks), line and paragraph separators
// and lone surrogates.
QString drawnCharacters(const QString &text)
{
    QString out;
    for (const uint c : text.toUcs4()) {
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            break;
        default:
            out += QString::fromUcs4(&c, 1);
        }
    }
    return out;
}
} // namespace

// The serial number is drawn on the screens and named to the slicer, one
// line each: what was stored by other means comes back without line breaks,
// bidirectional overrides or other characters that are not drawn.
std::string Config::getPrinterSerialNumber()
{
    const std::string stored = value(kGeneral, "printerSerialNumber", Kind::String, "123456").asString();
    return drawnCharacters(QString::fromStdString(stored)).toStdString();
}

void Config::setPrinterSerialNumber(const std::string &serialNumber)
{
    setValue(kGeneral, "printerSerialNumber", serialNumber);
}

// A count of minutes is never negative: a negative stored one reads as 0.
int Config::getPrinterTotalTime()
{
    return std::max(0, value(kGeneral, "printerTotalTime", Kind::Int, 0).asInt());
}

void Config::setPrinterTotalTime(int minutes)
{
    // Read and add under one lock so that concurrent additions are not lost;
    // a negative stored count starts from 0, as it reads.
    std::lock_guard<std::mutex> lock(m_mutex);
    const qint64 total = std::max(0, valueLocked(kGeneral, "printerTotalTime", Kind::Int, 0).asInt());
    // The count stops at the largest it can hold instead of wrapping round.
    sectionLocked(kGeneral)["printerTotalTime"] =
        static_cast<int>(qBound<qint64>(0, total + minutes, std::numeric_limits<int>::max()));
    changedLocked();
}

// Seconds printed are never negative: a negative stored count reads as 0.
int Config::getPowerOffResumePrintTime()
{
    return std::max(0, value(kGeneral, "powerOffResumePrintTime", Kind::Int, 0).asInt());
}

void Config::setPowerOffResumePrintTime(int seconds) { setValue(kGeneral, "powerOffResumePrintTime", seconds); }

std::string Config::getPowerOffResumePrintFileName()
{
    return value(kGeneral, "powerOffResumePrintFileName", Kind::String, "").asString();
}

void Config::setPowerOffResumePrintFileName(const std::string &fileName)
{
    setValue(kGeneral, "powerOffResumePrintFileName", fileName);
}

void Config::setPrintDetail(int extruderTemp, int plateTemp, int printSpeed, int zOffset)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Json::Value &general = sectionLocked(kGeneral);
    general["tmpExtruderTemp"] = extruderTemp;
    general["tmpPlateTemp"] = plateTemp;
    general["printSpeed"] = printSpeed;
    general["zOffset"] = zOffset;
    changedLocked();
}

int Config::getExtruderTemp() { return value(kGeneral, "tmpExtruderTemp", Kind::Int, 0).asInt(); }
int Config::getPlateTemp() { return value(kGeneral, "tmpPlateTemp", Kind::Int, 0).asInt(); }
int Config::getPrintSpeed() { return value(kGeneral, "printSpeed", Kind::Int, 0).asInt(); }
int Config::getZOffset() { return value(kGeneral, "zOffset", Kind::Int, 0).asInt(); }

bool Config::getMotorStatus() { return value(kGeneral, "motor", Kind::Bool, false).asBool(); }
void Config::setMotorStatus(bool on) { setValue(kGeneral, "motor", on); }

bool Config::getAutoSwitch() { return value(kAutoCalibration, "status", Kind::Bool, false).asBool(); }
void Config::setAutoSwitch(bool on) { setValue(kAutoCalibration, "status", on); }

float Config::getAutoPoint(int index)
{
    if (index < 1 || index > 9)
        return 0.0f;
    return value(kAutoCalibration, kAutoPointKeys[index - 1], Kind::Number, 0.0).asFloat();
}

void Config::setAutoPoint(int index, float z)
{
    setValue(kAutoCalibration, kAutoPointKeys[index - 1], static_cast<double>(z));
}

int Config::getPLANozzleTemperature()
{
    return value(kTemperature, "PLANozzleTemperature", Kind::Int, 200).asInt();
}

void Config::setPLANozzleTemperature(int celsius) { setValue(kTemperature, "PLANozzleTemperature", celsius); }

int Config::getPLAPlatformTemperature()
{
    return value(kTemperature, "PLAPlatformTemperature", Kind::Int, 60).asInt();
}

void Config::setPLAPlatformTemperature(int celsius) { setValue(kTemperature, "PLAPlatformTemperature", celsius); }

int Config::getABSNozzleTemperature()
{
    return value(kTemperature, "ABSNozzleTemperature", Kind::Int, 230).asInt();
}

void Config::setABSNozzleTemperature(int celsius) { setValue(kTemperature, "ABSNozzleTemperature", celsius); }

int Config::getABSPlatformTemperature()
{
    return value(kTemperature, "ABSPlatformTemperature", Kind::Int, 100).asInt();
}

void Config::setABSPlatformTemperature(int celsius) { setValue(kTemperature, "ABSPlatformTemperature", celsius); }

int Config::getTransmissionRatioX()
{
    return value(kGeneral, "ratioX", Kind::Int, StepsPerMm::range(StepsPerMm::Axis::X).factory).asInt();
}
int Config::getTransmissionRatioY()
{
    return value(kGeneral, "ratioY", Kind::Int, StepsPerMm::range(StepsPerMm::Axis::Y).factory).asInt();
}
int Config::getTransmissionRatioZ()
{
    return value(kGeneral, "ratioZ", Kind::Int, StepsPerMm::range(StepsPerMm::Axis::Z).factory).asInt();
}
int Config::getTransmissionRatioE()
{
    return value(kGeneral, "ratioE", Kind::Int, StepsPerMm::range(StepsPerMm::Axis::E).factory).asInt();
}

void Config::setTransmissionRatio(int x, int y, int z, int e)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Json::Value &general = sectionLocked(kGeneral);
    general["ratioX"] = x;
    general["ratioY"] = y;
    general["ratioZ"] = z;
    general["ratioE"] = e;
    changedLocked();
}

bool Config::getWifiStationStatus() { return value(kNetwork, "wifiStationStatus", Kind::Bool, false).asBool(); }
void Config::setWifiStationStatus(bool on) { setValue(kNetwork, "wifiStationStatus", on); }
bool Config::getWifiHotspotStatus() { return value(kNetwork, "wifiHotspotStatus", Kind::Bool, false).asBool(); }
void Config::setWifiHotspotStatus(bool on) { setValue(kNetwork, "wifiHotspotStatus", on); }
bool Config::getEthernetStatus() { return value(kNetwork, "ethernetStatus", Kind::Bool, false).asBool(); }
void Config::setEthernetStatus(bool on) { setValue(kNetwork, "ethernetStatus", on); }

std::string Config::getUpdateServer()
{
    return value(kNetwork, "updateServer", Kind::String, "https://update.example.com").asString();
}

void Config::setUpdateServer(const std::string &url) { setValue(kNetwork, "updateServer", url); }

double Config::getFilamentCumulative()
{
    return value(kGeneral, "filamentCumulative", Kind::Number, 0.0).asDouble();
}

void Config::setFilamentCumulative(double millimetres) { setValue(kGeneral, "filamentCumulative", millimetres); }

std::string Config::getModifyTime()
{
    return value(kGeneral, "modifyTime", Kind::String, "202001010101.01").asString();
}

void Config::setModifyTime(const std::string &stamp) { setValue(kGeneral, "modifyTime", stamp); }

bool Config::updateFileModifyTime(const std::string &path)
{
    return FileStamp::stampNewFile(path, FileStamp::Counter::Settings);
}
