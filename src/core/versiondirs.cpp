#include "versiondirs.h"

#include <QDir>
#include <QStringList>

namespace VersionDirs {

bool parse(const QString &name, int &a, int &b, int &c)
{
    const QStringList parts = name.split(QLatin1Char('.'));
    if (parts.size() != 3)
        return false;
    int v[3];
    for (int i = 0; i < 3; ++i) {
        // Digits only: toInt() alone would also take blanks and a newline.
        const QString &part = parts[i];
        if (part.isEmpty() || part.size() > 9)
            return false;
        for (const QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        v[i] = part.toInt();
    }
    a = v[0];
    b = v[1];
    c = v[2];
    return true;
}

int compare(const QString &left, const QString &right)
{
    int l[3] = {0, 0, 0}, r[3] = {0, 0, 0};
    parse(left, l[0], l[1], l[2]);
    parse(right, r[0], r[1], r[2]);
    for (int i = 0; i < 3; ++i)
        if (l[i] != r[i])
            return l[i] < r[i] ? -1 : 1;
    return 0;
}

QString latest(const QString &dir)
{
    QString best;
    const QStringList names = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        int a, b, c;
        if (parse(name, a, b, c) && (best.isEmpty() || compare(name, best) > 0))
            best = name;
    }
    return best;
}

} // namespace VersionDirs
