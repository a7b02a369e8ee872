#include "buildsetting.h"
#include "ui_buildsetting.h"

#include "buildprint.h"
#include "clickguard.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "printdetail.h"
#include "screenbackdrop.h"
#include "serialobject.h"
#include "twobuttondialog.h"

#include <QCloseEvent>
#include <QDebug>
#include <QMouseEvent>

BuildSetting *BuildSetting::instBuildSetting = nullptr;

namespace {
BuildSetting::UnloadPageOpener unloadPageOpener = nullptr;
}

void BuildSetting::setUnloadPageOpener(UnloadPageOpener opener)
{
    unloadPageOpener = opener;
}

BuildSetting::BuildSetting(bool isGxFile, int materialUsed, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::BuildSetting)
    , m_isGxFile(isGxFile)
    , m_materialUsed(materialUsed)
    , m_serialObject(ExecuteGetSerialObject()->serial())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // The printing page stays visible, undimmed, around the panel.
    setAttribute(Qt::WA_TranslucentBackground);
    ScreenBackdrop::install(this, Qt::transparent);
    move(0, 0);
    raise();
    instBuildSetting = this;
    ui->btn_light->setChecked(getConfigFile()->configFile()->getLedStatus());
    if (!PrintDetail::instPrintDetail)
        new PrintDetail(true, m_isGxFile, m_materialUsed, nullptr);
}

BuildSetting::~BuildSetting()
{
    // Once closed, the detail page on screen may be the next print's.
    if (instBuildSetting == this && PrintDetail::instPrintDetail)
        PrintDetail::instPrintDetail->close();
    if (m_unloadPage)
        m_unloadPage->close();
    // An exec() of the question still running returns into a guarded caller.
    if (m_pauseQuestion)
        m_pauseQuestion->reject();
    if (instBuildSetting == this)
        instBuildSetting = nullptr;
    delete ui;
}

// A closed pop-up is deleted later; a printing page opened meanwhile must
// get a new one, not this one on its way out.
void BuildSetting::closeEvent(QCloseEvent *event)
{
    if (instBuildSetting == this)
        instBuildSetting = nullptr;
    if (PrintDetail::instPrintDetail)
        PrintDetail::instPrintDetail->close();
    QWidget::closeEvent(event);
}

void BuildSetting::mousePressEvent(QMouseEvent *event)
{
    if (!ui->widget_btn->geometry().contains(event->pos())) {
        currentUIPause = false;
        hide();
    }
    QWidget::mousePressEvent(event);
}

void BuildSetting::on_btn_replaceMaterial_clicked()
{
    BuildPrint *print = BuildPrint::instBuildPrint;
    if (!print)
        return;
    currentUIPause = true;
    if (print->getPrintState() == Print_State_Pause) {
        slotPrintPauseToHome();
        return;
    }
    const QPointer<BuildSetting> self(this);
    m_pauseQuestion = new TwoButtonDialog(tr("Pause print job"), tr("Pause print job?"));
    const int answer = m_pauseQuestion->exec();
    // The print may have ended, and taken this pop-up with it, meanwhile.
    if (!self)
        return;
    if (answer != 1) {
        // Only an accepted pause may lead to the unload page; a request left
        // pending would unload at some later, unrelated pause.
        currentUIPause = false;
        return;
    }
    // The pausing notice takes the screen; the request stays, and the unload
    // page follows once the head is parked.
    hide();
    if (BuildPrint::instBuildPrint)
        BuildPrint::instBuildPrint->printPause();
}

void BuildSetting::slotPrintPauseToHome()
{
    if (!currentUIPause || !unloadPageOpener)
        return;
    QWidget *page = unloadPageOpener();
    if (!page)
        return;
    m_unloadPage = page;
    currentUIPause = false;
    hide();
}

void BuildSetting::on_btn_light_clicked()
{
    const bool on = ui->btn_light->isChecked();
    m_serialObject->request(on ? QStringLiteral("M145") : QStringLiteral("M144"));
    getConfigFile()->configFile()->setLedStatus(on);
}

void BuildSetting::on_btn_printDetail_clicked()
{
    if (!clickGuardPass())
        return;
    showPrintDetail();
    hide();
    currentUIPause = false;
}

void BuildSetting::showPrintDetail()
{
    PrintDetail *detail = PrintDetail::instPrintDetail;
    if (!detail)
        detail = new PrintDetail(true, m_isGxFile, m_materialUsed, nullptr);
    detail->show();
    detail->raise();
}
