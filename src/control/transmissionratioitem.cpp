#include "transmissionratioitem.h"
#include "ui_transmissionratioitem.h"
#include "valuestepper.h"

TransmissionRatioItem::TransmissionRatioItem(const QString &name, int value, int max, int min, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::TransmissionRatioItem)
{
    ui->setupUi(this);
    ui->label_name->setText(name);
    m_stepper = new ValueStepper(ui->btn_sub, ui->btn_add, ui->label_value, min, max,
                                 ValueStepper::Mode::HoldToRepeat, this);
    m_stepper->setChangeMark(QStringLiteral("#label_value{color: #222222;font:14px;}"),
                             QStringLiteral("#label_value{color: #C2172D;font:14px;}"));
    m_stepper->setValue(value);
}

TransmissionRatioItem::~TransmissionRatioItem()
{
    delete ui;
}

int TransmissionRatioItem::getValue() const
{
    return m_stepper->value();
}

bool TransmissionRatioItem::isValueChang() const
{
    return m_stepper->isChanged();
}

void TransmissionRatioItem::valueReset()
{
    m_stepper->resetReference();
}

void TransmissionRatioItem::enterEvent(QEvent *event)
{
    ui->widget_back->setStyleSheet(QStringLiteral("#widget_back{background-color: #FFFFFF;border: 0px;}"));
    QWidget::enterEvent(event);
}

void TransmissionRatioItem::leaveEvent(QEvent *event)
{
    ui->widget_back->setStyleSheet(QStringLiteral("#widget_back{background-color: transparent;border: 0px;}"));
    QWidget::leaveEvent(event);
}
