#include "doubletapguard.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace DoubleTapGuard {

namespace {

// The timestamp of the touch a window appeared with, and whether that touch
// was still down (its lifting is the moment then).
const char *const AppearedAtProperty = "doubleTapGuardAppearedAt";
const char *const AppearedDuringTouchProperty = "doubleTapGuardAppearedDuringTouch";

class Filter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (receiver->isWidgetType())
                windowShown(static_cast<QWidget *>(receiver));
            return false;
        case QEvent::Hide:
            if (receiver->isWidgetType())
                windowHidden(static_cast<QWidget *>(receiver));
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            m_touchDown = true;
            if (!receiver->isWidgetType())
                return false; // the window system's delivery; judged at the widget
            m_droppingTouch = isSecondTap(static_cast<QWidget *>(receiver)->window(),
                                          static_cast<QMouseEvent *>(event)->timestamp());
            return m_droppingTouch;
        case QEvent::MouseMove:
            return m_droppingTouch && receiver->isWidgetType();
        case QEvent::MouseButtonRelease:
            touchLifted(static_cast<QMouseEvent *>(event)->timestamp());
            if (!m_droppingTouch || !receiver->isWidgetType())
                return false;
            // The release belongs to the dropped press: without it the press
            // never happened, so no button is clicked either.
            m_droppingTouch = false;
            return true;
        default:
            return false;
        }
    }

public:
    void appears(QWidget *window)
    {
        // Before the first touch nothing can land as a second tap.
        if (!m_lastLifted && !m_touchDown)
            return;
        window->setProperty(AppearedDuringTouchProperty, m_touchDown);
        window->setProperty(AppearedAtProperty, m_touchDown ? QVariant() : QVariant(qulonglong(m_lastLifted)));
    }

private:
    void windowShown(QWidget *window)
    {
        // The main window is always there: a double tap starts on it.
        if (window->isWindow() && !qobject_cast<QMainWindow *>(window))
            appears(window);
    }

    // A window that goes uncovers those beneath it (the main window too):
    // the second tap on a page's Back button lands on them.
    void windowHidden(QWidget *window)
    {
        if (!window->isWindow())
            return;
        for (QWidget *beneath : QApplication::topLevelWidgets())
            if (beneath != window && beneath->isVisible())
                appears(beneath);
    }

    void touchLifted(ulong timestamp)
    {
        m_touchDown = false;
        if (timestamp == m_lastLifted)
            return; // the same release, delivered once more
        m_lastLifted = timestamp;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->property(AppearedDuringTouchProperty).toBool()) {
                window->setProperty(AppearedDuringTouchProperty, false);
                window->setProperty(AppearedAtProperty, QVariant(qulonglong(timestamp)));
            }
        }
    }

    static bool isSecondTap(const QWidget *window, ulong pressedAt)
    {
        const QVariant appearedAt = window->property(AppearedAtProperty);
        if (!appearedAt.isValid())
            return false;
        const ulong appeared = ulong(appearedAt.toULongLong());
        return pressedAt >= appeared && pressedAt - appeared < ulong(QApplication::doubleClickInterval());
    }

    bool m_touchDown = false;
    bool m_droppingTouch = false;
    // Timestamp of the last release; 0 until the first touch.
    ulong m_lastLifted = 0;
};

QPointer<Filter> &theFilter()
{
    static QPointer<Filter> filter;
    return filter;
}

} // namespace

void install()
{
    QPointer<Filter> &filter = theFilter();
    if (filter || !qApp)
        return;
    filter = new Filter(qApp);
    qApp->installEventFilter(filter);
}

void contentReplaced(QWidget *widget)
{
    if (Filter *filter = theFilter())
        filter->appears(widget->window());
}

} // namespace DoubleTapGuard

namespace {
// The tap that opens the first page must already be seen: a filter put in
// place while that page is being made would not know when it appeared.
void installWithTheApplication()
{
    DoubleTapGuard::install();
}
} // namespace
Q_COREAPP_STARTUP_FUNCTION(installWithTheApplication)
