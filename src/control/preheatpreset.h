#pragma once

#include <QString>
#include <QWidget>

#include <functional>

namespace Ui {
class PreheatPresetEditor;
}

// The editor of one material's preheat preset: a nozzle and a bed row; a
// touched row takes the number typed on the page's keypad (brought into its
// range), Save stores both values and closes the page. PLAPreHeat and
// ABSPreHeat below are its two materials.
class PreheatPresetEditor : public QWidget {
    Q_OBJECT
public:
    enum Prheat_Select { PreHeat_None = 0, PreHeat_Nozzle = 1, PreHeat_Platfrom = 2 };

    static constexpr int MinTemp = 20;
    static constexpr int MaxNozzleTemp = 250;
    static constexpr int MaxPlatformTemp = 110;
    static constexpr int MaxDigits = 3;

    // Where a material's two values live in the settings.
    struct Preset {
        QString nozzleName;
        QString platformName;
        std::function<int()> nozzle;
        std::function<int()> platform;
        std::function<void(int nozzle, int platform)> store;
    };

    ~PreheatPresetEditor() override;

protected:
    PreheatPresetEditor(const Preset &preset, QWidget *parent);

private slots:
    void on_show_Nozzle_temp_clicked();
    void on_show_Platform_temp_clicked();
    void on_save_clicked();
    void on_btn_esc_clicked();
    void on_btn_ok_clicked();
    void on_btn_delete_clicked();

private:
    void selectRow(Prheat_Select row);
    void showKeyboardPage();
    void hideKeyboardPage();
    void getButtonLetter(const QString &letter);
    void showInput(int cursor);

    Ui::PreheatPresetEditor *ui;
    const Preset m_preset;
    Prheat_Select m_preheatSelect = PreHeat_None;
    QString m_inputStr;
    int m_nozzleTemp;
    int m_platformTemp;
};

class PLAPreHeat : public PreheatPresetEditor {
    Q_OBJECT
public:
    static PLAPreHeat *instPLAPreHeat;
    explicit PLAPreHeat(QWidget *parent = nullptr);
    ~PLAPreHeat() override;
};

class ABSPreHeat : public PreheatPresetEditor {
    Q_OBJECT
public:
    static ABSPreHeat *instABSPreHeat;
    explicit ABSPreHeat(QWidget *parent = nullptr);
    ~ABSPreHeat() override;
};
