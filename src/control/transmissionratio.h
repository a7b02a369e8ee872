#pragma once

#include "stepspermm.h"

#include <QList>
#include <QWidget>

class SerialObject;
class TransmissionRatioItem;
namespace Ui {
class TransmissionRatio;
}

// The steps-per-millimetre editor of the X, Y, Z and E axes. Save sends
// "M92" for each changed axis (the board calls the extruder A) and stores all
// four, which the main window sends again at every start.
class TransmissionRatio : public QWidget {
    Q_OBJECT
public:
    static TransmissionRatio *instTransmissionRatio;

    explicit TransmissionRatio(QWidget *parent = nullptr);
    ~TransmissionRatio() override;

private slots:
    void on_btn_save_clicked();

private:
    // The rows and Save rest while the board takes a Save.
    void setSaving(bool saving);
    void showSaved(bool taken);

    struct Axis {
        TransmissionRatioItem *item;
        StepsPerMm::Axis axis;
    };

    Ui::TransmissionRatio *ui;
    SerialObject *m_serialObject;
    QList<Axis> m_axes; // X, Y, Z, E
};
