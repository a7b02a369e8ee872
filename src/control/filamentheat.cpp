#include "filamentheat.h"
#include "boardrequest.h"
#include "buzzerplay.h"
#include "config.h"
#include "getconfigfile.h"
#include "mainwindow.h"
#include "serialobject.h"
#include "stepworker.h"
#include "timescale.h"
#include "twobuttondialog.h"

#include <QLabel>
#include <QTimer>

namespace FilamentHeat {

namespace {

constexpr int kHeatRetryMs = 1000;

void retryLoadHeat(SerialObject *link, QObject *page, const std::function<bool()> &wanted)
{
    QTimer::singleShot(TimeScale::ms(kHeatRetryMs), page, [link, page, wanted] {
        if (!wanted())
            return;
        if (link->boardResponding())
            requestLoadHeat(link, page, wanted);
        else
            retryLoadHeat(link, page, wanted);
    });
}

} // namespace

bool inLoadWindow(int celsius)
{
    return celsius >= SetTemp - 2 && celsius < SetTemp + 20;
}

bool overTemperature(int celsius)
{
    return celsius > GuardLimit;
}

QString targetText(int celsius)
{
    return QStringLiteral("/%1\u2103").arg(celsius);
}

QString currentText()
{
    MainWindow *main = MainWindow::instMainWindow;
    if (!main)
        return QStringLiteral("0");
    return main->temperaturesLive() ? QString::number(main->getCurrentExtruderTemp()) : QStringLiteral("--");
}

int readOut(StepWorker &worker, QLabel *current, QLabel *target)
{
    MainWindow *main = MainWindow::instMainWindow;
    const int now = main ? main->getCurrentExtruderTemp() : 0;
    const QString shown = currentText();
    const int goal = main ? main->getTargetExtruderTemp() : 0;
    worker.post([current, target, shown, goal] {
        current->setText(shown);
        target->setText(targetText(goal));
    });
    return now;
}

int guardedReadOut(StepWorker &worker, QLabel *current, QLabel *target, std::atomic<bool> &abnormal,
                   const std::function<void()> &tripped)
{
    const int now = readOut(worker, current, target);
    if (!abnormal.load() && overTemperature(now)) {
        abnormal.store(true);
        tripped();
    }
    return abnormal.load() ? -1 : now;
}

void requestLoadHeat(SerialObject *link, QObject *page, const std::function<bool()> &wanted)
{
    BoardRequest *heat = link->requestNozzle(SetTemp, page);
    QObject::connect(heat, &BoardRequest::finished, page, [link, page, heat, wanted] {
        if (!heat->taken() && wanted())
            retryLoadHeat(link, page, wanted);
    });
}

void playStartTune()
{
    if (!getConfigFile()->configFile()->getBuzzerStatus())
        return;
    buzzerPlay *buzzer = buzzerPlay::getInstance("pwm1");
    buzzer->start();
    buzzer->play(buzzerPlay::TUNE_FILAMENT_START);
}

bool confirmCancel(QWidget *page, QPointer<TwoButtonDialog> &question, const QString &title,
                   const QString &text)
{
    QPointer<QWidget> alive(page);
    question = new TwoButtonDialog(title, text);
    const int answer = question->exec();
    return alive && answer == 1;
}

} // namespace FilamentHeat
