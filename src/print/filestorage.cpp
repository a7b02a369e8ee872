#include "filestorage.h"

#include "lan/myserver.h"
#include "lan/uploadfile.h"
#include "mainwindow.h"
#include "resumeprintconfigsavefile.h"
#include "sysroot.h"
#include "usbmonitor.h"
#include "verifiedcopy.h"

#include <QDir>
#include <QFile>

namespace FileStorage {

QString stickRoot()
{
    return SysRoot::path(QStringLiteral("/media"));
}

QString localRoot()
{
    return SysRoot::path(QStringLiteral("/data"));
}

bool isOnStick(const QString &path)
{
    return QDir::cleanPath(path).startsWith(stickRoot() + '/');
}

bool stickMounted()
{
    return MainWindow::instMainWindow && MainWindow::instMainWindow->getUpanStatus();
}

qint64 freeSpace(const QString &folder)
{
    return myServer::check_free_space(QFile::encodeName(folder).constData());
}

void removeLeftoverTemporaries()
{
    VerifiedCopy::removeLeftovers(localRoot());
    UploadFile::removeLeftovers(localRoot());
    FILESNAMESPACE::ResumePrintConfigSaveFile()->removeLeftovers();
}

void tidyMountedSticks()
{
    UsbMonitor::setMountedHook([] { VerifiedCopy::removeLeftovers(stickRoot()); });
}

} // namespace FileStorage
