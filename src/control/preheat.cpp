#include "preheat.h"
#include "ui_preheat.h"

#include "boardrequest.h"
#include "clickguard.h"
#include "executegetserialobject.h"
#include "mainwindow.h"
#include "pageframe.h"
#include "serialobject.h"
#include "timescale.h"
#include "valuestepper.h"

#include <QDebug>
#include <QProgressBar>

Preheat *Preheat::instPreheat = nullptr;

namespace {
QString degrees(int celsius)
{
    return QString::number(celsius) + QStringLiteral("\u2103");
}
} // namespace

Preheat::Preheat(int nozzle, int bed, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Preheat)
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget, ui->back, PageFrame::BackAction::LookOnly);
    for (QWidget *panel : {ui->extruder_widget, ui->platform_widget})
        panel->setAttribute(Qt::WA_StyledBackground);

    serialObject = ExecuteGetSerialObject()->serial();
    serialObject->request(QStringLiteral("M18"));

    m_nozzle.start = ui->nozzleStart;
    m_nozzle.setPoint = ui->extruderTemperature;
    m_nozzle.current = ui->showCurrentExtruder;
    m_nozzle.target = ui->showTargetExtruder;
    m_nozzle.bar = ui->extruderProgressBar;
    m_nozzle.minus = ui->extruderTempMinus;
    m_nozzle.plus = ui->extruderTempPlus;
    m_nozzle.heat = [this](int celsius) { return serialObject->requestNozzle(celsius); };
    m_nozzle.currentTemp = [] {
        return MainWindow::instMainWindow ? MainWindow::instMainWindow->getCurrentExtruderTemp() : 0;
    };
    setUpHeater(m_nozzle, NozzleMin, NozzleMax, nozzle);

    m_platform.start = ui->plateStart;
    m_platform.setPoint = ui->platformTemperature;
    m_platform.current = ui->showCurrentPlatform;
    m_platform.target = ui->showTargetPlatform;
    m_platform.bar = ui->platformProgressBar;
    m_platform.minus = ui->platformTempMinus;
    m_platform.plus = ui->platformTempPlus;
    m_platform.heat = [this](int celsius) { return serialObject->requestBed(celsius); };
    m_platform.currentTemp = [] {
        return MainWindow::instMainWindow ? MainWindow::instMainWindow->getCurrentPlatformTemp() : 0;
    };
    setUpHeater(m_platform, PlatformMin, PlatformMax, bed);

    connect(&m_readOut, &QTimer::timeout, this, &Preheat::showExtruderOrPlatformTemp);
    m_readOut.start(TimeScale::ms(ReadOutMs));
}

Preheat::~Preheat()
{
    // Closed by its menu rather than "Back": the heaters this page started
    // must not stay on unattended.
    for (Heater *heater : {&m_platform, &m_nozzle})
        if (heater->start->isChecked())
            heater->heat(0);
    if (instPreheat == this)
        instPreheat = nullptr;
    delete ui;
}

void Preheat::setUpHeater(Heater &heater, int min, int max, int preset)
{
    heater.stepper = new ValueStepper(heater.minus, heater.plus, heater.setPoint, min, max,
                                      ValueStepper::Mode::HoldToRepeat, this);
    heater.stepper->setFormat(degrees);
    const QString name = heater.setPoint->objectName();
    heater.stepper->setChangeMark(QStringLiteral("#%1{font:14px;color:#222222;border:0px;}").arg(name),
                                  QStringLiteral("#%1{font:14px;color:#C2172D;border:0px;}").arg(name));
    heater.stepper->setValue(preset);

    heater.autoOff.setSingleShot(true);
    connect(&heater.autoOff, &QTimer::timeout, this, [this, &heater] {
        // Not behind the click guard: a tap elsewhere at this moment must
        // not leave the heater on.
        heater.start->setChecked(false);
        switchHeater(heater, false);
    });
    showHeating(heater, false);
}

void Preheat::on_nozzleStart_clicked() { startClicked(m_nozzle); }
void Preheat::on_plateStart_clicked() { startClicked(m_platform); }

void Preheat::startClicked(Heater &heater)
{
    if (!clickGuardPass()) {
        // The tap was not taken: the button shows the heater as it is.
        heater.start->setChecked(!heater.start->isChecked());
        return;
    }
    switchHeater(heater, heater.start->isChecked());
}

// The heater shows as heating at once, so that Cancel is at hand while the
// board is slow to answer; the link runs the switches in the order they were
// made, so a Cancel always reaches the board after the heat-up it cancels.
void Preheat::switchHeater(Heater &heater, bool on)
{
    BoardRequest *request = heater.heat(on ? heater.stepper->value() : 0);
    const int switchNumber = ++heater.switches;
    if (on) {
        connect(request, &BoardRequest::finished, this, [this, &heater, request, switchNumber] {
            // A heat-up the board did not take leaves the heater cold (the
            // link has switched it off again): the panel must not go on
            // showing it heating.
            if (request->outcome() != BoardRequest::Outcome::NotTaken || heater.switches != switchNumber)
                return;
            qWarning() << "Preheat: the board did not take" << request->commands();
            heater.start->setChecked(false);
            showHeating(heater, false);
        });
    }
    showHeating(heater, on);
}

void Preheat::showHeating(Heater &heater, bool on)
{
    const int setPoint = heater.stepper->value();
    heater.start->setText(on ? tr("Cancel") : tr("Start"));
    heater.bar->setRange(0, setPoint);
    if (on) {
        heater.autoOff.start(TimeScale::ms(AutoOffMs));
        heater.stepper->resetReference();
        heater.target->setText(QStringLiteral("/") + heater.setPoint->text());
        showReadOut(heater, heater.currentTemp());
    } else {
        heater.bar->setValue(setPoint);
        heater.autoOff.stop();
    }
    for (QWidget *running : {static_cast<QWidget *>(heater.current), static_cast<QWidget *>(heater.target),
                             static_cast<QWidget *>(heater.bar)})
        running->setVisible(on);
    for (QWidget *editing : {static_cast<QWidget *>(heater.setPoint), static_cast<QWidget *>(heater.minus),
                             static_cast<QWidget *>(heater.plus)})
        editing->setVisible(!on);
}

void Preheat::showReadOut(Heater &heater, int celsius)
{
    MainWindow *main = MainWindow::instMainWindow;
    if (main && !main->temperaturesLive()) {
        heater.current->setText(QStringLiteral("--"));
        return;
    }
    heater.current->setText(QString::number(celsius));
    // A bar ignores values outside its range: above the set-point it is full.
    heater.bar->setValue(qBound(0, celsius, heater.bar->maximum()));
}

void Preheat::showExtruderOrPlatformTemp()
{
    for (Heater *heater : {&m_nozzle, &m_platform})
        if (heater->start->isChecked())
            showReadOut(*heater, heater->currentTemp());
}

void Preheat::on_back_clicked()
{
    if (!clickGuardPass())
        return;
    // Both heaters, whoever started them; bed first.
    serialObject->requestHeaters(0, 0);
    for (Heater *heater : {&m_platform, &m_nozzle}) {
        ++heater->switches;
        heater->start->setChecked(false);
        heater->autoOff.stop();
    }
    close();
}
