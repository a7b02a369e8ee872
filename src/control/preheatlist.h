#pragma once

#include <QList>
#include <QWidget>

class MenuTable;
namespace Ui {
class PreheatList;
}

// The preheat menu: one row per material preset. A press reads that
// material's nozzle and bed temperatures from the settings at that moment
// (so edited presets apply at once) and opens the preheat page with them.
class PreheatList : public QWidget {
    Q_OBJECT
public:
    enum Action_Type { Action_PLA_Preheating = 0, Action_ABS_Preheading = 1 };

    static PreheatList *instPreheatList;

    explicit PreheatList(QWidget *parent = nullptr);
    // Closes an open preheat page with the menu.
    ~PreheatList() override;

private slots:
    void itemDoClicked(int index);

private:
    Ui::PreheatList *ui;
    MenuTable *m_menu;
    QList<Action_Type> m_actions;
};
