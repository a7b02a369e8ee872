#pragma once

#include <QDialog>

namespace Ui {
class FactorySetting;
}

// The factory reset: after a confirmation, the menu's toggles on, bed
// calibration off, the default steps per millimetre, the print files and the
// interrupted print in /data gone, the saved Wi-Fi networks forgotten and the
// language back to English. The settings menu creates it and calls
// recoveryFactorySetting() at once, so the user sees only the question.
// The files are removed and everything is flushed to the medium on a flush
// thread, under the busy notice; the reset shows done (the menu in English)
// only when that has finished.
class FactorySetting : public QDialog {
    Q_OBJECT
public:
    enum Back_Btn_Display_Status { Back_Btn_Display = 0, Back_Btn_None = 1 };

    static FactorySetting *instFactorySetting;

    explicit FactorySetting(QWidget *parent = nullptr);
    ~FactorySetting() override;

    // Asks, resets on "Yes", then closes the page (once the reset is done).
    void recoveryFactorySetting();

signals:
    void translatorChanged();

private slots:
    void on_start_stop_pressed();

private:
    void resetToFactory();
    // On the GUI thread, once the reset is on the medium.
    void showResetDone();

    Ui::FactorySetting *ui;
    Back_Btn_Display_Status backBtnDisplayStatus = Back_Btn_Display;
    bool m_resetting = false;
    bool m_closeWhenReset = false;
};
