#pragma once

// The printing page. Public contract used by the file pages and the main
// window; the rest of the class is the printing page's own.
#include "returnhomelistener.h"

#include <QDialog>
#include <QString>

class BuildPrint : public QDialog, public ReturnHomeListener {
    Q_OBJECT
public:
    static BuildPrint *instBuildPrint;

    explicit BuildPrint(QString path, bool isResumePrint, QWidget *parent = nullptr);
    ~BuildPrint() override;

    void checkReturnHomeDone() override;
};
