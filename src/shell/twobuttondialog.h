#pragma once

#include "shelldialog.h"

namespace Ui {
class TwoButtonDialog;
}

// A modal question: exec() returns 1 for the first (OK) button and 0 for the
// second (Back) button or when the dialog is closed from outside.
class TwoButtonDialog : public ShellDialog {
    Q_OBJECT
public:
    // Empty button texts keep "OK" and "Back".
    TwoButtonDialog(const QString &title, const QString &text, const QString &okText = QString(),
                    const QString &backText = QString(), QWidget *parent = nullptr);
    ~TwoButtonDialog() override;

    static TwoButtonDialog *instTwoButtonDialog;

private:
    Ui::TwoButtonDialog *ui;
};
