#include "packagelisting.h"

#include "packagearchive.h"

#include <QRegularExpression>

const char *const PackageListing::ListName = "md5sum.list";
const char *const PackageListing::ScriptName = "run.sh";

bool PackageListing::parse(const QByteArray &list, QString &error)
{
    const QRegularExpression line(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9a-fA-F]{32}) [ *](.+)")));
    m_sums.clear();
    m_seen.clear();
    for (const QByteArray &raw : list.split('\n')) {
        const QString text = QString::fromUtf8(raw).trimmed();
        if (text.isEmpty())
            continue;
        const QRegularExpressionMatch match = line.match(text);
        QString name;
        if (!match.hasMatch() || !PackageArchive::relativeMemberPath(match.captured(2), name) || name.isEmpty()) {
            error = QStringLiteral("bad line in %1: %2").arg(QLatin1String(ListName), text);
            return false;
        }
        if (name == QLatin1String(ListName)) {
            error = QStringLiteral("%1 names itself").arg(QLatin1String(ListName));
            return false;
        }
        m_sums.insert(name, match.captured(1).toLower());
    }
    if (m_sums.isEmpty()) {
        error = QStringLiteral("%1 names no file").arg(QLatin1String(ListName));
        return false;
    }
    return true;
}

bool PackageListing::file(const QString &path, const QString &md5, QString &error)
{
    if (path == QLatin1String(ListName))
        return true;
    const auto listed = m_sums.constFind(path);
    if (listed == m_sums.constEnd()) {
        error = QStringLiteral("%1 is not in %2").arg(path, QLatin1String(ListName));
        return false;
    }
    if (md5 != *listed) {
        error = QStringLiteral("%1 does not match its MD5 sum").arg(path);
        return false;
    }
    m_seen.insert(path);
    return true;
}

bool PackageListing::complete(QString &error) const
{
    for (auto it = m_sums.constBegin(); it != m_sums.constEnd(); ++it) {
        if (!m_seen.contains(it.key())) {
            error = QStringLiteral("%1 is missing").arg(it.key());
            return false;
        }
    }
    if (!m_seen.contains(QLatin1String(ScriptName))) {
        error = QStringLiteral("no %1").arg(QLatin1String(ScriptName));
        return false;
    }
    return true;
}
