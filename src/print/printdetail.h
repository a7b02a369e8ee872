#pragma once

#include "serialobject.h"

#include <QDialog>

class QLabel;
class QToolButton;
class ValueStepper;
namespace PrintLimits {
struct Range;
}
namespace Ui {
class PrintDetail;
}

// Adjustments of a running print: the nozzle and bed targets, the speed
// percentage and the Z offset, edited with minus and plus buttons and applied
// with OK to the print engine, the printing page's display and the stored
// print details that a power-loss resume starts from. Created hidden by the
// in-print settings pop-up; every show starts again from the live values.
class PrintDetail : public QDialog {
    Q_OBJECT
public:
    static PrintDetail *instPrintDetail;

    // `paused`, `isGxFile` and `materialUsed` describe the print for the
    // log; the page shows the same rows for every kind.
    PrintDetail(bool paused, bool isGxFile, int materialUsed, QWidget *parent = nullptr);
    ~PrintDetail() override;

public slots:
    void on_back_clicked();
    void on_ok_clicked();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void initView();
    ValueStepper *addRow(QToolButton *minus, QToolButton *plus, QLabel *label, const PrintLimits::Range &range,
                         const QString &unit);
    // The print's heater targets as they are now, into m_target*.
    void readTargets();
    // The heater rows show m_target* as their unchanged values.
    void showTargets();
    void confirm();

    SerialObject *m_serialObject;
    Ui::PrintDetail *ui;
    // The targets last applied or read, in °C.
    int m_targetExtruderTemp = 0;
    int m_targetPlateTemp = 0;
    // The live adjustments as read; the rows replace speed, offset and purge.
    PrintingAdjust m_adjust;

    ValueStepper *m_speedRow;
    ValueStepper *m_nozzleRow;
    ValueStepper *m_plateRow;
    ValueStepper *m_zOffsetRow;
    ValueStepper *m_purgeRow;
};
