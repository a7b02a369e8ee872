#pragma once

#include <QDialog>
#include <QList>

class MenuTable;
class SerialObject;
struct MenuRow;
namespace Ui {
class Control;
}

// The control menu behind the main window's Control button: jogging, the
// motors' switch, homing, filament load and unload, and the preheat menu.
// The board's motor state follows the stored setting each time the menu opens;
// the motor row switches it and, once the board has taken the switch, shows
// and stores the new state.
class Control : public QDialog {
    Q_OBJECT
public:
    enum Action_Type {
        Action_Move = 0,
        Action_Motor_Enable = 1,
        Action_Homing = 2,
        Action_Loading = 3,
        Action_Unloading = 4,
        Action_PreheatList = 5,
    };

    static Control *instControl;

    explicit Control(QWidget *parent = nullptr);
    ~Control() override;

private slots:
    void itemDoClicked(int index);

private:
    void initData();
    void toggleMotors();
    MenuRow motorRow() const;

    Ui::Control *ui;
    MenuTable *m_menu;
    SerialObject *m_serialObject;
    QList<Action_Type> m_actions;
    bool m_motorStatus = true;
    // A switch of the motors is on its way to the board.
    bool m_motorSwitching = false;
};
