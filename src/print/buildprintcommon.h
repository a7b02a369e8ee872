#pragma once

// What the printing page's files share: the timings and distances of its
// sequences and the two objects every step asks.
#include "config.h"
#include "getconfigfile.h"
#include "mainwindow.h"

namespace BuildPrintCommon {

constexpr int kTickMs = 1000;
constexpr int kIdlePollMs = 500;
constexpr float kLiftMm = 10.0f;

inline MainWindow *mainWindow()
{
    return MainWindow::instMainWindow;
}

inline Config *config()
{
    return getConfigFile()->configFile();
}

} // namespace BuildPrintCommon
