#include "valuestepper.h"
#include "timescale.h"

#include <QAbstractButton>
#include <QLabel>

ValueStepper::ValueStepper(QAbstractButton *minus, QAbstractButton *plus, QLabel *label, int min,
                           int max, Mode mode, QObject *parent)
    : QObject(parent)
    , m_minus(minus)
    , m_plus(plus)
    , m_label(label)
    , m_min(min)
    , m_max(max)
    , m_mode(mode)
    , m_value(min)
    , m_reference(min)
    , m_format([](int v) { return QString::number(v); })
{
    connect(&m_repeatTimer, &QTimer::timeout, this, &ValueStepper::repeat);
    connect(minus, &QAbstractButton::pressed, this, [this] { pressed(-1); });
    connect(plus, &QAbstractButton::pressed, this, [this] { pressed(+1); });
    if (mode == Mode::HoldToRepeat) {
        connect(minus, &QAbstractButton::released, this, &ValueStepper::released);
        connect(plus, &QAbstractButton::released, this, &ValueStepper::released);
        connect(minus, &QAbstractButton::clicked, this, [this] { clicked(-1); });
        connect(plus, &QAbstractButton::clicked, this, [this] { clicked(+1); });
    }
    show();
}

void ValueStepper::setFormat(std::function<QString(int)> format)
{
    m_format = std::move(format);
    show();
}

void ValueStepper::setChangeMark(const QString &normalStyle, const QString &changedStyle)
{
    m_normalStyle = normalStyle;
    m_changedStyle = changedStyle;
    show();
}

void ValueStepper::setValue(int value)
{
    m_value = m_off && value == *m_off ? value : qBound(m_min, value, m_max);
    m_reference = m_value;
    show();
}

void ValueStepper::resetReference()
{
    m_reference = m_value;
    show();
}

void ValueStepper::pressed(int direction)
{
    if (m_mode == Mode::StepOnPress) {
        moveBy(direction * m_step);
        return;
    }
    m_heldDirection = direction;
    m_repeatCount = 0;
    m_repeatTimer.start(TimeScale::ms(HoldDelayMs));
}

void ValueStepper::released()
{
    m_heldDirection = 0;
    m_repeatTimer.stop();
}

void ValueStepper::clicked(int direction)
{
    // A hold has moved the value already.
    if (m_repeatCount == 0)
        moveBy(direction);
}

void ValueStepper::repeat()
{
    if (m_heldDirection == 0)
        return;
    if (m_repeatCount == 0)
        m_repeatTimer.setInterval(TimeScale::ms(RepeatIntervalMs));
    ++m_repeatCount;
    const int step = m_repeatCount >= FastRepeatAfter ? FastStep : 1;
    if (moveBy(m_heldDirection * step))
        m_repeatTimer.stop();
}

bool ValueStepper::moveBy(int delta)
{
    const int before = m_value;
    if (isOff())
        m_value = delta > 0 ? m_min : m_value;
    else if (m_off && delta < 0 && m_value == m_min && m_heldDirection == 0)
        m_value = *m_off;
    else
        m_value = qBound(m_min, m_value + delta, m_max);
    show();
    if (m_value != before)
        emit valueChanged(m_value);
    return (delta < 0 && m_value <= m_min) || (delta > 0 && m_value >= m_max);
}

void ValueStepper::show()
{
    if (m_minus)
        m_minus->setEnabled(m_value > m_min || (m_off && !isOff()));
    if (m_plus)
        m_plus->setEnabled(m_value < m_max);
    if (!m_label)
        return;
    m_label->setText(m_format(m_value));
    if (!m_changedStyle.isEmpty() || !m_normalStyle.isEmpty()) {
        const QString &style = isChanged() ? m_changedStyle : m_normalStyle;
        if (m_label->styleSheet() != style)
            m_label->setStyleSheet(style);
    }
}
