#include "cmdprocess.h"
#include "backgroundflush.h"
#include "processrunner.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "sysroot.h"

#include <QDebug>
#include <QPointer>
#include <unistd.h>

CmdProcess *CmdProcess::instCmdProcess = nullptr;

CmdProcess::CmdProcess(QObject *parent)
    : QObject(parent)
    , m_process(new QProcess(this))
{
    instCmdProcess = this;
    connect(m_process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            &CmdProcess::onFinished);
    connect(m_process, &QProcess::errorOccurred, this, &CmdProcess::onError);
}

CmdProcess::~CmdProcess()
{
    if (instCmdProcess == this)
        instCmdProcess = nullptr;
}

void CmdProcess::executeCmd(const QString &program, const QStringList &args)
{
    if (m_process->state() != QProcess::NotRunning)
        return;
    if (!OneLableDialog::instOneLableDialog)
        new OneLableDialog(tr("Copying..."));
    else
        OneLableDialog::instOneLableDialog->setLabelText(tr("Copying..."));
    OneLableDialog::instOneLableDialog->show();
    qDebug() << "CmdProcess::executeCmd" << program << args;
    ProcessRunner::passRoot(*m_process);
    m_process->start(SysRoot::tool(program), args);
}

void CmdProcess::onFinished(int exitCode, QProcess::ExitStatus status)
{
    const bool success = status == QProcess::NormalExit && exitCode == 0;
    if (!success)
        qWarning() << "CmdProcess::onFinished failed, exit code" << exitCode << "status" << status;
    // What the command wrote may still be in memory, and the user pulls the
    // stick once told: the outcome is told when it is on the medium, under
    // the busy notice, which the GUI thread keeps painting meanwhile.
    BackgroundFlush::start([] { ::sync(); }, this, [this, success] { report(success); });
}

void CmdProcess::onError(QProcess::ProcessError error)
{
    // A crash also ends in finished(), which reports it; only a program that
    // never started has to be reported here.
    if (error != QProcess::FailedToStart)
        return;
    qWarning() << "CmdProcess::onError cannot start" << m_process->program()
               << m_process->errorString();
    report(false);
}

void CmdProcess::report(bool success)
{
    if (OneLableDialog::instOneLableDialog)
        OneLableDialog::instOneLableDialog->close();
    QPointer<CmdProcess> self(this);
    auto *dialog = new OneButtonDialog(tr("Copy"), success ? tr("Copy complete!") : tr("Copy failed!"));
    dialog->exec();
    // The dialog's event loop may have seen the owner go away.
    if (self)
        deleteLater();
}
