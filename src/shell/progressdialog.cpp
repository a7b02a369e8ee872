#include "progressdialog.h"
#include "dialogtexts.h"
#include "ui_progressdialog.h"

ProgressDialog *ProgressDialog::instProgressDialog = nullptr;

ProgressDialog::ProgressDialog(const QString &title, const QString &text, QWidget *parent)
    : ShellDialog(parent)
    , ui(new Ui::ProgressDialog)
{
    ui->setupUi(this);
    trackInstance(instProgressDialog);
    DialogTexts::setTitle(ui->titleLabel, title);
    ui->textLabel->setText(text);
    connect(ui->cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

ProgressDialog::~ProgressDialog()
{
    delete ui;
}

void ProgressDialog::setLabelText(const QString &text)
{
    ui->textLabel->setText(text);
}

void ProgressDialog::setMax(qint64 max)
{
    m_max = max;
}

void ProgressDialog::setValue(qint64 value)
{
    int percent;
    if (value == m_max)
        percent = 100;
    else if (value > m_max)
        percent = 1;
    else if (m_max <= 0)
        return; // below a non-positive maximum there is no sensible share
    else
        percent = int(value * 100 / m_max); // 64-bit: file sizes times 100 overflow an int
    if (percent <= 0)
        return;
    ui->progressBar->setValue(percent);
}
