#include "zcalibration.h"
#include "boardrequest.h"
#include "calibrationalgorithm.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "machinepageclose.h"
#include "motionidle.h"
#include "pageframe.h"
#include "serialobject.h"
#include "stringbrevik.h"
#include "ui_zcalibration.h"

#include <QDebug>
#include <QToolButton>

#include <cmath>

ZCalibration *ZCalibration::instZCalibration = nullptr;

namespace {

struct ProbePoint {
    int x;
    int y;
};

// In the order measured: the back row left to right, the middle row right
// to left, the front row left to right, so the head never crosses the bed.
constexpr ProbePoint kPoints[ZCalibration::PointCount] = {
    {54, 235}, {160, 235}, {245, 235}, {245, 140}, {160, 140},
    {54, 140}, {54, 30},   {160, 30},  {245, 30},
};

constexpr void (Config::*kPointSetters[ZCalibration::PointCount])(float) = {
    &Config::setAutoPoint1, &Config::setAutoPoint2, &Config::setAutoPoint3,
    &Config::setAutoPoint4, &Config::setAutoPoint5, &Config::setAutoPoint6,
    &Config::setAutoPoint7, &Config::setAutoPoint8, &Config::setAutoPoint9,
};

// Up to where every probing descent starts.
QString liftCommand()
{
    return QStringLiteral("G1 Z%1 F300").arg(CalibrationAlgorithm::kProbeLiftMm);
}

const char *const kMarkerHighlighted =
    "background-color:#FFFFFF;border:1px solid #C2172D;border-radius:5px;color:#C2172D;font:22px;";

} // namespace

ZCalibration::ZCalibration(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::ZCalibration)
    , m_worker(this)
{
    ui->setupUi(this);
    // Back closes at once: the destructor stops the probing safely.
    PageFrame::install(this, ui->widget, ui->back, PageFrame::BackAction::LookOnly);
    instZCalibration = this;
    for (int i = 0; i < PointCount; ++i)
        m_markers[i] = findChild<QToolButton *>(QStringLiteral("showCalibrationposition_%1").arg(i + 1));

    m_serialObject = ExecuteGetSerialObject()->serial();
    m_serialObject->request(QStringLiteral("M112"), this);
    // Off until all nine points are measured again: a print must not use a
    // half-renewed calibration.
    getConfigFile()->configFile()->setAutoSwitch(false);
    connect(this, &ZCalibration::sig_calibrationOnePoint, this, &ZCalibration::slot_updateOnePointUI);

    m_homing.start(false);
}

ZCalibration::~ZCalibration()
{
    m_homing.release();
    // The worker ends first, so that no step of the probing follows the stop.
    m_worker.stop();
    // Another page's homing keeps the machine; the probe is stowed anyway.
    // The stop first: it empties the board's queue, which would take the
    // motors-off and the stowing with it.
    if (!HomingClaim::homingUnderWay()) {
        stopMachine(m_serialObject);
        m_serialObject->request(QStringLiteral("M18"));
    }
    m_serialObject->request(QStringLiteral("M141 T90"));
    if (instZCalibration == this)
        instZCalibration = nullptr;
    delete ui;
}

QString ZCalibration::moveCommand(int point)
{
    const ProbePoint &p = kPoints[point - 1];
    return QStringLiteral("G1 X%1 Y%2 F4000").arg(p.x).arg(p.y);
}

void ZCalibration::checkReturnHomeDone()
{
    m_homing.release();
    QStringList commands{QStringLiteral("M112"), QStringLiteral("G92 X0 Y0 Z0 A0 B0")};
    if (m_calibrationStatus != RETURN_HOME_BEFORE_CALIBRATION) {
        m_serialObject->request(commands, this);
        return;
    }
    // The homing's end, the lift and the probe deployed: probing starts only
    // once the board has taken them all.
    BoardRequest *start = m_serialObject->request(commands << liftCommand() << QStringLiteral("M141 T132"), this);
    connect(start, &BoardRequest::finished, this, [this, start] {
        if (!start->taken()) {
            returnHomeFailed();
            return;
        }
        m_calibrationStatus = CALIBRATION_POINT1;
        emit sig_calibrationOnePoint(1);
        if (!m_worker.start([this] { return performAutoCalibrationProcess(); }))
            qCritical() << "zcalibration.cpp" << Q_FUNC_INFO << __LINE__ << "creare pthread error.";
    });
}

