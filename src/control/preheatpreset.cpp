#include "preheatpreset.h"
#include "config.h"
#include "getconfigfile.h"
#include "pageframe.h"
#include "ui_preheatpreset.h"

#include <QRegularExpression>
#include <QToolButton>

namespace {

const char *const EditedRow = "background-color:#FFFFFF;";
const char *const PlainRow = "background-color:#f0f0f0;";
const char *const EditedValue = "color:#C2172D;font:16px;border:0px;";
const char *const PlainValue = "color:#222222;font:16px;border:0px;";

Config *config()
{
    return getConfigFile()->configFile();
}

} // namespace

PreheatPresetEditor::PreheatPresetEditor(const Preset &preset, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::PreheatPresetEditor)
    , m_preset(preset)
    , m_nozzleTemp(preset.nozzle())
    , m_platformTemp(preset.platform())
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget_2, ui->back);
    ui->nozzle_lable->setText(preset.nozzleName);
    ui->platform_lable->setText(preset.platformName);
    ui->show_Nozzle_temp_lable->setText(QString::number(m_nozzleTemp));
    ui->show_Platform_temp_lable->setText(QString::number(m_platformTemp));
    for (QToolButton *digit : ui->digital_widget->findChildren<QToolButton *>(QRegularExpression("^dig_\\d$")))
        connect(digit, &QToolButton::clicked, this, [this, digit] { getButtonLetter(digit->text()); });
    hideKeyboardPage();
}

PreheatPresetEditor::~PreheatPresetEditor()
{
    delete ui;
}

void PreheatPresetEditor::selectRow(Prheat_Select row)
{
    m_preheatSelect = row;
    const bool nozzle = row == PreHeat_Nozzle;
    ui->nozzle_widget->setStyleSheet(QLatin1String(nozzle ? EditedRow : PlainRow));
    ui->show_Nozzle_temp_lable->setStyleSheet(QLatin1String(nozzle ? EditedValue : PlainValue));
    ui->platform_widget->setStyleSheet(QLatin1String(nozzle ? PlainRow : EditedRow));
    ui->show_Platform_temp_lable->setStyleSheet(QLatin1String(nozzle ? PlainValue : EditedValue));
    // Digits typed before switching rows go to the newly chosen row.
    showKeyboardPage();
}

void PreheatPresetEditor::on_show_Nozzle_temp_clicked()
{
    selectRow(PreHeat_Nozzle);
}

void PreheatPresetEditor::on_show_Platform_temp_clicked()
{
    selectRow(PreHeat_Platfrom);
}

void PreheatPresetEditor::showKeyboardPage()
{
    ui->digital_widget->show();
    ui->save->hide();
}

void PreheatPresetEditor::hideKeyboardPage()
{
    ui->digital_widget->hide();
    ui->save->show();
}

void PreheatPresetEditor::showInput(int cursor)
{
    ui->input->setText(m_inputStr);
    ui->input->setCursorPosition(cursor);
}

void PreheatPresetEditor::getButtonLetter(const QString &letter)
{
    // Three digits hold every allowed temperature; more could only overflow.
    if (letter.isEmpty() || m_inputStr.size() >= MaxDigits)
        return;
    const int cursor = ui->input->cursorPosition();
    m_inputStr.insert(cursor, letter.at(0));
    showInput(cursor + 1);
}

void PreheatPresetEditor::on_btn_delete_clicked()
{
    const int cursor = ui->input->cursorPosition();
    if (cursor <= 0) {
        ui->input->setCursorPosition(0);
        return;
    }
    m_inputStr.remove(cursor - 1, 1);
    showInput(cursor - 1);
}

void PreheatPresetEditor::on_btn_esc_clicked()
{
    hideKeyboardPage();
    ui->input->clear();
    m_inputStr.clear();
}

void PreheatPresetEditor::on_btn_ok_clicked()
{
    const QString typed = m_inputStr.trimmed();
    // An empty entry keeps the value: OK is no way to set the lowest one.
    if (!typed.isEmpty() && m_preheatSelect != PreHeat_None) {
        const bool nozzle = m_preheatSelect == PreHeat_Nozzle;
        const int value = qBound(MinTemp, typed.toInt(), nozzle ? MaxNozzleTemp : MaxPlatformTemp);
        (nozzle ? m_nozzleTemp : m_platformTemp) = value;
        (nozzle ? ui->show_Nozzle_temp_lable : ui->show_Platform_temp_lable)->setText(QString::number(value));
    }
    if (m_preheatSelect == PreHeat_Nozzle) {
        ui->nozzle_widget->setStyleSheet(QLatin1String(PlainRow));
        ui->show_Nozzle_temp_lable->setStyleSheet(QLatin1String(PlainValue));
    } else if (m_preheatSelect == PreHeat_Platfrom) {
        ui->platform_widget->setStyleSheet(QLatin1String(PlainRow));
        ui->show_Platform_temp_lable->setStyleSheet(QLatin1String(PlainValue));
    }
    on_btn_esc_clicked();
}

void PreheatPresetEditor::on_save_clicked()
{
    m_preset.store(m_nozzleTemp, m_platformTemp);
    close();
}

PLAPreHeat *PLAPreHeat::instPLAPreHeat = nullptr;

PLAPreHeat::PLAPreHeat(QWidget *parent)
    : PreheatPresetEditor({tr("PLA Nozzle Temp"), tr("PLA Platform Temp"),
                           [] { return config()->getPLANozzleTemperature(); },
                           [] { return config()->getPLAPlatformTemperature(); },
                           [](int nozzle, int platform) {
                               config()->setPLANozzleTemperature(nozzle);
                               config()->setPLAPlatformTemperature(platform);
                           }},
                          parent)
{
    instPLAPreHeat = this;
}

PLAPreHeat::~PLAPreHeat()
{
    if (instPLAPreHeat == this)
        instPLAPreHeat = nullptr;
}

ABSPreHeat *ABSPreHeat::instABSPreHeat = nullptr;

ABSPreHeat::ABSPreHeat(QWidget *parent)
    : PreheatPresetEditor({tr("ABS Nozzle Temp"), tr("ABS Platform Temp"),
                           [] { return config()->getABSNozzleTemperature(); },
                           [] { return config()->getABSPlatformTemperature(); },
                           [](int nozzle, int platform) {
                               config()->setABSNozzleTemperature(nozzle);
                               config()->setABSPlatformTemperature(platform);
                           }},
                          parent)
{
    instABSPreHeat = this;
}

ABSPreHeat::~ABSPreHeat()
{
    if (instABSPreHeat == this)
        instABSPreHeat = nullptr;
}
