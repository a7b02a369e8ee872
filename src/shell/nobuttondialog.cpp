#include "nobuttondialog.h"
#include "dialogtexts.h"
#include "ui_nobuttondialog.h"

NoButtonDialog *NoButtonDialog::instNoButtonDialog = nullptr;

NoButtonDialog::NoButtonDialog(const QString &title, const QString &text, QWidget *parent)
    : ShellDialog(parent)
    , ui(new Ui::NoButtonDialog)
{
    ui->setupUi(this);
    trackInstance(instNoButtonDialog);
    DialogTexts::setTitle(ui->titleLabel, title);
    ui->textLabel->setText(text);
}

NoButtonDialog::~NoButtonDialog()
{
    delete ui;
}
