#pragma once

#include "shelldialog.h"

namespace Ui {
class OneLableDialog;
}

// The busy notice ("Copying...", "Connecting..."): one label over the dimmed
// screen. Its user shows, hides and closes it; callers create one only while
// instOneLableDialog is null.
//
// While shown it stays above every window shown after it: the framebuffer
// and VNC screens stack windows in the order they are shown and ignore the
// stay-on-top hint. A message or question waiting for its answer comes first:
// meanwhile the notice keeps out of sight, and it returns once the answer is
// given if its user still shows it, so one notice at a time is readable.
class OneLableDialog : public ShellDialog {
    Q_OBJECT
public:
    explicit OneLableDialog(const QString &text, QWidget *parent = nullptr);
    ~OneLableDialog() override;

    void setLabelText(const QString &text);
    // Whether the notice's user wants it shown; isVisible() tells whether it
    // is on screen now.
    void setVisible(bool visible) override;

    static OneLableDialog *instOneLableDialog;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // On screen and on top when wanted and no answer is pending, else out of
    // sight.
    void keepInPlace();

    Ui::OneLableDialog *ui;
    bool m_wanted = false;
};
