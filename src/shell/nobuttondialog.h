#pragma once

#include "shelldialog.h"

namespace Ui {
class NoButtonDialog;
}

// A message without buttons; its owner closes it when the work is done.
class NoButtonDialog : public ShellDialog {
    Q_OBJECT
public:
    NoButtonDialog(const QString &title, const QString &text, QWidget *parent = nullptr);
    ~NoButtonDialog() override;

    static NoButtonDialog *instNoButtonDialog;

private:
    Ui::NoButtonDialog *ui;
};
