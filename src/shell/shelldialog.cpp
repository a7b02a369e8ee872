#include "shelldialog.h"
#include "doubletapguard.h"
#include "screenbackdrop.h"
#include "shellstyle.h"

#include <QCloseEvent>

ShellDialog::ShellDialog(QWidget *parent)
    : QDialog(parent)
{
    DoubleTapGuard::install();
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setModal(true);
    setGeometry(0, 0, ShellStyle::ScreenWidth, ShellStyle::ScreenHeight);
    setFixedSize(ShellStyle::ScreenWidth, ShellStyle::ScreenHeight);
    setStyleSheet(QString::fromLatin1(ShellStyle::DialogCard));
    ScreenBackdrop::install(this, ShellStyle::dialogMask());
}

ShellDialog::~ShellDialog()
{
    releaseInstance();
}

void ShellDialog::done(int result)
{
    releaseInstance();
    QDialog::done(result);
}

void ShellDialog::closeEvent(QCloseEvent *event)
{
    QDialog::closeEvent(event);
    if (event->isAccepted())
        releaseInstance();
}

void ShellDialog::releaseInstance()
{
    if (m_releaseInstance)
        m_releaseInstance();
}
