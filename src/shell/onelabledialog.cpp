#include "onelabledialog.h"
#include "ui_onelabledialog.h"

#include "onebuttondialog.h"
#include "twobuttondialog.h"

#include <QApplication>
#include <QTimer>

OneLableDialog *OneLableDialog::instOneLableDialog = nullptr;

namespace {

bool isScreenWindow(const QWidget *w)
{
    return w->isWindow() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog);
}

// A message or question on screen that waits for the user.
bool answerPending()
{
    for (const QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && (qobject_cast<const OneButtonDialog *>(w) || qobject_cast<const TwoButtonDialog *>(w)))
            return true;
    return false;
}

} // namespace

OneLableDialog::OneLableDialog(const QString &text, QWidget *parent)
    : ShellDialog(parent)
    , ui(new Ui::OneLableDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    trackInstance(instOneLableDialog);
    setLabelText(text);
    qApp->installEventFilter(this);
}

OneLableDialog::~OneLableDialog()
{
    delete ui;
}

void OneLableDialog::setLabelText(const QString &text)
{
    ui->textLabel->setText(text);
}

void OneLableDialog::setVisible(bool visible)
{
    m_wanted = visible;
    ShellDialog::setVisible(visible && !answerPending());
}

bool OneLableDialog::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched != this
        && watched->isWidgetType() && isScreenWindow(static_cast<QWidget *>(watched))) {
        // The screen stacks a window when it has been shown, after this
        // event: the notice is put back in place once that has happened.
        QTimer::singleShot(0, this, &OneLableDialog::keepInPlace);
    }
    return ShellDialog::eventFilter(watched, event);
}

void OneLableDialog::keepInPlace()
{
    const bool onScreen = m_wanted && !answerPending();
    if (onScreen != isVisible())
        ShellDialog::setVisible(onScreen);
    if (onScreen)
        raise();
}
