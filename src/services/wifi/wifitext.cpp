#include "wifitext.h"

#include <QList>
#include <QRegularExpression>

#include <algorithm>

namespace WifiText {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decodes "\xHH" at text[i] into `out`; false when it is not one.
bool takeHexEscape(const std::string &text, size_t i, std::string &out)
{
    if (i + 3 >= text.size())
        return false;
    if (text[i] != '\\' || text[i + 1] != 'x')
        return false;
    const int high = hexValue(text[i + 2]), low = hexValue(text[i + 3]);
    if (high < 0 || low < 0)
        return false;
    out += static_cast<char>(high * 16 + low);
    return true;
}

// Where a scan cell states its security.
struct CellSecurity {
    bool encrypted = false;
    bool wpa = false;
    bool wpa2 = false;
    bool enterprise = false;

    std::string auth() const
    {
        if (!encrypted)
            return "none";
        if (enterprise)
            return "802.1X";
        if (wpa && wpa2)
            return "mixed";
        if (wpa2)
            return "WPA2";
        if (wpa)
            return "WPA";
        return "WEP";
    }
};

} // namespace

std::string decodeScanText(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (takeHexEscape(text, i, out))
            i += 3;
        else
            out += text[i];
    }
    return out;
}

std::string decodeReplyText(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        if (takeHexEscape(text, i, out)) {
            i += 3;
            continue;
        }
        const char next = text[++i];
        switch (next) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'e': out += '\033'; break;
        default: out += next; break; // \\ and \"
        }
    }
    return out;
}

std::list<WIFINAMESPACE::wifi_ap_t> parseScan(const QByteArray &output)
{
    static const QRegularExpression dbm(QStringLiteral("Signal level[=:]\\s*(-?\\d+)\\s*dBm"));
    static const QRegularExpression percent(QStringLiteral("Signal level[=:]\\s*(\\d+)/100"));

    std::vector<WIFINAMESPACE::wifi_ap_t> found;
    WIFINAMESPACE::wifi_ap_t cell;
    CellSecurity security;
    bool inCell = false;
    const auto finishCell = [&] {
        if (!inCell || cell.ssid.empty() || cell.ssid.size() > size_t(MaxSsidBytes))
            return;
        cell.auth = security.auth();
        auto same = std::find_if(found.begin(), found.end(),
                                 [&](const WIFINAMESPACE::wifi_ap_t &ap) { return ap.ssid == cell.ssid; });
        if (same == found.end())
            found.push_back(cell);
        else if (cell.quality > same->quality)
            *same = cell;
    };

    for (const QByteArray &rawLine : output.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith("Cell ")) {
            finishCell();
            cell = WIFINAMESPACE::wifi_ap_t();
            cell.quality = -200; // no level given: weaker than any real one
            security = CellSecurity();
            inCell = true;
        } else if (!inCell) {
            continue;
        } else if (line.startsWith("ESSID:\"")) {
            const int end = line.lastIndexOf('"');
            if (end > 6)
                cell.ssid = decodeScanText(line.mid(7, end - 7).toStdString());
        } else if (line.startsWith("Encryption key:")) {
            security.encrypted = line.endsWith("on");
        } else if (line.startsWith("IE: IEEE 802.11i/WPA2")) {
            security.wpa2 = true;
        } else if (line.startsWith("IE: WPA Version")) {
            security.wpa = true;
        } else if (line.startsWith("Authentication Suites") && line.toLower().contains("802.1x")) {
            security.enterprise = true;
        } else {
            const QString text = QString::fromLatin1(line);
            QRegularExpressionMatch match = dbm.match(text);
            if (match.hasMatch()) {
                cell.quality = match.captured(1).toInt();
            } else if ((match = percent.match(text)).hasMatch()) {
                cell.quality = match.captured(1).toInt() / 2 - 100;
            }
        }
    }
    finishCell();

    std::stable_sort(found.begin(), found.end(),
                     [](const WIFINAMESPACE::wifi_ap_t &a, const WIFINAMESPACE::wifi_ap_t &b) {
                         return a.quality > b.quality;
                     });
    std::list<WIFINAMESPACE::wifi_ap_t> result;
    for (WIFINAMESPACE::wifi_ap_t &ap : found) {
        ap.id = static_cast<int>(result.size());
        result.push_back(ap);
    }
    return result;
}

std::vector<SavedNetwork> parseNetworkList(const QByteArray &output)
{
    std::vector<SavedNetwork> networks;
    const QList<QByteArray> lines = output.split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split('\t');
        bool isId = false;
        const int id = fields.value(0).toInt(&isId);
        if (!isId || fields.size() < 2)
            continue;
        SavedNetwork network;
        network.id = id;
        network.ssid = decodeReplyText(fields.at(1).toStdString());
        network.flags = fields.value(3).trimmed().toStdString();
        networks.push_back(network);
    }
    return networks;
}

std::map<std::string, std::string> parseStatus(const QByteArray &output)
{
    std::map<std::string, std::string> values;
    for (const QByteArray &line : output.split('\n')) {
        const int equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const std::string key = line.left(equals).toStdString();
        const std::string value = line.mid(equals + 1).toStdString();
        values[key] = key == "ssid" ? decodeReplyText(value) : value;
    }
    return values;
}

bool fitsSsid(const QString &ssid)
{
    const int bytes = ssid.toUtf8().size();
    return bytes >= 1 && bytes <= MaxSsidBytes;
}

bool fitsQuotedValue(const QString &text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

QString ssidArgument(const QString &ssid)
{
    return QString::fromLatin1(ssid.toUtf8().toHex());
}

QString quotedArgument(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace WifiText
