#pragma once

#include "homingclaim.h"
#include "returnhomelistener.h"

#include <QDialog>

class SerialObject;
namespace Ui {
class Home;
}

// Homes X, Y and Z when it opens and says when that is done (the board has
// taken the new origin) or that it failed; the back button stays disabled
// until then. Closing stops the machine and releases the motors.
class Home : public QDialog, public ReturnHomeListener {
    Q_OBJECT
public:
    static Home *instHome;

    explicit Home(QWidget *parent = nullptr);
    ~Home() override;

    void checkReturnHomeDone() override;
    // Homing gave up, or the board did not take its end: say so and let the
    // user out.
    void returnHomeFailed() override;

private:
    void showFailed();

    Ui::Home *ui;
    SerialObject *serialObject = nullptr;
    HomingClaim m_homing{this};
};
