#pragma once

#include "homingclaim.h"
#include "returnhomelistener.h"

#include <QDialog>

class MotionIdlePoller;
class SerialObject;
namespace Ui {
class PlatformLevel;
}

// Four-corner bed levelling: homes, then lowers the nozzle to Z0 over each
// corner in turn so that the user can turn the nut under that corner until
// the bed touches the nozzle; "Next" goes on to the next corner, "Complete"
// after the fourth homes again and the page closes itself.
class PlatformLevel : public QDialog, public ReturnHomeListener {
    Q_OBJECT
public:
    enum Check_Return_Home {
        Return_Home_Before_Check = 0,
        Return_Home_Check_Complete = 1,
    };
    // The corner the next press of the button moves to.
    enum Calibration_Step {
        Step_Point1 = 0,
        Step_Point2 = 1,
        Step_Point3 = 2,
        Step_Point4 = 3,
        Step_Completed = 4,
    };

    static PlatformLevel *instPlatformLevel;
    // Delay before the page closes after "Leveling completed!".
    static constexpr int CloseDelayMs = 3000;

    explicit PlatformLevel(QWidget *parent = nullptr);
    ~PlatformLevel() override;

    void checkReturnHomeDone() override;
    // Homing gave up, or the board did not take its end: say so and give
    // Back back, whichever of the two homings it was.
    void returnHomeFailed() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void platformLevelfirstStep();
    void arrivedAtCorner();
    // The board did not take a corner, or fell silent on the way.
    void moveFailed();
    void on_ok_clicked();

private:
    // Sends the lift, travel and lowering of corner `index` (0..3) and
    // starts waiting for the board to finish them.
    void moveToCorner(int index);
    void showBusy(const QString &text);
    // Ends the page's sequence where it is with `text`; Back leaves.
    void showFailure(const QString &text);
    void hiddenUI();
    void extruderCalibrationDone();

    Ui::PlatformLevel *ui;
    SerialObject *serialObject = nullptr;
    MotionIdlePoller *m_idlePoller;
    HomingClaim m_homing{this};
    Check_Return_Home checkReturnHome = Return_Home_Before_Check;
    Calibration_Step m_calibration_step = Step_Point1;
    bool m_isMove = false;
};
