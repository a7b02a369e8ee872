#include "screencheck.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QToolButton>

namespace ScreenCheck {

QStringList clippedTexts(QWidget *screen)
{
    QStringList clipped;
    const QRect screenRect(0, 0, 272, 480);
    for (QLabel *label : screen->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const bool fits = label->wordWrap() ? label->height() >= label->heightForWidth(label->width())
                                            : label->width() >= label->sizeHint().width();
        if (!fits || !screenRect.contains(QRect(label->mapTo(screen->window(), QPoint()), label->size())))
            clipped << label->text();
    }
    for (QPushButton *button : screen->findChildren<QPushButton *>()) {
        if (!button->isVisible())
            continue;
        const int textWidth = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
        if (textWidth + 4 > button->width())
            clipped << button->text();
    }
    for (QToolButton *button : screen->findChildren<QToolButton *>()) {
        if (button->isVisible() && !button->text().isEmpty() && button->sizeHint().width() > button->width())
            clipped << button->text();
    }
    return clipped;
}

QStringList clippedRows(QTableWidget *table)
{
    QStringList clipped;
    // The item view pads a cell's text on both sides.
    const int padding = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, 1); // the text column
        if (item && table->fontMetrics().horizontalAdvance(item->text()) + padding > table->columnWidth(1))
            clipped << item->text();
    }
    return clipped;
}

void useDeviceFont()
{
    const int font = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"));
    if (font >= 0)
        QApplication::setFont(QFont(QFontDatabase::applicationFontFamilies(font).first(), 14));
}

void save(QWidget *screen, const QString &name)
{
    const QString dir = qEnvironmentVariable("SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    screen->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace ScreenCheck
