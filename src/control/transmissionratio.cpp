#include "transmissionratio.h"
#include "clickguard.h"
#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "onebuttondialog.h"
#include "pageframe.h"
#include "serialobject.h"
#include "stepspermm.h"
#include "transmissionratioitem.h"
#include "ui_transmissionratio.h"

#include <QDebug>
#include <QFrame>

TransmissionRatio *TransmissionRatio::instTransmissionRatio = nullptr;

namespace {

QFrame *separator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFixedSize(272, 1);
    line->setStyleSheet(QStringLiteral("border: 1px solid #E5E5E5;"));
    return line;
}

} // namespace

TransmissionRatio::TransmissionRatio(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::TransmissionRatio)
    , m_serialObject(ExecuteGetSerialObject()->serial())
{
    ui->setupUi(this);
    PageFrame::install(this, ui->widget_2, ui->back);
    instTransmissionRatio = this;

    Config *config = getConfigFile()->configFile();
    const struct {
        QString name;
        int value;
        StepsPerMm::Axis axis;
    } axes[] = {
        {tr("Ratio X"), config->getTransmissionRatioX(), StepsPerMm::Axis::X},
        {tr("Ratio Y"), config->getTransmissionRatioY(), StepsPerMm::Axis::Y},
        {tr("Ratio Z"), config->getTransmissionRatioZ(), StepsPerMm::Axis::Z},
        {tr("Ratio E"), config->getTransmissionRatioE(), StepsPerMm::Axis::E},
    };
    // Rows from the top with a line above, between and below them, over the
    // form's spacer, Save and Back.
    int position = 0;
    for (const auto &axis : axes) {
        ui->verticalLayout->insertWidget(position++, separator(this));
        const StepsPerMm::Range &range = StepsPerMm::range(axis.axis);
        // A stored value out of range shows as what the start gave the board.
        auto *item = new TransmissionRatioItem(axis.name, StepsPerMm::usable(axis.axis, axis.value), range.max,
                                               range.min, this);
        ui->verticalLayout->insertWidget(position++, item);
        m_axes.append({item, axis.axis});
    }
    ui->verticalLayout->insertWidget(position, separator(this));
}

TransmissionRatio::~TransmissionRatio()
{
    if (instTransmissionRatio == this)
        instTransmissionRatio = nullptr;
    delete ui;
}

void TransmissionRatio::on_btn_save_clicked()
{
    if (!clickGuardPass())
        return;
    bool allAcknowledged = true;
    for (const Axis &axis : qAsConst(m_axes)) {
        if (!axis.item->isValueChang())
            continue;
        // Once the board has left one row unconfirmed the others are not
        // sent into the same fault: they stay marked for the next Save.
        if (!allAcknowledged) {
            qInfo() << "TransmissionRatio: the board did not confirm, not sent:" << axis.item->getValue();
            continue;
        }
        const QString command = StepsPerMm::command(axis.axis, axis.item->getValue());
        const QString reply = m_serialObject->serialCheckCode(command);
        qInfo() << "TransmissionRatio:" << command << "reply:" << reply;
        // A row the board did not take stays marked, so Save sends it again.
        if (reply.contains(QLatin1String("ok")))
            axis.item->valueReset();
        else
            allAcknowledged = false;
    }
    // Stored either way: the next start sends the stored values again.
    getConfigFile()->configFile()->setTransmissionRatio(m_axes[0].item->getValue(), m_axes[1].item->getValue(),
                                                        m_axes[2].item->getValue(), m_axes[3].item->getValue());

    const QString message = allAcknowledged ? tr("Parameter set successfully")
                                            : tr("Parameter setting failed.\nThe values are saved\nfor the next start.");
    OneButtonDialog::showMessage(message);
    QCoreApplication::processEvents();
}
