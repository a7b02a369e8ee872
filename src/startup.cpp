#include "startup.h"

#include "config.h"
#include "getconfigfile.h"
#include "gpio.h"
#include "language.h"
#include "onebuttondialog.h"
#include "processrunner.h"
#include "serialobject.h"
#include "sysroot.h"
#include "timescale.h"
#include "versiondirs.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFontDatabase>

#include <future>
#include <stdexcept>

namespace Startup {

namespace {
constexpr int kResetPulseMs = 200;

bool replyHasOk(SerialObject *link)
{
    return link->serialCheckCode(QStringLiteral("M112")).contains(QLatin1String("ok"));
}

// Line test, firmware check and, when it passes, stop and motors off. They
// run on a thread of their own, where an exchange waits the whole reply time:
// the GUI thread's wait only briefly, and a board slow to answer its first
// frames must not be taken for one whose firmware needs repairing.
bool boardAnswers(SerialObject *link)
{
    return std::async(std::launch::async, [link] {
        for (int i = 0; i < 3; ++i)
            link->serialCheckCode(QStringLiteral("M103"));
        if (!replyHasOk(link) && !replyHasOk(link))
            return false;
        link->serialCheckCode(QStringLiteral("M112"));
        link->serialCheckCode(QStringLiteral("M18"));
        return true;
    }).get();
}
} // namespace

void loadFont()
{
    const int id = QFontDatabase::addApplicationFont(SysRoot::path(QStringLiteral("/opt/qt-4.8.6/lib/fonts/code2000.ttf")));
    if (id < 0)
        throw Failure{1};
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        throw Failure{2};
    QApplication::setFont(QFont(families.first(), 14));
}

SerialObject *openPrinterLink()
{
    try {
        return SerialObject::getInstance("/dev/ttyS2", 131);
    } catch (const std::runtime_error &e) {
        qCritical() << "Startup::openPrinterLink" << e.what();
        throw Failure{0x1001};
    }
}

QString firmwareImage()
{
    const QString control = SysRoot::path(QStringLiteral("/opt/PROGRAM/control"));
    const QString version = VersionDirs::latest(control);
    if (version.isEmpty())
        return QString();
    const QFileInfoList images =
        QDir(control + QLatin1Char('/') + version).entryInfoList({QStringLiteral("*.bin")}, QDir::Files, QDir::Name);
    return images.isEmpty() ? QString() : images.first().absoluteFilePath();
}

LinkState bringUpBoard(SerialObject *link)
{
    if (!boardAnswers(link)) {
        const QString image = firmwareImage();
        if (image.isEmpty()) {
            qCritical() << "Startup::bringUpBoard no firmware image to repair the board with";
            return LinkState::ReflashFailed;
        }
        const ProcessRunner::Result flashed = ProcessRunner::run(QStringLiteral("IAPCommand"), {image}, 300000);
        Gpio reset(137);
        reset.exportPin();
        reset.pulse(kResetPulseMs);
        if (!flashed.ok())
            qCritical() << "Startup::bringUpBoard IAPCommand failed" << flashed.exitCode;
        return flashed.ok() ? LinkState::Reflashed : LinkState::ReflashFailed;
    }
    TimeScale::sleepMs(500);
    return LinkState::Ready;
}

void initTranslator()
{
    Config *config = getConfigFile()->configFile();
    QString language = QString::fromStdString(config->getPrinterLanguage());
    if (language.isEmpty())
        language = QStringLiteral("english");
    int error = Language::installCatalogue(language);
    if (error == Language::CatalogueNotLoaded) {
        // A stale or foreign code must not keep the printer from starting,
        // and a message in an unknown language helps nobody: English, also
        // for the language page's tick.
        qWarning() << "Startup::initTranslator no catalogue for" << language.left(64) << "- using English";
        config->setPrinterLanguage("english");
        error = Language::installCatalogue(QStringLiteral("english"));
    }
    if (error)
        throw Failure{error};
}

void showFailure(const Failure &failure)
{
    const QString code = failure.code > 9 ? QStringLiteral("0x%1").arg(failure.code, 0, 16) : QString::number(failure.code);
    (new OneButtonDialog(code, code, QString(), nullptr))->exec(); // deletes itself on close
}

} // namespace Startup
