#include "printdetail.h"
#include "ui_printdetail.h"

#include "buildprint.h"
#include "clickguard.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "onebuttondialog.h"
#include "pageframe.h"
#include "printlimits.h"
#include "valuestepper.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>

PrintDetail *PrintDetail::instPrintDetail = nullptr;

namespace {

// A heater switched off (paused before the file streams, or not yet heating)
// reads 0: the print's own target, as stored for a power-loss resume, is the
// one to show and keep. Neither above 0: the print does not heat it.
int printTarget(int liveTarget, int storedTarget)
{
    if (liveTarget > 0)
        return liveTarget;
    return storedTarget > 0 ? storedTarget : PrintLimits::kHeaterOff;
}

} // namespace

PrintDetail::PrintDetail(bool paused, bool isGxFile, int materialUsed, QWidget *parent)
    : QDialog(parent)
    , m_serialObject(ExecuteGetSerialObject()->serial())
    , ui(new Ui::PrintDetail)
{
    qDebug() << "PrintDetail: gx file" << isGxFile << "paused" << paused << "materialUsed: " << materialUsed;
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back, PageFrame::BackAction::LookOnly);
    move(0, 96);
    instPrintDetail = this;

    const QString degrees = QStringLiteral("\u2103");
    m_speedRow = addRow(ui->btnSpeedDec, ui->btnSpeedInc, ui->buildSpeed, PrintLimits::kSpeed, "%");
    m_nozzleRow = addRow(ui->btnNozzleDec, ui->btnNozzleInc, ui->extruderTemp, PrintLimits::kNozzle, degrees);
    m_plateRow = addRow(ui->btnPlateDec, ui->btnPlateInc, ui->platformTemp, PrintLimits::kBed, degrees);
    // A print without a heated bed: the row shows 0 until the user sets one,
    // and minus below the lowest target switches the bed off again.
    m_plateRow->setOffValue(PrintLimits::kHeaterOff);
    m_zOffsetRow = addRow(ui->btnZDec, ui->btnZInc, ui->buildZOffset, PrintLimits::kZOffset, QString());
    m_zOffsetRow->setFormat([](int offset) { return QString::number(offset / 100.0, 'f', 2) + "mm"; });
    connect(m_zOffsetRow, &ValueStepper::valueChanged, this,
            [](int offset) { qDebug() << "PrintDetail: Z offset" << offset; });
    m_purgeRow = addRow(ui->btnPurgeDec, ui->btnPurgeInc, ui->buildPurge, PrintLimits::kPurge, "%");
    for (QWidget *purge : {static_cast<QWidget *>(ui->showFIlament), static_cast<QWidget *>(ui->btnPurgeDec),
                           static_cast<QWidget *>(ui->buildPurge), static_cast<QWidget *>(ui->btnPurgeInc)})
        purge->hide();
    initView();
}

PrintDetail::~PrintDetail()
{
    qDebug() << "PrintDetail::~PrintDetail";
    if (instPrintDetail == this)
        instPrintDetail = nullptr;
    delete ui;
}

// Deleted later: a pop-up made meanwhile must not take this page.
void PrintDetail::closeEvent(QCloseEvent *event)
{
    if (instPrintDetail == this)
        instPrintDetail = nullptr;
    QDialog::closeEvent(event);
}

ValueStepper *PrintDetail::addRow(QToolButton *minus, QToolButton *plus, QLabel *label,
                                  const PrintLimits::Range &range, const QString &unit)
{
    auto *row = new ValueStepper(minus, plus, label, range.min, range.max, ValueStepper::Mode::StepOnPress, this);
    row->setStep(range.step);
    row->setFormat([unit](int value) { return QString::number(value) + unit; });
    return row;
}

void PrintDetail::showEvent(QShowEvent *event)
{
    initView();
    QDialog::showEvent(event);
}

// The targets the link last sent, its own and the file's: the temperature
// poll's can be a second old, and would show or store a target just
// replaced.
void PrintDetail::readTargets()
{
    Config *config = getConfigFile()->configFile();
    m_targetExtruderTemp = printTarget(m_serialObject->nozzleTarget(), config->getExtruderTemp());
    m_targetPlateTemp = printTarget(m_serialObject->bedTarget(), config->getPlateTemp());
}

// A nozzle that is off may be set and set back to off; one that heats
// keeps within its range, as a print cannot go on with it cold.
void PrintDetail::showTargets()
{
    if (m_targetExtruderTemp == PrintLimits::kHeaterOff)
        m_nozzleRow->setOffValue(PrintLimits::kHeaterOff);
    else
        m_nozzleRow->clearOffValue();
    m_nozzleRow->setValue(m_targetExtruderTemp);
    m_plateRow->setValue(m_targetPlateTemp);
}

void PrintDetail::initView()
{
    readTargets();
    showTargets();
    m_serialObject->getPrintingAdjust(m_adjust);
    m_speedRow->setValue(m_adjust.speed);
    m_zOffsetRow->setValue(m_adjust.offset);
    m_purgeRow->setValue(m_adjust.purge);
}

void PrintDetail::on_ok_clicked()
{
    // A heater row left alone sends nothing: the print keeps the target it
    // has now, which may not be the one read when the page opened (a file
    // that heats only after its first lines, a pause that switched the
    // heaters off). Sending that old reading again could switch off a
    // nozzle that heats meanwhile. The rows and the stored details take the
    // targets as they are now.
    const bool plateChanged = m_plateRow->isChanged();
    const bool nozzleChanged = m_nozzleRow->isChanged();
    const int plate = m_plateRow->value();
    const int nozzle = m_nozzleRow->value();
    readTargets();
    // Sent at once while no line streams (paused, or not yet printing),
    // otherwise after the next line of the file.
    if (plateChanged) {
        m_targetPlateTemp = plate;
        m_serialObject->printingAdjustPlatformTemp(plate);
    }
    if (nozzleChanged) {
        m_targetExtruderTemp = nozzle;
        m_serialObject->printingAdjustNozzleTemp(nozzle);
    }
    showTargets();

    m_adjust.speed = m_speedRow->value();
    m_adjust.offset = m_zOffsetRow->value();
    m_adjust.purge = m_purgeRow->value();
    m_serialObject->setPrintingAdjust(m_adjust);
    if (BuildPrint::instBuildPrint)
        BuildPrint::instBuildPrint->updateSetParam(m_adjust);
    getConfigFile()->configFile()->setPrintDetail(m_targetExtruderTemp, m_targetPlateTemp, m_adjust.speed,
                                                  m_adjust.offset);
    for (ValueStepper *row : {m_speedRow, m_nozzleRow, m_plateRow, m_zOffsetRow, m_purgeRow})
        row->resetReference();
    confirm();
}

void PrintDetail::confirm()
{
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->setLabelText(tr("Parameter set successfully."));
    else
        new OneButtonDialog(QString(), tr("Parameter set successfully"));
    OneButtonDialog::instOneButtonDialog->show();
    OneButtonDialog::instOneButtonDialog->raise();
    QCoreApplication::processEvents();
}

// Edits not applied are dropped: the next show reads the live values again.
void PrintDetail::on_back_clicked()
{
    if (clickGuardPass())
        hide();
}
