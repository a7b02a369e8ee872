#pragma once

#include "stepworker.h"

#include <QDialog>

class QPaintEvent;
class SerialObject;
namespace Ui {
class About;
}

// The printer's data on two display pages: machine type, the composite
// software version, the Wi-Fi address and MAC (refreshed once a second),
// hours of printing, serial number, free local storage and the maker's
// contact. Five presses on the serial number copy the log folder to the stick.
class About : public QDialog {
    Q_OBJECT
public:
    enum about_display_page { ABOUT_DISPLAY_ONE_PAGE = 0, ABOUT_DISPLAY_TWO_PAGE = 1 };

    static About *instAbout;
    static const char *const MachineType;

    explicit About(QWidget *parent = nullptr);
    ~About() override;

    void initView();
    // One refresh of the address and MAC (GUI thread).
    void showWIFIStatus();

private slots:
    void on_back_clicked();
    void on_up_clicked();
    void on_down_clicked();
    void on_back_pressed();
    void on_back_released();
    void on_btn_serinalNo_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showBackLook(bool pressed);
    void showVersion();
    void copyLogsToStick();

    Ui::About *ui;
    SerialObject *serialObject;
    about_display_page m_aboutDisplayPage = ABOUT_DISPLAY_ONE_PAGE;
    StepWorker m_refresh;
};