void ZCalibration::returnHomeFailed()
{
    m_homing.release();
    ui->showMessage->setText(tr("Homing failed"));
}

int ZCalibration::performAutoCalibrationProcess()
{
    const calibration_status_t status = m_calibrationStatus;
    if (status == RETURN_HOME_CALIBRATION_COMPLETE) {
        // Park: probe up and stowed, head home, nozzle down.
        m_serialObject->serialSendCode(QStringLiteral("G1 Z5 F400"));
        m_serialObject->serialSendCode(QStringLiteral("M141 T90"));
        m_serialObject->serialSendCode(QStringLiteral("G1 X0 Y0 F2000"));
        m_serialObject->serialSendCode(QStringLiteral("G1 Z0 F300"));
        return -1;
    }
    if (status < CALIBRATION_POINT1 || status > CALIBRATION_POINT9)
        return 0;

    const int point = status;
    if (onePointProcess(moveCommand(point)) != ONE_POINT_COMPLETED)
        return 0;
    m_onePointStep = STEP_1;
    if (point < PointCount) {
        qDebug() << QStringLiteral("Point%1").arg(point + 1);
        m_calibrationStatus = static_cast<calibration_status_t>(point + 1);
        emit sig_calibrationOnePoint(point + 1);
        return 0;
    }
    qDebug() << "Completed!";
    m_worker.post([this] { ui->showMessage->setText(tr("Completed!")); });
    m_calibrationStatus = RETURN_HOME_CALIBRATION_COMPLETE;
    getConfigFile()->configFile()->setAutoSwitch(true);
    return 0;
}

ZCalibration::one_point_step_t ZCalibration::onePointProcess(const QString &moveCommand)
{
    switch (m_onePointStep) {
    case STEP_1:
        m_serialObject->serialSendCode(liftCommand());
        m_serialObject->serialSendCode(moveCommand);
        m_onePointStep = STEP_2;
        break;
    case STEP_2:
        if (!returnMotorMoveStatus()) {
            // The probing descent: the board stops it where the probe touches.
            m_serialObject->serialSendCode(QStringLiteral("G1 Z0 F200"));
            m_onePointStep = STEP_3;
        }
        break;
    case STEP_3: {
        if (returnMotorMoveStatus())
            break;
        const QString reply = m_serialObject->serialCheckCode(QStringLiteral("M114"));
        float x, y, z;
        if (!StringBrevik::positionXYZ(reply, x, y, z) || !std::isfinite(z)) {
            // A made-up height would bend the whole calibration: read again
            // at the next step.
            qWarning() << "zcalibration.cpp ZCalibration::onePointProcess unreadable position:" << reply;
            break;
        }
        qDebug() << "point: " << moveCommand << "Z: " << z;
        setAutoPoint(moveCommand, z);
        m_onePointStep = ONE_POINT_COMPLETED;
        break;
    }
    case ONE_POINT_COMPLETED:
        break;
    }
    return m_onePointStep;
}

bool ZCalibration::returnMotorMoveStatus()
{
    if (!MotionIdle::check(m_serialObject))
        return true;
    m_serialObject->serialCheckCode(QStringLiteral("M112"));
    return false;
}

void ZCalibration::setAutoPoint(const QString &moveCommand, float z)
{
    for (int point = 1; point <= PointCount; ++point) {
        if (moveCommand == ZCalibration::moveCommand(point)) {
            (getConfigFile()->configFile()->*kPointSetters[point - 1])(z);
            return;
        }
    }
}

void ZCalibration::slot_updateOnePointUI(int point)
{
    if (point >= 1 && point <= PointCount)
        m_markers[point - 1]->setStyleSheet(QString::fromLatin1(kMarkerHighlighted));
}

void ZCalibration::on_back_clicked()
{
    close();
}
