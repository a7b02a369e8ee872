#include "onebuttondialog.h"
#include "dialogtexts.h"
#include "ui_onebuttondialog.h"

OneButtonDialog *OneButtonDialog::instOneButtonDialog = nullptr;

OneButtonDialog::OneButtonDialog(const QString &title, const QString &text,
                                 const QString &buttonText, QWidget *parent)
    : ShellDialog(parent)
    , ui(new Ui::OneButtonDialog)
{
    ui->setupUi(this);
    trackInstance(instOneButtonDialog);
    DialogTexts::setTitle(ui->titleLabel, title);
    ui->textLabel->setText(text);
    setBtnText(buttonText);
    connect(ui->okBtn, &QPushButton::clicked, this, &QDialog::accept);
}

OneButtonDialog::~OneButtonDialog()
{
    delete ui;
}

void OneButtonDialog::setLabelText(const QString &text)
{
    ui->textLabel->setText(text);
}

OneButtonDialog *OneButtonDialog::showMessage(const QString &text, const QString &buttonText)
{
    if (instOneButtonDialog) {
        instOneButtonDialog->setLabelText(text);
        if (!buttonText.isEmpty())
            instOneButtonDialog->setBtnText(buttonText);
    } else {
        new OneButtonDialog(QString(), text, buttonText);
    }
    instOneButtonDialog->show();
    return instOneButtonDialog;
}

void OneButtonDialog::setBtnText(const QString &text)
{
    ui->okBtn->setText(text.isEmpty() ? tr("OK") : text);
}
