#include "screenbackdrop.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

const int RefreshMs = 500;
const char *const StackingProperty = "screenStackingOrder";

// Keeps the stacking order of the top-level windows: a window that is shown
// or raised goes on top, as the window systems do. Windows shown before the
// first overlay existed carry no number and lie below, in the order they
// were first shown.
class StackingTracker : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if ((event->type() == QEvent::Show || event->type() == QEvent::ZOrderChange) && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->isWindow())
            watched->setProperty(StackingProperty, ++m_top);
        return false;
    }

private:
    qulonglong m_top = 0;
};

qulonglong stackingOrder(const QWidget *window)
{
    return window->property(StackingProperty).toULongLong();
}

} // namespace

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
    static StackingTracker *tracker = nullptr;
    if (!tracker) {
        tracker = new StackingTracker;
        tracker->setParent(qApp);
        qApp->installEventFilter(tracker);
    }
    new ScreenBackdrop(overlay, mask);
}

QList<QWidget *> ScreenBackdrop::windowsBeneath(const QWidget *overlay)
{
    // Top-level windows in the order they were first shown, then stably by
    // their place in the stack.
    QList<QWidget *> windows;
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->windowHandle() == window && widget->isVisible())
                windows << widget;
        }
    }
    std::stable_sort(windows.begin(), windows.end(), [](const QWidget *a, const QWidget *b) {
        return stackingOrder(a) < stackingOrder(b);
    });
    const int own = windows.indexOf(const_cast<QWidget *>(overlay));
    return own < 0 ? QList<QWidget *>() : windows.mid(0, own);
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
