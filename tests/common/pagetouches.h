#pragma once

// Touching list pages and guarded buttons in page tests.
#include "onetimesclicked.h"

#include <QAbstractButton>
#include <QIcon>
#include <QImage>
#include <QStringList>
#include <QTableWidget>
#include <QTest>

// Touches row `row` of the page on screen as a finger does.
inline void pressRow(QTableWidget *table, int row)
{
    const QPoint centre = table->visualItemRect(table->item(row, 1)).center();
    QTest::mousePress(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
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

// Clicks a button whose handler sits behind the click guard once the guard
// of an earlier tap has run out; false when it never does.
inline bool clickPastGuard(QAbstractButton *button)
{
    if (!QTest::qWaitFor([] { return !OneTimesClicked()->isHasClicked(); }))
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}
