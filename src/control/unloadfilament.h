#pragma once

#include "stepworker.h"

#include <QPointer>
#include <QWidget>

#include <atomic>

class SerialObject;
class TwoButtonDialog;
namespace Ui {
class UnloadFilament;
}

// Pulls the filament out of the extruder: heats the nozzle to 230 °C, pushes
// 10 mm slowly to free the tip, retracts 1000 mm fast and switches the heaters
// off. Opened from a paused print (true), the finished page offers "Load",
// which opens the load page for the same print.
class UnloadFilament : public QWidget {
    Q_OBJECT
public:
    enum change_filament_process {
        CHANGE_FILAMENT_FIRST_PREHEAT = 0,
        CHANGE_FILAMENT_SECOND_UNLOADING = 1,
        CHANGE_FILAMENT_THIRD_PRELOADING = 2,
        CHANGE_FILAMENT_FORTH_FAST_UNLOAD = 3,
        CHANGE_FILAMENT_FIFTH_LOADING = 4,
        CHANGE_FILAMENT_SIXTH_FAST_LOADING = 5,
        CHANGE_FILAMENT_SEVENTH_SLOW_SPEED = 6,
        CHANGE_FILAMENT_EIGHT_COMPLETED = 7,
    };
    typedef change_filament_process change_filament_process_t;

    static UnloadFilament *instUnloadFilament;
    static const int extruderSetTemp;

    explicit UnloadFilament(bool isprint, QWidget *parent = nullptr);
    ~UnloadFilament() override;

    // One step of the sequence, on the worker thread: 0 to go on, 1 while the
    // over-temperature guard holds it, -1 when unloading has ended.
    int performChangeFilamentProcess();

    change_filament_process_t state() const { return m_changeFilamentProcess.load(); }

signals:
    void sig_preheatCompleted();
    void sig_unloadFilamentCompleted();
    void sig_abnormalTemperature();
    void sig_closePage();

private slots:
    void preheatCompleted();
    void unloadFilamentCompleted();
    void abnormalTemperature();
    void on_close_pressed();
    void closePage();
    void closeOperation();
    void on_btn_load_clicked();

private:
    Ui::UnloadFilament *ui;
    SerialObject *serialObject = nullptr;
    std::atomic<change_filament_process_t> m_changeFilamentProcess{CHANGE_FILAMENT_FIRST_PREHEAT};
    StepWorker m_worker;
    std::atomic<bool> m_extruderIsAbnormal{false};
    bool m_completeClosePage = false;
    const bool m_isprint;
    QPointer<TwoButtonDialog> m_cancelQuestion;
};
