#include "simfixture.h"

#include "boardrequest.h"
#include "serialobject.h"
#include "sysroot.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

SimFixture::SimFixture(double timeScale) : m_box(timeScale)
{
    SysRoot::setRoot(m_box.root());
    // On a loaded machine a healthy board's reply can take longer than the
    // screen waits on the device; the screen's give-up is tested on its own.
    SerialObject::setScreenWaitMs(60000);
}

int SimFixture::count(const std::string &command) const
{
    int n = 0;
    for (const std::string &c : const_cast<sim::Sandbox &>(m_box).board().commands())
        n += c == command;
    return n;
}

bool SimFixture::waitForCommand(const std::string &command, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (count(command) == 0) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

QStringList SimFixture::motionCommands() const
{
    QStringList out;
    for (const std::string &c : const_cast<sim::Sandbox &>(m_box).board().commands())
        if (c != "M105" && c != "M114" && c != "M119" && c != "M121")
            out << QString::fromStdString(c);
    return out;
}

bool SimFixture::waitForRequests(SerialObject *link, int timeoutMs)
{
    QObject context;
    int ran = 0;
    for (BoardRequest *behind : {link->request(QStringList()), link->request(QStringLiteral("M105"))})
        QObject::connect(behind, &BoardRequest::finished, &context, [&ran] { ++ran; });
    QDeadlineTimer deadline(timeoutMs);
    while (ran < 2) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}
