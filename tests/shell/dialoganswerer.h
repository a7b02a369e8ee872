#pragma once

#include "onebuttondialog.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

// Answers modal one-button dialogs that code under test runs with exec():
// records each dialog's title and text, then presses its button.
class DialogAnswerer : public QObject {
public:
    DialogAnswerer()
    {
        connect(&m_timer, &QTimer::timeout, this, &DialogAnswerer::poll);
        m_timer.start(5);
    }

    QStringList answered; // "title|text" of each dialog answered

private:
    void poll()
    {
        OneButtonDialog *dialog = OneButtonDialog::instOneButtonDialog;
        if (!dialog || !dialog->isVisible())
            return;
        answered << dialog->findChild<QLabel *>("titleLabel")->text() + '|'
                        + dialog->findChild<QLabel *>("textLabel")->text();
        QTest::mouseClick(dialog->findChild<QPushButton *>("okBtn"), Qt::LeftButton);
    }

    QTimer m_timer;
};
