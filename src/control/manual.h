#pragma once

#include <QDialog>

class QTimer;
class SerialObject;
namespace Ui {
class Manual;
}

// Jogs one axis while an arrow is held: the press starts a move towards a
// target beyond the travel, the release (or the hold limit) stops it with
// "M112", and the position read back with "M114" is shown.
class Manual : public QDialog {
    Q_OBJECT
public:
    static Manual *instManual;
    // No move runs longer than this, however long an arrow is held.
    static constexpr int HoldLimitMs = 5000;

    explicit Manual(QWidget *parent = nullptr);
    ~Manual() override;

private slots:
    void on_back_clicked();
    void on_Xm_pressed();
    void on_Xm_released();
    void on_Xp_pressed();
    void on_Xp_released();
    void on_Ym_pressed();
    void on_Ym_released();
    void on_Yp_pressed();
    void on_Yp_released();
    void on_Zm_pressed();
    void on_Zm_released();
    void on_Zp_pressed();
    void on_Zp_released();
    void showCoordinate();
    void timerOut();

private:
    void startMove(const QString &command);
    void stopMove();

    Ui::Manual *ui;
    SerialObject *serialObject = nullptr;
    QTimer *timer;
};
