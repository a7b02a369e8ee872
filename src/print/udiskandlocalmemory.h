#pragma once

#include <QDialog>

namespace Ui {
class UDiskAndLocalMemory;
}

// The Build button's page: choose the USB stick or local storage, each
// opening the file browser. The USB button is enabled only while a stick is
// mounted.
class UDiskAndLocalMemory : public QDialog {
    Q_OBJECT
public:
    static UDiskAndLocalMemory *instUDiskAndLocalMemory;

    explicit UDiskAndLocalMemory(QWidget *parent = nullptr);
    ~UDiskAndLocalMemory() override;

private slots:
    void on_btn_UDisk_clicked();
    void on_btn_localMemory_clicked();
    void slot_usbUnmount();
    void slot_usbMount();

private:
    Ui::UDiskAndLocalMemory *ui;
};
