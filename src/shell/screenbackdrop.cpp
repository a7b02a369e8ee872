#include "screenbackdrop.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace {
const int RefreshMs = 500;
}

ScreenBackdrop::ScreenBackdrop(QWidget *overlay, const QColor &mask)
    : QObject(overlay)
    , m_overlay(overlay)
    , m_mask(mask)
{
    m_refresh.setInterval(RefreshMs);
    connect(&m_refresh, &QTimer::timeout, overlay, qOverload<>(&QWidget::update));
    overlay->installEventFilter(this);
    if (overlay->isVisible())
        m_refresh.start();
}

void ScreenBackdrop::install(QWidget *overlay, const QColor &mask)
{
    new ScreenBackdrop(overlay, mask);
}

QList<QWidget *> ScreenBackdrop::windowsBeneath(const QWidget *overlay)
{
    // Top-level windows are listed in the order they were first shown; the
    // pages and dialogs of this program are shown over what was there
    // before, so that order is their stacking order.
    QList<QWidget *> beneath;
    const QWindow *own = overlay->windowHandle();
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (window == own)
            break;
        if (!window->isVisible())
            continue;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->windowHandle() == window && widget->isVisible() && widget != overlay)
                beneath << widget;
        }
    }
    return own ? beneath : QList<QWidget *>();
}

void ScreenBackdrop::paint()
{
    // Called for the overlay's paint event before the overlay paints
    // itself, so its own box and widgets end up on top.
    QPainter painter(m_overlay);
    const QPoint origin = m_overlay->geometry().topLeft();
    for (QWidget *window : windowsBeneath(m_overlay))
        window->render(&painter, window->geometry().topLeft() - origin);
    painter.fillRect(m_overlay->rect(), m_mask);
}

bool ScreenBackdrop::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_overlay) {
        switch (event->type()) {
        case QEvent::Show:
            m_refresh.start();
            break;
        case QEvent::Hide:
            m_refresh.stop();
            break;
        case QEvent::Paint:
            paint();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}
