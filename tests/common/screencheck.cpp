#include "screencheck.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTranslator>

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
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        // The text's own width, plus the icon and its gap where they share
        // the row; the button's size hint adds style margins that the text
        // may well use.
        int needed = button->fontMetrics().horizontalAdvance(button->text().remove('&'));
        if (button->toolButtonStyle() == Qt::ToolButtonTextBesideIcon && !button->icon().isNull())
            needed += button->iconSize().width() + 4;
        if (needed > button->width())
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

QStringList offeredLanguages()
{
    return {QStringLiteral("chinese-cn"), QStringLiteral("english"), QStringLiteral("german"),
            QStringLiteral("japanese"), QStringLiteral("french"), QStringLiteral("spanish")};
}

void addLanguageRows()
{
    QTest::addColumn<QString>("language");
    for (const QString &language : offeredLanguages())
        QTest::newRow(qPrintable(language)) << language;
}

bool installCatalogue(QTranslator &translator, const QString &language)
{
    if (!translator.load(QStringLiteral(":/Resource/translations/firmware_") + language)
        || !QCoreApplication::installTranslator(&translator))
        return false;
    // English texts fit where a catalogue that never answers leaves them, so
    // prove that this one answers.
    const char *probe = "The motion board does not respond.";
    return language == QLatin1String("english") || QCoreApplication::translate("MainWindow", probe) != QLatin1String(probe);
}

void useDeviceFont()
{
    // The font file sim/make-sandbox.sh installs as the program's font.
    const int font = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"));
    if (font >= 0)
        QApplication::setFont(QFont(QFontDatabase::applicationFontFamilies(font).first(), 14));
}

namespace {

// Where screenshots go: SCREENSHOT_DIR/<name>.png, or empty when unset.
QString screenshotPath(const QString &name)
{
    const QString dir = qEnvironmentVariable("SCREENSHOT_DIR");
    if (dir.isEmpty())
        return QString();
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name + QStringLiteral(".png");
}

} // namespace

void save(QWidget *screen, const QString &name)
{
    const QString path = screenshotPath(name);
    if (!path.isEmpty())
        screen->grab().save(path);
}

QImage grabScreen()
{
    // The framebuffer platforms compose the screen from posted repaints:
    // let them land first, so that the grab shows the windows as they are.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage();
}

bool showsOnScreen(QWidget *widget)
{
    if (!widget->isVisible())
        return false;
    // Inside its edges: rounded corners let the window's backdrop through,
    // which its own rendering and the screen may hold from different
    // moments.
    const int edge = 8;
    const QRect area = widget->rect().adjusted(edge, edge, -edge, -edge);
    QWidget *window = widget->window();
    const QImage own = window->grab(area.translated(widget->mapTo(window, QPoint())))
                           .toImage()
                           .convertToFormat(QImage::Format_RGB32);
    const QImage seen =
        grabScreen().copy(area.translated(widget->mapToGlobal(QPoint()))).convertToFormat(QImage::Format_RGB32);
    return own == seen;
}

void saveScreen(const QString &name)
{
    const QString path = screenshotPath(name);
    if (!path.isEmpty())
        grabScreen().save(path);
}

} // namespace ScreenCheck
