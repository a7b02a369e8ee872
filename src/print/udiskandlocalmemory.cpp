#include "udiskandlocalmemory.h"
#include "ui_udiskandlocalmemory.h"

#include "clickguard.h"
#include "filestorage.h"
#include "mainwindow.h"
#include "pageframe.h"
#include "pageopener.h"
#include "showdisk.h"

UDiskAndLocalMemory *UDiskAndLocalMemory::instUDiskAndLocalMemory = nullptr;

UDiskAndLocalMemory::UDiskAndLocalMemory(QWidget *parent) : QDialog(parent), ui(new Ui::UDiskAndLocalMemory)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->btn_back);
    instUDiskAndLocalMemory = this;

    if (FileStorage::stickMounted())
        slot_usbMount();
    else
        slot_usbUnmount();
    if (MainWindow::instMainWindow) {
        connect(MainWindow::instMainWindow, &MainWindow::sig_usbUnmount, this,
                &UDiskAndLocalMemory::slot_usbUnmount);
        connect(MainWindow::instMainWindow, &MainWindow::sig_usbMount, this, &UDiskAndLocalMemory::slot_usbMount);
    }
}

UDiskAndLocalMemory::~UDiskAndLocalMemory()
{
    delete ui;
    if (instUDiskAndLocalMemory == this)
        instUDiskAndLocalMemory = nullptr;
    if (MainWindow::instMainWindow)
        disconnect(MainWindow::instMainWindow, nullptr, this, nullptr);
}

void UDiskAndLocalMemory::on_btn_UDisk_clicked()
{
    if (!clickGuardPass())
        return;
    // The stick may have gone since the button was last enabled.
    if (FileStorage::stickMounted() && !ShowDisk::instShowDisk)
        openPage(ShowDisk::instShowDisk, From_UDisk);
}

void UDiskAndLocalMemory::on_btn_localMemory_clicked()
{
    if (!clickGuardPass())
        return;
    if (!ShowDisk::instShowDisk)
        openPage(ShowDisk::instShowDisk, From_LocalMemory);
}

void UDiskAndLocalMemory::slot_usbMount()
{
    ui->btn_UDisk->setEnabled(true);
}

void UDiskAndLocalMemory::slot_usbUnmount()
{
    ui->btn_UDisk->setEnabled(false);
}
