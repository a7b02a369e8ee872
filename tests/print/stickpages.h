#pragma once

// The file-page suites' common ground: the simulated board, the real main
// window and a USB stick plugged and pulled through the program's own
// hot-plug handling (sim/usb-stick and the mount stand-ins). A suite derives
// from it next to QObject and adds its own set-up around start().
#include "buildpreview.h"
#include "config.h"
#include "copygate.h"
#include "executegetserialobject.h"
#include "filepagekit.h"
#include "getconfigfile.h"
#include "headedfile.h"
#include "mainwindow.h"
#include "nobuttondialog.h"
#include "onebuttondialog.h"
#include "printericons.h"
#include "progressdialog.h"
#include "showdisk.h"
#include "simfixture.h"
#include "timescale.h"
#include "udiskandlocalmemory.h"
#include "usbstick.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

inline constexpr int kWaitMs = kTryWaitMs;

class StickPages {
protected:
    std::unique_ptr<SimFixture> fx;
    QTemporaryDir m_sticks;
    MainWindow *m_main = nullptr;
    QString m_stickFolder; // the stick's own content, whether plugged or not
    QString m_media;       // where the program sees it while mounted
    QString m_local;
    int m_mounts = 0;
    int m_unmounts = 0;
    CopyGate m_gate;

    // The board and the main window; `configure` sets what the suite needs
    // before the main window reads the settings. Leaves m_main unset should
    // anything fail.
    void start(const std::function<void()> &configure = {})
    {
        TimeScale::setFactor(0.01);
        initPrinterIcons();
        QVERIFY(!qEnvironmentVariableIsEmpty("PRINTER_SIM_TOOLS"));
        QVERIFY(m_sticks.isValid());
        fx = std::make_unique<SimFixture>();
        QVERIFY(fx->ok());
        getConfigFile()->configFile()->reload();
        getConfigFile()->configFile()->setBuzzerStatus(false);
        if (configure)
            configure();
        QVERIFY(ExecuteGetSerialObject()->serial());
        MainWindow::setLanPorts(0, 0);
        m_main = new MainWindow;
        QObject::connect(m_main, &MainWindow::sig_usbMount, m_main, [this] { ++m_mounts; });
        QObject::connect(m_main, &MainWindow::sig_usbUnmount, m_main, [this] { ++m_unmounts; });
        m_stickFolder = m_sticks.filePath("stick");
        m_media = fx->root() + "/media";
        m_local = fx->root() + "/data";
    }

    void stop()
    {
        delete m_main;
        fx.reset();
    }

    // An empty stick, plugged, and an empty local folder.
    void emptyFolders()
    {
        QDir(m_stickFolder).removeRecursively();
        QDir().mkpath(m_stickFolder);
        for (const QString &entry : entriesOf(m_local))
            QVERIFY(QFileInfo(m_local + '/' + entry).isDir() ? QDir(m_local + '/' + entry).removeRecursively()
                                                             : QFile::remove(m_local + '/' + entry));
        QVERIFY(QDir().mkpath(m_local));
        plug();
    }

    // Both wait until the pages have been told (the main window's signal).
    void plug()
    {
        if (m_main->getUpanStatus())
            return;
        const int before = m_mounts;
        QVERIFY(usbStick(fx->root(), {"plug", m_stickFolder}));
        QTRY_COMPARE_WITH_TIMEOUT(m_mounts, before + 1, kWaitMs);
        QVERIFY(m_main->getUpanStatus());
    }

    void unplug()
    {
        const int before = m_unmounts;
        QVERIFY(usbStick(fx->root(), {"unplug"}));
        QTRY_COMPARE_WITH_TIMEOUT(m_unmounts, before + 1, kWaitMs);
        QVERIFY(!m_main->getUpanStatus());
    }

    static QString write(const QString &path, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!writeTestFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // Every window but the main one closed, and the pages gone with them.
    void closeAll()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != m_main && w->isVisible())
                w->close();
        QTRY_VERIFY(!ShowDisk::instShowDisk && !BuildPreview::instBuildPreview);
        QTRY_VERIFY(!UDiskAndLocalMemory::instUDiskAndLocalMemory);
        QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog && !ProgressDialog::instProgressDialog);
        QTRY_VERIFY(!NoButtonDialog::instNoButtonDialog);
    }
};
