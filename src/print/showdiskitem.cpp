#include "showdiskitem.h"
#include "ui_showdiskitem.h"

namespace {
const char kSelectIcon[] = ":/Resource/icon/Select.png";
const char kSelectedIcon[] = ":/Resource/icon/Select_c.png";
} // namespace

ShowDiskItem::ShowDiskItem(QWidget *parent)
    : QWidget(parent), ui(new Ui::ShowDiskItem), mSelectIconPath(QString::fromLatin1(kSelectIcon))
{
    ui->setupUi(this);
    setSelectIconVisible(false);
}

ShowDiskItem::~ShowDiskItem()
{
    delete ui;
}

void ShowDiskItem::setIcon(const QPixmap &pixmap)
{
    ui->label_icon->setPixmap(
        pixmap.isNull() ? pixmap
                        : pixmap.scaled(ui->label_icon->size(), Qt::KeepAspectRatio, Qt::FastTransformation));
}

void ShowDiskItem::setItemText(const QString &text)
{
    m_text = text;
    showElidedText();
}

// The label's width is known only once the row is laid out, so the name is
// elided again whenever it changes.
void ShowDiskItem::showElidedText()
{
    const QFontMetrics metrics(ui->label_itemText->font());
    ui->label_itemText->setText(metrics.elidedText(m_text, Qt::ElideRight, ui->label_itemText->width()));
}

void ShowDiskItem::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ui->widget_back->layout()->activate();
    showElidedText();
}

void ShowDiskItem::setSelected(bool selected)
{
    m_selected = selected;
    mSelectIconPath = QString::fromLatin1(selected ? kSelectedIcon : kSelectIcon);
    if (m_selectIconVisible)
        ui->label_select->setPixmap(QPixmap(mSelectIconPath));
}

void ShowDiskItem::setSelectIconVisible(bool visible)
{
    m_selectIconVisible = visible;
    ui->label_select->setPixmap(visible ? QPixmap(mSelectIconPath) : QPixmap());
}

void ShowDiskItem::mousePressEvent(QMouseEvent *) {}

void ShowDiskItem::mouseReleaseEvent(QMouseEvent *) {}

void ShowDiskItem::enterEvent(QEvent *)
{
    ui->widget_back->setStyleSheet(QStringLiteral("#widget_back{   background-color: #FFFFFF;}"));
}

void ShowDiskItem::leaveEvent(QEvent *)
{
    ui->widget_back->setStyleSheet(QStringLiteral("#widget_back{   background-color: #F0F0F0;}"));
}
