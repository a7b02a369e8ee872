#pragma once

// The printing page: checks the file, heats, homes, moves to the start
// position, waits for temperature, hands the file to the print engine on a
// detached thread and turns the engine's signals into screens (progress,
// pause, resume, cancel, completion). Public contract used by the file
// pages, the main window, the in-print settings pop-up and the print-detail
// page. Its code lives in three files: buildprint.cpp (construction, screen,
// accessors), buildprintstart.cpp (start sequence, status tick, board
// helpers) and buildprintrun.cpp (pause, resume, cancel, completion).
#include "homingclaim.h"
#include "returnhomelistener.h"

#include <QDialog>
#include <QPointer>
#include <QString>

#include <functional>
#include <mutex>
#include <pthread.h>

class BoardRequest;
class MotionIdlePoller;
class SerialObject;
struct PrintingAdjust;
namespace Ui {
class BuildPrint;
}

enum Print_State {
    Print_State_None = 0,
    Print_State_Play = 1,
    Print_State_Pause = 2,
    Print_State_Stop = 3,
};

class BuildPrint : public QDialog, public ReturnHomeListener {
    Q_OBJECT
public:
    static BuildPrint *instBuildPrint;

    explicit BuildPrint(QString path, bool isResumePrint, QWidget *parent = nullptr);
    ~BuildPrint() override;

    void checkReturnHomeDone() override;
    // Homing gave up: the start ends as a cancel before
    // streaming does (heaters off, page closed) and the user is told why.
    void returnHomeFailed() override;

    Print_State getPrintState() const { return printState; }
    int getPrintBuildTime();
    bool getPrinterFileSendStatus();
    void setPrinterFileSendStatus(bool sending);
    QString getPrintFilePathName() const { return m_filePathName; }
    SerialObject *getSerialObject() const { return serialObject; }
    // Shows a new live speed and Z offset (the print-detail page).
    void updateSetParam(PrintingAdjust &adjust);

signals:
    // A pause has parked the head and the board is idle.
    void signalPrintPauseToHome();

public slots:
    void on_play_pause_pressed();
    void on_stop_clicked();
    void on_buildSetting_pressed();
    void checkSpecifiedLocationMove();
    void doorOpenProcess();
    void printContinue();
    void printFileHasSendProcess();
    void printFileNoSendProcess(int currentNozzleTemp);
    void printPlayPauseDo();
    void printStop();
    void showExtruderTemp();
    void showPrintProgress(float progress);
    void slot_printAbort();
    void slot_printOver();
    void slot_printPause();
    void slot_printResume();
    void slot_printQuit();
    void printAdjustReset();
    void printPause();

private:
    void initData();
    bool getPrintFileParam();
    void refuseFile();
    void initView();
    void watchTheBoard();
    void connectEngine();
    void takeResumedPrintSettings();
    void createSettingsPopup();

    void setCommandButtonsEnabled(bool enabled);
    void showPauseButton();
    void showResumeButton();
    void showWaitText(const QString &text);
    void hideWait();
    void setMachineStatus(bool paused);

    // The page's steps after the board: `next` once `request` was taken,
    // once the board has run its queue; a board that stops answering
    // meanwhile gives the print up.
    using Step = void (BuildPrint::*)();
    void whenTaken(BoardRequest *request, std::function<void()> next);
    void whenIdle(Step next);
    void heatersOff();
    void giveUpOnBoard();

    void startHoming();
    void liftBeforeHoming();
    void waitForStartPosition();
    void liftAfterCancel();
    void cancelParked();
    void presentPrint();
    void showCompleted();
    void playTune(int tune);

    void followTargetsBeforeSending();
    void checkFilamentRunOut();
    void handleOverTemperature(int nozzleTemp);
    bool startPrintThread();
    void finishParking();
    void closeOpenQuestion();
    bool filamentChangeRunning();
    void takeEngineGiveUp();
    void closeAfterStop();
    void endWithoutBoard();
    void reportResumeRecordLost();

    SerialObject *serialObject = nullptr;
    Ui::BuildPrint *ui;
    QString m_filePathName;
    bool m_isResumePrint;
    Print_State printState = Print_State_Play;
    pthread_t m_printTid = 0;
    std::mutex m_buildTimeMutex;
    std::mutex m_printFileSendStatusMutex;
    float printProgressValue = 0;
    bool isCheckSpecifiedLocationMoved = false;
    bool m_printFileSendStatus = false;
    bool isGxFile = false;
    bool isSingleExtruder = true;
    int buildTime = 0;
    int m_buildFileNozzleTemp = 0;
    int m_buildFilePlatformTemp = 0;
    int materialUsed = 0;
    int time60Second = 0;
    int timeUsed = 0;
    int m_getNozzleTempWhenPause = 0;
    int m_getPlateTempWhenPause = 0;
    int xRange = 0;
    int yRange = 0;
    int zRange = 0;
    float deviationAbsoluteValue = 0;

    // Homing runs from doorOpenProcess() until checkReturnHomeDone(); a pause
    // meanwhile must not move the head under the homing helper.
    HomingClaim m_homing{this};
    bool m_homed = false;
    bool m_pausedWhileHoming = false;
    MotionIdlePoller *m_startIdle = nullptr; // the head on its way to the start position
    MotionIdlePoller *m_parkIdle = nullptr;  // a park on its way (pause, cancel, completion)
    Step m_afterPark = nullptr;
    // The user (or the page for its own reason) stopped the print: a board
    // that fails the stop's moves needs no further word.
    bool m_cancelAsked = false;
    // A run-out pause is due in two seconds; the tick must not raise another.
    bool m_runOutPausePending = false;
    bool m_overTemperature = false;
    QPointer<QWidget> m_settingsPopup;
    // Why the print stopped when the engine gave up; shown once the page
    // has closed.
    QString m_stopReason;
};
