#pragma once

#include "homingclaim.h"
#include "returnhomelistener.h"
#include "stepworker.h"

#include <QPointer>
#include <QWidget>

#include <atomic>

class SerialObject;
class TwoButtonDialog;
namespace Ui {
class LoadFilament;
}

// Loads new filament: heats the nozzle to 230 °C, homes the head, parks it,
// pushes the filament fast and then slowly through the extruder, and closes
// when the slow push ends or the user confirms that the new colour comes out.
//
// Opened from the control menu with false, or from the unload page of a
// paused print with true: then only X and Y are homed, the nozzle rises 10 mm
// without touching the print's Z origin, and the unload page closes with this
// page when loading ends.
class LoadFilament : public QWidget, public ReturnHomeListener {
    Q_OBJECT
public:
    enum loading_filament_process {
        LOADING_FILAMENT_FIRST_PREHEAT = 0,
        LOADING_FILAMENT_SECOND_HOME = 1,
        LOADING_FILAMENT_THIRD_SENSOR = 2,
        LOADING_FILAMENT_FORTH_START_LOADING = 3,
        LOADING_FILAMENT_FIFTH_FAST_SPEED = 4,
        LOADING_FILAMENT_SIXTH_SLOW_SPEED = 5,
        LOADING_FILAMENT_SEVENTH_COMPLETED = 6,
    };
    typedef loading_filament_process loading_filament_process_t;

    static LoadFilament *instLoadFilament;
    static const int extruderSetTemp;

    explicit LoadFilament(bool isprint, QWidget *parent = nullptr);
    ~LoadFilament() override;

    // One step of the sequence, on the worker thread: 0 to go on, 1 while the
    // over-temperature guard holds it, -1 when loading has ended.
    int performFilamentFeedingProcess();
    // End of homing, on the GUI thread.
    void checkReturnHomeDone() override;
    // Homing gave up: the heater goes off, the sequence
    // stops where it is and the button leaves the page without a question.
    void returnHomeFailed() override;

    loading_filament_process_t state() const { return m_loadingFilamentProcess.load(); }

signals:
    void sig_preheatCompleted();
    void sig_abnormalTemperature();
    void sig_closePage();

private slots:
    void on_close_pressed();
    void abnormalTemperature();
    void performingLoadOperations();
    void closePage();
    void closeOperation();

private:
    // Stops the sequence for good: the worker ends and homing stops at its
    // next check without calling back.
    void stopSequence();
    // Closes at once; from a paused print the unload page comes back, since
    // the material still has to be replaced.
    void leave();

    Ui::LoadFilament *ui;
    SerialObject *serialObject = nullptr;
    StepWorker m_worker;
    std::atomic<loading_filament_process_t> m_loadingFilamentProcess{LOADING_FILAMENT_FIRST_PREHEAT};
    std::atomic<bool> m_extruderIsAbnormal{false};
    std::atomic<bool> m_homeIsCompleted{false};
    std::atomic<bool> m_homingFailed{false};
    bool m_completeClosePage = false;
    const bool m_isprint;
    QPointer<TwoButtonDialog> m_cancelQuestion;
    HomingClaim m_homing{this};
};
