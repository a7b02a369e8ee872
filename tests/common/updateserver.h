#pragma once

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The local HTTPS update server of the tests (update-server.py) with its
// packages (make-update-package.py), run in a temporary folder.
class TestUpdateServer {
public:
    struct Package {
        QString type, version, file, md5;
        qint64 size = 0;
    };

    TestUpdateServer()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("packages"));
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(python(), {script("update-server.py"), m_dir.path()});
        if (!m_process.waitForStarted(kTryWaitMs))
            return;
        while (m_port == 0 && m_process.waitForReadyRead(kTryWaitMs)) {
            const QByteArray line = m_process.readLine().trimmed();
            if (line.startsWith("PORT "))
                m_port = line.mid(5).toInt();
        }
    }

    ~TestUpdateServer()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool ok() const { return m_port > 0; }
    QString url() const { return QStringLiteral("https://127.0.0.1:%1").arg(m_port); }
    QString certificate() const { return m_dir.filePath(QStringLiteral("cert.pem")); }

    // Builds a package from a make-update-package.py member list (with md5sum.list
    // unless `recipe` says otherwise) and serves it.
    Package publish(const QString &type, const QString &version, QJsonObject recipe)
    {
        Package package{type, version, type + QLatin1Char('-') + version + QStringLiteral(".tar.gz"), {}, 0};
        if (!recipe.contains(QStringLiteral("md5list")))
            recipe[QStringLiteral("md5list")] = true;
        const QString out = m_dir.filePath(QStringLiteral("packages/") + package.file);
        QProcess maker;
        maker.start(python(), {script("make-update-package.py"), out,
                               QString::fromUtf8(QJsonDocument(recipe).toJson(QJsonDocument::Compact))});
        if (!maker.waitForFinished(kTryWaitMs) || maker.exitCode() != 0)
            qWarning() << "make-update-package.py failed" << maker.readAllStandardError();
        QFile file(out);
        file.open(QIODevice::ReadOnly);
        const QByteArray data = file.readAll();
        package.md5 = QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex());
        package.size = data.size();
        return package;
    }

    // A package whose only script is run.sh with `script` as its body.
    Package publishScript(const QString &type, const QString &version, const QString &script)
    {
        return publish(type, version, packageSpec(script));
    }

    static QJsonObject packageSpec(const QString &script)
    {
        QJsonArray members;
        members << QJsonObject{{"name", "run.sh"}, {"data", QStringLiteral("#!/bin/sh\n") + script}, {"mode", 0755}}
                << QJsonObject{{"name", "bin"}, {"type", "dir"}}
                << QJsonObject{{"name", "bin/program"}, {"data", "new program"}};
        return QJsonObject{{"members", members}};
    }

    // The entry of `package` in an answer to PUT /update.
    QJsonObject entry(const Package &package) const
    {
        return QJsonObject{{"type", package.type},
                           {"version", package.version},
                           {"url", url() + QStringLiteral("/packages/") + package.file},
                           {"md5", package.md5},
                           {"size", package.size}};
    }

    // From now on PUT /update answers {"packages": entries}.
    void offer(const QJsonArray &entries) { setReply(QJsonObject{{"packages", entries}}); }

    void setReply(const QJsonObject &reply)
    {
        writeControl(QStringLiteral("reply.json"), QJsonDocument(reply).toJson(QJsonDocument::Compact));
    }
    // Back to 503 for PUT /update.
    void goDown() { QFile::remove(m_dir.filePath(QStringLiteral("reply.json"))); }
    // From now on PUT /update answers a list nested `depth` levels deep.
    void nestReply(int depth) { writeControl(QStringLiteral("reply-nesting"), QByteArray::number(depth)); }
    // The next download never ends: the file, then zeros until the client hangs up.
    void sendEndlessly() { writeControl(QStringLiteral("endless"), "on"); }

    void dropAfter(qint64 bytes) { writeControl(QStringLiteral("drop-after"), QByteArray::number(bytes)); }
    void holdAfter(qint64 bytes)
    {
        QFile::remove(m_dir.filePath(QStringLiteral("release")));
        writeControl(QStringLiteral("hold-after"), QByteArray::number(bytes));
    }
    void release() { writeControl(QStringLiteral("release"), "go"); }

    // Every request so far, oldest first.
    QList<QJsonObject> requests() const
    {
        QList<QJsonObject> out;
        QFile log(m_dir.filePath(QStringLiteral("requests.log")));
        if (!log.open(QIODevice::ReadOnly))
            return out;
        for (const QByteArray &line : log.readAll().split('\n'))
            if (!line.isEmpty())
                out << QJsonDocument::fromJson(line).object();
        return out;
    }

    QList<QJsonObject> requestsTo(const QString &method, const QString &pathStart) const
    {
        QList<QJsonObject> out;
        for (const QJsonObject &r : requests())
            if (r[QStringLiteral("method")].toString() == method && r[QStringLiteral("path")].toString().startsWith(pathStart))
                out << r;
        return out;
    }

    static QJsonObject body(const QJsonObject &request)
    {
        return QJsonDocument::fromJson(request[QStringLiteral("body")].toString().toUtf8()).object();
    }

private:
    static QString python()
    {
        const QString found = QStandardPaths::findExecutable(QStringLiteral("python3"));
        return found.isEmpty() ? QStringLiteral("python3") : found;
    }
    static QString script(const char *name) { return QStringLiteral(PRINTER_SIM_DIR "/") + QLatin1String(name); }

    // Written beside and renamed, so the server never reads half a file.
    void writeControl(const QString &name, const QByteArray &data)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path + QStringLiteral(".tmp"));
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(data);
        file.close();
        QFile::remove(path);
        QFile::rename(path + QStringLiteral(".tmp"), path);
    }

    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};
