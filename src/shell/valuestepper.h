#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class QAbstractButton;
class QLabel;

// A whole number between two bounds, stepped with a minus and a plus button
// and shown in a label. A button is disabled exactly while the value sits at
// the bound it moves towards.
//
// HoldToRepeat (set-points, step ratios): a tap moves the value by 1 when it
// is let go. A button held for longer than a tap (400 ms) repeats: the value
// moves by 1 every 120 ms, and by 10 from the 30th repeat on, until the
// button is let go or the bound is reached; letting go after a hold adds
// nothing, so the value shown when the finger lifts is the one kept.
// StepOnPress (in-print adjustments): each press moves the value by the step.
//
// With a change mark, the label shows the changed style while the value
// differs from its reference (the value at setValue() or the last
// resetReference()), so the user sees what has not been applied yet.
class ValueStepper : public QObject {
    Q_OBJECT
public:
    enum class Mode { HoldToRepeat, StepOnPress };

    // How long a press lasts before it counts as a hold, not a tap.
    static constexpr int HoldDelayMs = 400;
    static constexpr int RepeatIntervalMs = 120;
    static constexpr int FastRepeatAfter = 30;
    static constexpr int FastStep = 10;

    ValueStepper(QAbstractButton *minus, QAbstractButton *plus, QLabel *label, int min, int max,
                 Mode mode = Mode::HoldToRepeat, QObject *parent = nullptr);

    // The step of StepOnPress (1 unless set).
    void setStep(int step) { m_step = step; }
    // How the value is shown (the plain number unless set).
    void setFormat(std::function<QString(int)> format);
    // Label styles without and with the change mark; no mark unless set.
    void setChangeMark(const QString &normalStyle, const QString &changedStyle);

    // A value below the bounds that the row may hold (a heater that is
    // off): shown as it is, minus disabled; plus goes to the lower bound and
    // minus at the lower bound back to off (a hold stops at the bound).
    void setOffValue(int off) { m_off = off; }
    void clearOffValue()
    {
        m_off.reset();
        show();
    }
    // Sets the value brought into the bounds (unless it is the off value)
    // and makes it the reference.
    void setValue(int value);
    int value() const { return m_value; }
    bool isChanged() const { return m_value != m_reference; }
    // The shown value becomes the reference; the mark goes.
    void resetReference();

signals:
    void valueChanged(int value);

private:
    void pressed(int direction);
    void released();
    void clicked(int direction);
    void repeat();
    // Moves by `delta` within the bounds (or between the lower bound and
    // off); true when a bound stopped it.
    bool moveBy(int delta);
    bool isOff() const { return m_off && m_value == *m_off; }
    void show();

    QPointer<QAbstractButton> m_minus;
    QPointer<QAbstractButton> m_plus;
    QPointer<QLabel> m_label;
    const int m_min;
    const int m_max;
    const Mode m_mode;
    int m_step = 1;
    std::optional<int> m_off;
    int m_value = 0;
    int m_reference = 0;
    std::function<QString(int)> m_format;
    QString m_normalStyle;
    QString m_changedStyle;

    QTimer m_repeatTimer;
    int m_heldDirection = 0; // -1 minus, +1 plus, 0 none
    // Repeats of the current or last hold; a tap has none.
    int m_repeatCount = 0;
};
