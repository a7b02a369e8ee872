#include "onelabledialog.h"
#include "ui_onelabledialog.h"

OneLableDialog *OneLableDialog::instOneLableDialog = nullptr;

OneLableDialog::OneLableDialog(const QString &text, QWidget *parent)
    : ShellDialog(parent)
    , ui(new Ui::OneLableDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    trackInstance(instOneLableDialog);
    setLabelText(text);
}

OneLableDialog::~OneLableDialog()
{
    delete ui;
}

void OneLableDialog::setLabelText(const QString &text)
{
    ui->textLabel->setText(text);
}
