#pragma once

#include "stepworker.h"
#include "update/updatetypes.h"

#include <QDialog>
#include <QPointer>

#include <mutex>

class SerialObject;
class TwoButtonDialog;
class UpdateManager;
namespace Ui {
class Update;
}

// The update page: shows where the update manager stands (checking,
// downloading with the package kind and percent, installing, done or failed)
// and starts the installation. A worker looks at the manager's state once a
// second and hands every change of the screen to the GUI thread.
//
// Opened from the settings menu with false (a found version is installed
// after a question) or from the main window's new-version prompt with true
// (a direct upgrade: the user has already said yes). Installing stops the
// main window's poll of the board and closes the serial link; when the
// installation fails both come back, so the printer stays usable. The
// installation itself runs on the worker, between two looks: the GUI thread
// never waits for the unpacking, the flushes or the packages' scripts.
class Update : public QDialog {
    Q_OBJECT
public:
    static Update *instUpdate;

    explicit Update(bool isDirectUpgrade, QWidget *parent = nullptr);
    ~Update() override;

    // The main window's new-version prompt, once the user has said yes: opens
    // the page as a direct upgrade, or installs from the open page.
    static void findTheLatestFirmware();

    // Starts the installation of the downloaded packages and returns; one
    // installation at a time: a call while one runs or after one succeeded
    // does nothing.
    void stateUpgrade();

    // One look at the manager's state, on the worker: 0 to go on, -1 to end.
    int updateProcess();

signals:
    void sig_updateProgress();
    void sig_showProgressBar();
    void sig_hideProgressBar();
    void sig_findNewFirmware();

private slots:
    void on_back_clicked();
    void updateProgress();
    void showProgressBar();
    void hideProgressBar();
    void findNewFirmware();

private:
    bool startWorker();
    // The worker's turn: an installation asked for, then one look.
    int workerStep();
    void installPackages();
    void giveThePrinterBack();
    void showMessage(const QString &text);
    void playCompletionTunes();
    bool networkConnected() const;
    update_firmware_process managerState() const;

    SerialObject *serialObject = nullptr;
    const bool m_isDirectUpgrade;
    Ui::Update *ui;
    // Written by the worker only.
    bool m_processBarOpenStatus = false;
    bool m_latestVersionDiaogShow = false;
    bool m_firstLook = true;
    // GUI thread: an installation has been started from this page.
    bool m_installStarted = false;
    std::mutex m_installMutex;
    bool m_installRequested = false; // for the worker's next turn
    bool m_workerEnded = false;      // no worker is there to take it
    UpdateManager *m_manager = nullptr;
    QPointer<TwoButtonDialog> m_question;
    StepWorker m_worker;
};
