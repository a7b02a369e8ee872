#pragma once

// Finding and touching the file browser's rows and reading its messages, in
// the file-page tests.
#include "onebuttondialog.h"
#include "pagetouches.h"
#include "showdisk.h"
#include "showdiskitem.h"

#include <QDir>
#include <QLabel>
#include <QStringList>
#include <QTest>

inline ShowDiskItem *rowNamed(ShowDisk *page, const QString &name)
{
    for (ShowDiskItem *row : page->findChildren<ShowDiskItem *>())
        if (row->isVisible() && row->itemText() == name)
            return row;
    return nullptr;
}

// A touch on a row; a long one waits until the page is in select mode.
inline void touch(ShowDiskItem *row, bool longTouch = false)
{
    QVERIFY(row);
    waitForFreeClickGuard();
    QTest::mousePress(row, Qt::LeftButton);
    if (longTouch)
        QTRY_VERIFY(ShowDisk::instShowDisk->isSelectMode());
    QTest::mouseRelease(row, Qt::LeftButton);
}

inline QString messageShown()
{
    OneButtonDialog *dialog = OneButtonDialog::instOneButtonDialog;
    return dialog && dialog->isVisible() ? dialog->findChild<QLabel *>("textLabel")->text() : QString();
}

inline void closeMessage()
{
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->close();
    QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog);
}

// Every entry of a folder, hidden temporary files included.
inline QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
