#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

class BoardRequest;
class QLabel;
class QProgressBar;
class QToolButton;
class SerialObject;
class ValueStepper;
namespace Ui {
class Preheat;
}

// Heats the nozzle and the bed to chosen set-points, each heater on its own:
// minus and plus set the value (held keys repeat), Start switches the heater
// on with a live read-out, Cancel switches it off, and a heater switches
// itself off 10 minutes after its start. "Back" switches both heaters off; a
// page closed otherwise (with its menu) switches off the heaters it started.
// The motors are released while the page is open.
class Preheat : public QDialog {
    Q_OBJECT
public:
    static Preheat *instPreheat;

    static constexpr int NozzleMin = 20;
    static constexpr int NozzleMax = 250;
    static constexpr int PlatformMin = 20;
    static constexpr int PlatformMax = 110;
    static constexpr int AutoOffMs = 600000;
    static constexpr int ReadOutMs = 1000;

    Preheat(int nozzle, int bed, QWidget *parent = nullptr);
    ~Preheat() override;

private slots:
    void on_back_clicked();
    void on_nozzleStart_clicked();
    void on_plateStart_clicked();
    void showExtruderOrPlatformTemp();

private:
    // One heater's panel and what switches it.
    struct Heater {
        QToolButton *start;
        QLabel *setPoint;
        QLabel *current;
        QLabel *target;
        QProgressBar *bar;
        QToolButton *minus;
        QToolButton *plus;
        ValueStepper *stepper;
        QTimer autoOff;
        // Sets the heater's target on the board; 0 switches it off.
        std::function<BoardRequest *(int)> heat;
        // Counts the switches, so that the outcome of one that was
        // overtaken by a later one changes nothing on screen.
        int switches = 0;
        std::function<int()> currentTemp;
    };

    void setUpHeater(Heater &heater, int min, int max, int preset);
    void startClicked(Heater &heater);
    void switchHeater(Heater &heater, bool on);
    void showHeating(Heater &heater, bool on);
    void showReadOut(Heater &heater, int celsius);

    Ui::Preheat *ui;
    SerialObject *serialObject;
    Heater m_nozzle;
    Heater m_platform;
    QTimer m_readOut;
};
