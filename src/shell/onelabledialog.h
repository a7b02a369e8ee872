#pragma once

#include "shelldialog.h"

namespace Ui {
class OneLableDialog;
}

// The busy notice ("Copying...", "Connecting..."): one label over the dimmed
// screen, kept above other windows. Its user shows, hides and closes it;
// callers create one only while instOneLableDialog is null.
class OneLableDialog : public ShellDialog {
    Q_OBJECT
public:
    explicit OneLableDialog(const QString &text, QWidget *parent = nullptr);
    ~OneLableDialog() override;

    void setLabelText(const QString &text);

    static OneLableDialog *instOneLableDialog;

private:
    Ui::OneLableDialog *ui;
};
