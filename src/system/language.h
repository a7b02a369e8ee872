#pragma once

#include <QWidget>

class QTranslator;

// The language page's class. Start-up creates the process's one translator
// here before the main window exists; the page reloads it on a change and
// then emits translatorChanged().
class Language : public QWidget {
    Q_OBJECT
public:
    static QTranslator *translator;

signals:
    void translatorChanged();
};
