#pragma once

#include "shelldialog.h"

class QPushButton;
class QHBoxLayout;

namespace Ui {
class Keyboard;
}

// The on-screen keyboard: letters (with shift), two pages of digits and
// symbols covering all of printable ASCII, space, delete, Enter and Cancel.
// Enter sends the entry through sendData() and closes; Cancel closes without
// sending. When the content it was opened with names one of the kinds
// "name", "password", "account" or "PIN", the text is sent as "<kind>:<text>"
// so that one receiver can tell several fields apart; otherwise it is sent
// bare.
class Keyboard : public ShellDialog {
    Q_OBJECT
public:
    // isEncry masks the entry (passwords).
    Keyboard(bool isEncry, const QString &content, QWidget *parent = nullptr);
    ~Keyboard() override;

    static Keyboard *instKeyboard;

signals:
    void sendData(QString data);

private:
    enum class KeyPage { Letters, Symbols, MoreSymbols };

    void buildKeys();
    QHBoxLayout *addRow();
    void addCharacterKeys(QHBoxLayout *row, const QString &characters);
    QPushButton *addKey(QHBoxLayout *row, const QString &label, int stretch);
    void showPage(KeyPage page);
    void enter();

    Ui::Keyboard *ui;
    QString m_kind;
    KeyPage m_page = KeyPage::Letters;
    bool m_shift = false;
};
