#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class MenuTable;
namespace Ui {
class Leveling;
}

// The Level button's menu. Its one row opens the four-corner bed levelling;
// the nine-point Z calibration has an action here but no row.
class Leveling : public QWidget {
    Q_OBJECT
public:
    enum level_mothod {
        LEVEL_PLATFORM_LEVEL = 0,
        LEVEL_Z_CALIBRATION = 1,
    };

    struct level_iteminfo {
        level_mothod actionType;
        QString itemText;
    };

    static Leveling *instLeveling;

    explicit Leveling(QWidget *parent = nullptr);
    ~Leveling() override;

private slots:
    void itemDoClicked(int row);

private:
    void initData();
    void showList();

    Ui::Leveling *ui;
    MenuTable *m_menu;
    QList<level_iteminfo> m_allItemInfoList;
};
