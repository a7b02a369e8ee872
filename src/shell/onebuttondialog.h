#pragma once

#include "shelldialog.h"

namespace Ui {
class OneButtonDialog;
}

// A message with one button that closes it. show() leaves the caller running;
// exec() waits and returns 1 when the button was pressed.
class OneButtonDialog : public ShellDialog {
    Q_OBJECT
public:
    // An empty title hides the title line; an empty buttonText keeps "OK".
    OneButtonDialog(const QString &title, const QString &text,
                    const QString &buttonText = QString(), QWidget *parent = nullptr);
    ~OneButtonDialog() override;

    void setLabelText(const QString &text);
    void setBtnText(const QString &text);

    // Says `text` in the message that is open, or in a new one (deleted when
    // it closes), so that one message at a time is on screen; a `buttonText`
    // given replaces the button's. Returns the message, shown.
    static OneButtonDialog *showMessage(const QString &text, const QString &buttonText = QString());

    static OneButtonDialog *instOneButtonDialog;

private:
    Ui::OneButtonDialog *ui;
};
