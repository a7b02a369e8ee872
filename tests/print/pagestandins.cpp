// Test doubles of the main window and the printing page for the file-page
// tests: the stick's mount state is a flag the test sets (and announces with
// the main window's signals), and opening the printing page only records the
// path it was opened on.
#include "mainwindow.h"
#include "buildprint.h"
#include <atomic>
MainWindow *MainWindow::instMainWindow = nullptr;
std::atomic<bool> g_stubUsb{false};
QStringList g_printPaths;
MainWindow::MainWindow(QWidget *p) : QMainWindow(p) { instMainWindow = this; }
MainWindow::~MainWindow() { instMainWindow = nullptr; }
bool MainWindow::getUpanStatus() { return g_stubUsb; }
bool MainWindow::getUDiskState() { return g_stubUsb; }
void MainWindow::initView() {}
void MainWindow::dialogShow(QString) {}
void MainWindow::dialogClose() {}
void MainWindow::artMachine() {}
void MainWindow::startScan() {}
void MainWindow::on_showBuild_clicked() {}
void MainWindow::on_showTool_clicked() {}
void MainWindow::on_showControl_clicked() {}
void MainWindow::on_showLevel_clicked() {}
BuildPrint *BuildPrint::instBuildPrint = nullptr;
BuildPrint::BuildPrint(QString path, bool, QWidget *p) : QDialog(p) { g_printPaths << path; setAttribute(Qt::WA_DeleteOnClose); }
BuildPrint::~BuildPrint() { instBuildPrint = nullptr; }
void BuildPrint::checkReturnHomeDone() {}
