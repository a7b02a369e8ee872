#pragma once

#include <QDialog>

namespace Ui {
class SendFileDialog;
}

// The notice shown over everything while the LAN server receives a file: a
// dimmed screen with one line of text, no buttons. The main window opens and
// closes it on the server's signals.
class SendFileDialog : public QDialog {
    Q_OBJECT
public:
    SendFileDialog(QString text, QWidget *parent = nullptr);
    ~SendFileDialog() override;

    void setLabelText(QString text);
    QString labelText() const;

private:
    Ui::SendFileDialog *ui;
};
