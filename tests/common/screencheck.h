#pragma once

#include <QString>
#include <QStringList>

class QTableWidget;
class QWidget;

// Looking at screens in tests.
namespace ScreenCheck {

// Visible texts of `screen` that do not fit their widget: wrapped labels too
// short, buttons too narrow, or anything outside the 272 x 480 screen.
QStringList clippedTexts(QWidget *screen);

// Row texts of a list page's table that do not fit the text column.
QStringList clippedRows(QTableWidget *table);

// Makes the font the sandbox gives the program (Latin, Chinese, Japanese and
// the degree signs) the application font at 14 points, as start-up does.
void useDeviceFont();

// With SCREENSHOT_DIR set, saves `screen` there as <name>.png for a look.
void save(QWidget *screen, const QString &name);

} // namespace ScreenCheck
