#include "twobuttondialog.h"
#include "dialogtexts.h"
#include "ui_twobuttondialog.h"

TwoButtonDialog *TwoButtonDialog::instTwoButtonDialog = nullptr;

TwoButtonDialog::TwoButtonDialog(const QString &title, const QString &text, const QString &okText,
                                 const QString &backText, QWidget *parent)
    : ShellDialog(parent)
    , ui(new Ui::TwoButtonDialog)
{
    ui->setupUi(this);
    trackInstance(instTwoButtonDialog);
    DialogTexts::setTitle(ui->titleLabel, title);
    ui->textLabel->setText(text);
    if (!okText.isEmpty())
        ui->okBtn->setText(okText);
    if (!backText.isEmpty())
        ui->backBtn->setText(backText);
    connect(ui->okBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->backBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TwoButtonDialog::~TwoButtonDialog()
{
    delete ui;
}
