#include "uploadname.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {
// The folder the slicer writes in front of every name.
const QByteArray kSlicerPrefix = "0:/user/";
constexpr int kMaxNameBytes = 255; // NAME_MAX of the data partition
} // namespace

bool isPrintFileName(const QString &name)
{
    static const QStringList suffixes = {"gcode", "g", "gx", "zuvrak"};
    const int dot = name.lastIndexOf('.');
    return dot > 0 && suffixes.contains(name.mid(dot + 1), Qt::CaseInsensitive);
}

QString lanFileName(const QByteArray &argument, QByteArray *error)
{
    QByteArray raw = argument;
    if (raw.startsWith(kSlicerPrefix))
        raw.remove(0, kSlicerPrefix.size());

    if (raw.isEmpty()) {
        *error = "empty file name";
        return QString();
    }
    if (raw.size() > kMaxNameBytes) {
        *error = "file name too long";
        return QString();
    }
    for (const char c : raw) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            *error = "control character in file name";
            return QString();
        }
    }
    if (raw.contains('/') || raw.startsWith('.')) {
        *error = "file name must be a plain name";
        return QString();
    }
    const QString name = QString::fromUtf8(raw);
    if (name.toUtf8() != raw) {
        *error = "file name is not UTF-8";
        return QString();
    }
    if (!isPrintFileName(name)) {
        *error = "not a print file";
        return QString();
    }
    return name;
}

bool staysInside(const QString &dir, const QString &path)
{
    const QString canonicalDir = QFileInfo(dir).canonicalFilePath();
    if (canonicalDir.isEmpty())
        return false;
    const QFileInfo entry(path);
    if (QFileInfo(entry.absolutePath()).canonicalFilePath() != canonicalDir)
        return false;
    // An existing entry that is a link must point back inside as well.
    if (entry.isSymLink())
        return QFileInfo(entry.canonicalFilePath()).absolutePath() == canonicalDir;
    return true;
}
