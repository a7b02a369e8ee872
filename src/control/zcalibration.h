#pragma once

#include "homingclaim.h"
#include "returnhomelistener.h"
#include "stepworker.h"

#include <QString>
#include <QWidget>

#include <atomic>

class QToolButton;
class SerialObject;
namespace Ui {
class ZCalibration;
}

// Measures the bed's height at nine points with the Z probe and stores them
// as the bed calibration ("autoCalibration"/"point1".."point9", "status"),
// which the printing page then takes as its Z origin. "status" is off while
// the page works and on only once all nine points are real readings.
//
// The probing runs on a worker, one step a second: per point a lift and the
// travel, then the probing descent once the board is idle, then the reading
// of the height where the probe stopped.
class ZCalibration : public QWidget, public ReturnHomeListener {
    Q_OBJECT
public:
    enum calibration_status {
        RETURN_HOME_BEFORE_CALIBRATION = 0,
        CALIBRATION_POINT1 = 1,
        CALIBRATION_POINT2,
        CALIBRATION_POINT3,
        CALIBRATION_POINT4,
        CALIBRATION_POINT5,
        CALIBRATION_POINT6,
        CALIBRATION_POINT7,
        CALIBRATION_POINT8,
        CALIBRATION_POINT9,
        RETURN_HOME_CALIBRATION_COMPLETE = 10,
    };
    typedef calibration_status calibration_status_t;

    enum one_point_step {
        STEP_1 = 0,
        STEP_2 = 1,
        STEP_3 = 2,
        ONE_POINT_COMPLETED = 3,
    };
    typedef one_point_step one_point_step_t;

    static ZCalibration *instZCalibration;
    static constexpr int PointCount = 9;

    explicit ZCalibration(QWidget *parent = nullptr);
    ~ZCalibration() override;

    // End of homing, on the GUI thread.
    void checkReturnHomeDone() override;
    // Homing gave up, or the board did not take its end: nothing is probed;
    // the page says so and Back leaves it.
    void returnHomeFailed() override;

    // The worker's operations. One step: 0 to go on, -1 when finished.
    int performAutoCalibrationProcess();
    // One sub-step of the point whose travel command is `moveCommand`;
    // returns the sub-step reached.
    one_point_step_t onePointProcess(const QString &moveCommand);
    // True while the board is still moving.
    bool returnMotorMoveStatus();
    // Stores `z` as the height of the point whose travel command is given.
    void setAutoPoint(const QString &moveCommand, float z);

    // "G1 X54 Y235 F4000" for point 1 ... "G1 X245 Y30 F4000" for point 9.
    static QString moveCommand(int point);

    calibration_status_t status() const { return m_calibrationStatus.load(); }
    bool workerRunning() const { return m_worker.isRunning(); }

signals:
    // The point (1..9) whose marker to highlight; emitted on the worker.
    void sig_calibrationOnePoint(int point);

private slots:
    void on_back_clicked();
    void slot_updateOnePointUI(int point);

private:
    Ui::ZCalibration *ui;
    SerialObject *m_serialObject = nullptr;
    QToolButton *m_markers[PointCount];
    std::atomic<calibration_status_t> m_calibrationStatus{RETURN_HOME_BEFORE_CALIBRATION};
    one_point_step_t m_onePointStep = STEP_1; // the worker's alone once it runs
    StepWorker m_worker;
    HomingClaim m_homing{this};
};
