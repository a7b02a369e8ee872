#pragma once

#include <QPoint>
#include <QString>

class QToolButton;
class QWidget;

// The frame that the menu and machine pages share.
//
// A page is a .ui form (QDialog or QWidget, 272 x 385) whose widgets connect
// to on_<widget>_<signal> slots by name as usual. Its form holds the bottom
// bar, a QWidget at (0, 330, 272, 55), with the page's back QToolButton in
// it, conventionally named "bottomBar" and "backBtn". The constructor runs
//
//     ui->setupUi(this);
//     PageFrame::install(this, ui->bottomBar, ui->backBtn);
//
// which makes the page a parentless-style frameless top-level window at
// (0, 95) on the background image, deleted when it closes, draws the bottom
// bar's separator line, and wires the back button: "Back" beside Back.png,
// the accent look while pressed, and a click that closes the page behind the
// click guard. A page whose back button does more than closing (for example
// walking up a folder tree) passes BackAction::LookOnly and handles clicked
// itself. The page keeps its own static instance pointer and clears it in
// its destructor; openPage() (pageopener.h) opens it.
namespace PageFrame {

enum class BackAction { ClosePage, LookOnly };

constexpr QPoint PagePosition(0, 95);
constexpr int PageWidth = 272;
constexpr int PageHeight = 385;

void install(QWidget *page, QWidget *bottomBar, QToolButton *backBtn,
             BackAction action = BackAction::ClosePage);

// The back button's text in the current language; a page that stays open
// across a language switch sets it again.
QString backText();

// The background image as the page's window brush (also for pages without
// the standard bottom bar). It also makes sure that the double-tap guard
// (doubletapguard.h) is in place before the page is first shown.
void setBackground(QWidget *page);

} // namespace PageFrame
