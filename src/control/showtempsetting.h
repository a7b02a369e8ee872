#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class MenuTable;
namespace Ui {
class ShowTempSetting;
}

// The list behind the settings menu's "Temperature" row: the two preheat
// presets, each opening its editor. It stays open beneath the editor.
class ShowTempSetting : public QWidget {
    Q_OBJECT
public:
    enum ShowTemp_Action_Type { Action_PLA_Preheat = 0, Action_ABS_Preheat = 1 };

    struct ShowTemp_ItemInfo {
        ShowTemp_Action_Type actionType;
        QString itemText;
    };

    static ShowTempSetting *instShowTempSetting;

    explicit ShowTempSetting(QWidget *parent = nullptr);
    ~ShowTempSetting() override;

private:
    void initData();
    void showList();
    void itemDoClicked(int row);

    Ui::ShowTempSetting *ui;
    MenuTable *m_menu;
    QList<ShowTemp_ItemInfo> m_AllItemInfoList;
};
