#pragma once

#include <QDialog>
#include <QIcon>
#include <QList>
#include <QString>

#include <functional>

class MenuTable;
class SerialObject;
namespace Ui {
class Setting;
}

// The settings menu's rows whose pages are not part of this library. The
// program fills them in before the menu opens; an empty opener makes its row
// open nothing. An opener opens its page only while it is not open.
struct SettingPageOpeners {
    std::function<void()> openWifi;
    std::function<void()> openAbout;
    std::function<void()> openUpdate;
};

// The settings menu: eleven rows on two pages. Four rows are toggles that are
// stored at once (the light also switches the lamp on the board); the others
// open their page, or, for the factory reset, ask and reset.
class Setting : public QDialog {
    Q_OBJECT
public:
    enum Setting_Action_Type {
        Action_Temperature = 0,
        Action_WIFI = 1,
        Action_Language = 2,
        Action_Ratio = 3,
        Action_ResumePrint = 4,
        Action_FilamentDetect = 5,
        Action_Light = 6,
        Action_Buzzer = 7,
        ACtion_Factory_Reset = 8,
        Action_Info = 9,
        Action_Upgrade = 10,
    };

    struct Setting_ItemInfo {
        Setting_Action_Type actionType;
        QString itemText;
        QIcon icon;
    };

    static Setting *instSetting;
    static void setPageOpeners(const SettingPageOpeners &openers);

    explicit Setting(QWidget *parent = nullptr);
    ~Setting() override;

public slots:
    // Builds the rows again in the current language (after a switch).
    void updateDisplayLabel();

private:
    void initData();
    void showList();
    void itemDoClicked(int index);
    void toggle(Setting_Action_Type action);
    void sendLight();

    Ui::Setting *ui;
    MenuTable *m_menu;
    SerialObject *m_serialObject;
    QList<Setting_ItemInfo> m_AllItemInfoList;
    bool m_resumePrintStatus = true;
    bool m_filamentDetectStatus = true;
    bool m_ledStatus = true;
    bool m_buzzerStatus = true;
};
