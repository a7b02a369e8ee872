#pragma once

#include <QColor>

// Screen geometry, colours and the style sheets that every screen shares, so
// that pages and dialogs look alike without repeating literals.
namespace ShellStyle {

// The whole touch screen (portrait).
constexpr int ScreenWidth = 272;
constexpr int ScreenHeight = 480;

// Colours.
constexpr const char *TextColor = "#222222";
constexpr const char *BackgroundColor = "#f0f0f0";
constexpr const char *SeparatorColor = "#E5E5E5";
constexpr const char *AccentColor = "#C2172D";

// The dimming over the screen beneath a dialog or notice.
inline QColor dialogMask()
{
    return QColor(0, 0, 0, 76);
}

// Back button of a page's bottom bar, released and pressed.
constexpr const char *BackReleased = "border: 0px;color:#222222;font:16px";
constexpr const char *BackPressed = "border: 0px;color:#C2172D;font:16px";

// Bottom bar of a page: transparent with a separator line on top. The %1 is
// the bar's object name, so that the line does not cascade to its children.
constexpr const char *BottomBar =
    "QWidget#%1{background:transparent;border-top:1px solid #e5e5e5;}";

// List pages: dark text on the page background, the selected row white with
// accent text, a separator line on top.
constexpr const char *MenuTable =
    "QTableWidget{font:14px;color:#222222;background-color:#f0f0f0;"
    "border:0px;border-top:1px solid #e5e5e5;}"
    "QTableWidget::item:selected{background-color:#FFFFFF;color:#c2172d;}";

// Paging buttons of list pages (background images by state).
constexpr const char *PageUpButton =
    "QToolButton{border:0px;border-image:url(:/Resource/icon/Previous.png);}"
    "QToolButton:pressed{border-image:url(:/Resource/icon/Previous_c.png);}"
    "QToolButton:disabled{border-image:url(:/Resource/icon/Previous_d.png);}";
constexpr const char *PageDownButton =
    "QToolButton{border:0px;border-image:url(:/Resource/icon/Next.png);}"
    "QToolButton:pressed{border-image:url(:/Resource/icon/Next_c.png);}"
    "QToolButton:disabled{border-image:url(:/Resource/icon/Next_d.png);}";

// The shared dialogs: a card on the dimmed screen with a title, a wrapping
// message, separator lines and flat buttons that turn to the accent colour
// while pressed.
constexpr const char *DialogCard =
    "QFrame#card{background-color:#f0f0f0;border-radius:8px;}"
    "QLabel{color:#222222;background:transparent;}"
    "QLabel#titleLabel{font:bold 18px;padding:16px 12px 0px 12px;}"
    "QLabel#textLabel{font:16px;padding:16px 12px 16px 12px;}"
    "QFrame#separator,QFrame#buttonSeparator{background-color:#E5E5E5;border:0px;}"
    "QPushButton{font:16px;color:#222222;background:transparent;border:0px;}"
    "QPushButton:pressed{color:#C2172D;}"
    "QProgressBar{min-height:22px;font:14px;color:#222222;"
    "border:1px solid #E5E5E5;border-radius:4px;background:#ffffff;}"
    "QProgressBar::chunk{background-color:#C2172D;border-radius:3px;}";

} // namespace ShellStyle
