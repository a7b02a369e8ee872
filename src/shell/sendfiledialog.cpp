#include "sendfiledialog.h"
#include "screenbackdrop.h"
#include "shellstyle.h"
#include "ui_sendfiledialog.h"

SendFileDialog::SendFileDialog(QString text, QWidget *parent) : QDialog(parent), ui(new Ui::SendFileDialog)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog);
    move(0, 0);
    ScreenBackdrop::install(this, ShellStyle::dialogMask());
    ui->label->setText(text);
}

SendFileDialog::~SendFileDialog()
{
    delete ui;
}

void SendFileDialog::setLabelText(QString text)
{
    ui->label->setText(text);
}

QString SendFileDialog::labelText() const
{
    return ui->label->text();
}
