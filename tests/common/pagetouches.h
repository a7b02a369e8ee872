#pragma once

// Touching list pages and guarded buttons in page tests.
#include "onetimesclicked.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QStringList>
#include <QTableWidget>
#include <QTest>

// Presses a row of a menu page's list, as a finger does.
inline void pressRow(QWidget *page, int row)
{
    auto *table = page->findChild<QTableWidget *>("tableWidget");
    const QPoint at = table->visualItemRect(table->item(row, 1)).center();
    QTest::mousePress(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, at);
}

// The texts of the rows on screen.
inline QStringList rowTexts(QTableWidget *table)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << table->item(row, 1)->text();
    return texts;
}

// True when row `row` shows the icon ":/Resource/icon/<name>.png".
inline bool rowShowsIcon(QTableWidget *table, int row, const QString &name)
{
    const QIcon icon = table->item(row, 2)->icon();
    return !icon.isNull()
        && icon.pixmap(42).toImage() == QIcon(":/Resource/icon/" + name + ".png").pixmap(42).toImage();
}

// Waits until the click guard of an earlier tap has run out.
inline void waitForFreeClickGuard()
{
    (void)QTest::qWaitFor([] { return !OneTimesClicked()->isHasClicked(); });
}

// Clicks a button whose handler sits behind the click guard.
inline void clickPastGuard(QAbstractButton *button)
{
    waitForFreeClickGuard();
    QTest::mouseClick(button, Qt::LeftButton);
}
