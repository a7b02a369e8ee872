#pragma once

#include "shelldialog.h"

namespace Ui {
class ProgressDialog;
}

// A progress bar (0..100 %, starting at 1) with a "Cancel" button that closes
// the dialog; the work that drives it watches instProgressDialog to notice a
// cancel.
class ProgressDialog : public ShellDialog {
    Q_OBJECT
public:
    ProgressDialog(const QString &title, const QString &text, QWidget *parent = nullptr);
    ~ProgressDialog() override;

    void setLabelText(const QString &text);
    // The amount (for example bytes) that counts as 100 %; 100 until set.
    void setMax(qint64 max);
    // Shows `value` as a percentage of the maximum: 100 when it equals the
    // maximum, 1 when it exceeds it; a result of 0 or less leaves the bar as
    // it is.
    void setValue(qint64 value);

    static ProgressDialog *instProgressDialog;

private:
    Ui::ProgressDialog *ui;
    qint64 m_max = 100;
};
