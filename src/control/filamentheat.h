#pragma once

#include <QPointer>
#include <QString>

#include <atomic>
#include <functional>

class QLabel;
class QObject;
class QWidget;
class SerialObject;
class StepWorker;
class TwoButtonDialog;

// What the filament load and unload pages share: the fixed nozzle target, the
// window in which the filament may be moved, the over-temperature guard, the
// per-second read-out, the start tune and the cancel question.
namespace FilamentHeat {

constexpr int SetTemp = 230;
constexpr int GuardLimit = 290;
constexpr int CloseDelayMs = 500;

// Hot enough to move the filament and not so hot that it chars.
bool inLoadWindow(int celsius);
bool overTemperature(int celsius);

// "/230℃": the target part of the read-out.
QString targetText(int celsius);

// The current part of the nozzle's read-out: the main window's current
// temperature (0 without a main window), or "--" while it has no reading.
QString currentText();

// On a worker step: reads the nozzle's current and target temperature from the
// main window and posts them to the read-out labels; returns the current one.
int readOut(StepWorker &worker, QLabel *current, QLabel *target);

// The first part of every worker step: the read-out, then the over-temperature
// guard. The first time the nozzle is too hot it raises `abnormal` and calls
// `tripped`; returns the current temperature, or -1 once the guard has tripped
// (the step then does nothing more).
int guardedReadOut(StepWorker &worker, QLabel *current, QLabel *target, std::atomic<bool> &abnormal,
                   const std::function<void()> &tripped);

// Asks the board for the load temperature, from the GUI thread. What the
// board did not take is asked again once the link hears from it, for as
// long as `wanted` says that `page` still heats; meanwhile the read-out shows
// the board's own target, not this one.
void requestLoadHeat(SerialObject *link, QObject *page, const std::function<bool()> &wanted);

// The filament tune, when the buzzer is switched on.
void playStartTune();

// Asks the cancel question modally. True only when it was confirmed and
// `page` still exists: a page can be closed from elsewhere while the question
// is open, and its destructor closes the question through `question`.
bool confirmCancel(QWidget *page, QPointer<TwoButtonDialog> &question, const QString &title,
                   const QString &text);

} // namespace FilamentHeat
