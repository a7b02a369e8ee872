#pragma once

#include <QString>
#include <QWidget>

class ValueStepper;
namespace Ui {
class TransmissionRatioItem;
}

// One axis of the steps-per-millimetre editor: its name, a minus and a plus
// button that repeat while held, and the value, red while it differs from
// the value it started from (or was last saved as).
class TransmissionRatioItem : public QWidget {
    Q_OBJECT
public:
    TransmissionRatioItem(const QString &name, int value, int max, int min, QWidget *parent);
    ~TransmissionRatioItem() override;

    int getValue() const;
    bool isValueChang() const;
    // The shown value becomes the one to compare with.
    void valueReset();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    Ui::TransmissionRatioItem *ui;
    ValueStepper *m_stepper;
};
