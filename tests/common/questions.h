#pragma once

// Answering the shared modal questions in page tests. A question runs its
// own event loop inside exec(), so answers come from timers in that loop.
#include "onebuttondialog.h"
#include "twobuttondialog.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>

// Acts once on the next modal question as soon as it shows.
inline void onNextQuestion(std::function<void(TwoButtonDialog *)> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        TwoButtonDialog *question = TwoButtonDialog::instTwoButtonDialog;
        if (!question || !question->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action(question);
    });
    poll->start(5);
}

// Answers the next question with its first (true) or second button.
inline void answerNextQuestion(bool yes)
{
    onNextQuestion([yes](TwoButtonDialog *question) {
        question->findChild<QPushButton *>(yes ? "okBtn" : "backBtn")->click();
    });
}

// While it lives, answers each question that shows once: records "title|text" and presses OK
// (yes) or Back (no) after `delayMs`, or runs `whileOpen` instead of
// answering.
class QuestionAnswerer : public QObject {
public:
    explicit QuestionAnswerer(bool yes, int delayMs = 0)
        : m_yes(yes)
        , m_delayMs(delayMs)
    {
        connect(&m_timer, &QTimer::timeout, this, &QuestionAnswerer::poll);
        m_timer.start(2);
    }

    std::function<void()> whileOpen;
    QStringList asked;

private:
    void poll()
    {
        TwoButtonDialog *dialog = TwoButtonDialog::instTwoButtonDialog;
        if (!dialog || !dialog->isVisible() || dialog == m_seen)
            return;
        m_seen = dialog;
        asked << dialog->findChild<QLabel *>("titleLabel")->text() + '|'
                     + dialog->findChild<QLabel *>("textLabel")->text();
        if (whileOpen) {
            whileOpen();
            return;
        }
        QPointer<TwoButtonDialog> target(dialog);
        QTimer::singleShot(m_delayMs, this, [this, target] {
            if (target)
                QTest::mouseClick(target->findChild<QPushButton *>(m_yes ? "okBtn" : "backBtn"),
                                  Qt::LeftButton);
        });
    }

    bool m_yes;
    int m_delayMs;
    QTimer m_timer;
    QPointer<TwoButtonDialog> m_seen;
};

// While it lives, closes each one-button message that shows and records its
// text, also when the message runs its own modal loop.
class MessageCatcher : public QObject {
public:
    MessageCatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            OneButtonDialog *dialog = OneButtonDialog::instOneButtonDialog;
            if (!dialog || !dialog->isVisible())
                return;
            shown << dialog->findChild<QLabel *>("textLabel")->text();
            dialog->close();
        });
        m_timer.start(2);
    }

    QStringList shown;

private:
    QTimer m_timer;
};
