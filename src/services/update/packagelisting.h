#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

// The rule of a package's md5sum.list (lines "<md5>  <name>" as md5sum
// writes them): every file it names must be in the package with that sum,
// and every other file of the package, run.sh among them, must be named, so
// that nothing unchecked is installed or run. The same rule is applied to
// the archive's members as they are unpacked and to the unpacked folder
// before its script runs.
class PackageListing {
public:
    static const char *const ListName;   // "md5sum.list"
    static const char *const ScriptName; // "run.sh"
    // Larger lists are not what md5sum writes for a package.
    static constexpr qint64 MaxListSize = 1 << 20;

    // Reads the list; false for a line that is not "<md5>  <relative name>",
    // a line naming the list itself (no list can hold its own sum), or a
    // list that names no file.
    bool parse(const QByteArray &list, QString &error);

    // One file of the package with the MD5 of its data (hex); false when it
    // is not listed or does not match. The list itself is passed over.
    bool file(const QString &path, const QString &md5, QString &error);

    // After the package's last file: false when a listed file was not seen
    // or there is no run.sh.
    bool complete(QString &error) const;

private:
    QHash<QString, QString> m_sums; // listed name -> lower-case MD5
    QSet<QString> m_seen;
};
