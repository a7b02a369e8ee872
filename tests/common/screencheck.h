#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QTableWidget;
class QTranslator;
class QWidget;

// Looking at screens in tests.
namespace ScreenCheck {

// Visible texts of `screen` that do not fit their widget: wrapped labels too
// short, buttons too narrow, or anything outside the 272 x 480 screen.
QStringList clippedTexts(QWidget *screen);

// Row texts of a list page's table that do not fit the text column.
QStringList clippedRows(QTableWidget *table);

// The interface languages the language page offers, as catalogue names.
QStringList offeredLanguages();

// One data row a language offeredLanguages() names, in the column
// "language".
void addLanguageRows();

// Loads the catalogue of `language` into `translator` and installs it; the
// translator takes it away again when it goes.
bool installCatalogue(QTranslator &translator, const QString &language);

// Makes the font the sandbox gives the program (Latin, Chinese, Japanese and
// the degree signs) the application font at 14 points, as start-up does.
void useDeviceFont();

// With SCREENSHOT_DIR set, saves `screen` there as <name>.png for a look.
void save(QWidget *screen, const QString &name);

// The whole screen as the person at the printer sees it. On the VNC and
// framebuffer platforms this is the composited framebuffer, every window in
// its place (the offscreen platform gives only the window that covers the
// whole screen, so whole-screen checks run on the VNC platform).
QImage grabScreen();

// The screen shows `widget` where it lies, exactly as its window paints it:
// no other window lies over it. Needs the whole-screen grab (VNC platform).
bool showsOnScreen(QWidget *widget);

// With SCREENSHOT_DIR set, saves the whole screen there as <name>.png.
void saveScreen(const QString &name);

} // namespace ScreenCheck
