#include "onetimesclicked.h"

#include <QTimer>
#include <QToolButton>

namespace {
// A debounce of the finger, not a step of a machine sequence: it stays real
// time whatever the time scale.
const int kGuardMs = 100;
} // namespace

COneTimesClicked::COneTimesClicked(QObject *parent)
    : QObject(parent)
{
}

bool COneTimesClicked::isHasClicked() const
{
    return m_clicked;
}

void COneTimesClicked::setOneTimesClicked(QToolButton *button, QString name)
{
    restorePressedButton();
    m_clicked = true;
    const auto style = m_styles.constFind(name);
    if (button && style != m_styles.constEnd()) {
        m_pressedButton = button;
        m_restoreIcon = style->normal;
        button->setIcon(style->pressed);
    }
    const quint64 arm = ++m_armCount;
    QTimer::singleShot(kGuardMs, this, [this, arm] {
        if (arm != m_armCount)
            return;
        restorePressedButton();
        m_clicked = false;
    });
}

void COneTimesClicked::registerStyle(const QString &name, const QIcon &normal, const QIcon &pressed)
{
    m_styles.insert(name, Style{normal, pressed});
}

void COneTimesClicked::restorePressedButton()
{
    if (m_pressedButton)
        m_pressedButton->setIcon(m_restoreIcon);
    m_pressedButton = nullptr;
}

COneTimesClicked *OneTimesClicked()
{
    static COneTimesClicked instance;
    return &instance;
}
