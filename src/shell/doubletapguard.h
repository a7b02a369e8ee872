#pragma once

// Keeps the second tap of a double tap off the page or dialog that the first
// tap opened. The main buttons open their page when the finger lifts and
// list rows act when pressed, so without it the second tap of an ordinary
// double tap lands on the new page and acts there (opening a page under the
// finger, heating, switching the language).
//
// Every window but the main window counts as appearing with the touch that
// was last lifted before it was shown (or, when it was shown while a finger
// was down, with that touch's lifting); the windows beneath a page or dialog
// that goes, the main window too, count as appearing likewise. A press on a
// window (and the rest of that touch) that comes within the double-tap
// interval (QApplication::doubleClickInterval()) of that moment is dropped;
// later presses act as usual, so a row still acts when it is pressed. Times
// are the input events' own timestamps, so a press that waited in the queue
// while a slow page was being built still counts from when the finger came
// down.
//
// It is installed as the application object is made, before the first
// touch, in every program that has the page kit (whose pages and dialogs
// call install(), which also links it in); it filters the application's
// input events on the GUI thread.
class QWidget;

namespace DoubleTapGuard {

// Installs the guard once; later calls do nothing.
void install();

// The window holding `widget` counts as appearing now: its content was
// replaced under the finger (a list refilled with a folder's entries), so
// the second tap of a double tap must not act on the new content.
void contentReplaced(QWidget *widget);

} // namespace DoubleTapGuard
