#pragma once

#include "keyeventreader.h"

#include <QString>
#include <QWidget>

namespace Ui {
class Scanner;
}

// The first screen of a printer on the production line: a USB barcode
// scanner (a keyboard on an input event device) types the serial number,
// which OK stores before the printer's normal start goes on. The machine's
// MAC address from /etc/MAC is shown above it.
class Scanner : public QWidget {
    Q_OBJECT
public:
    explicit Scanner(QString dev, QWidget *parent = nullptr);
    ~Scanner() override;

    // 1 when the reader runs, below 0 when the device cannot be used (the
    // screen then works without scanning).
    int start();
    int stop();
    void emitInputEvent(const QString &code);

signals:
    void sig_showScanStr(QString code);
    void sig_scanTooLong();

public slots:
    void showScanStr(QString code);
    // A code longer than a serial number can be: nothing of it is kept.
    void showScanTooLong();

private slots:
    void on_clear_pressed();
    void on_ok_pressed();
    void on_lineEdit_pressed();

private:
    Ui::Scanner *ui;
    const QString m_dev;
    KeyEventReader m_reader;
};
