#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

namespace Ui {
class ShowDiskItem;
}

// One row of the file browser: icon, name and, in select mode, the
// selection mark. Touches are handled by the browser (its event filter).
class ShowDiskItem : public QWidget {
    Q_OBJECT
public:
    explicit ShowDiskItem(QWidget *parent = nullptr);
    ~ShowDiskItem() override;

    void setIcon(const QPixmap &pixmap);
    void setItemText(const QString &text);
    QString itemText() const { return m_text; }
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }
    void setSelectIconVisible(bool visible);
    bool isSelectIconVisible() const { return m_selectIconVisible; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showElidedText();

    Ui::ShowDiskItem *ui;
    QString mSelectIconPath;
    QString m_text;
    bool m_selected = false;
    bool m_selectIconVisible = false;
};
