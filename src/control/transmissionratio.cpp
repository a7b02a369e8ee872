#include "transmissionratio.h"
#include "boardrequest.h"
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

// The changed axes go to the board as one sequence, and the page waits for
// its outcome without holding up the screen; meanwhile the rows and Save
// rest. Only what the board did not take is a failure: a late reply is not.
void TransmissionRatio::on_btn_save_clicked()
{
    if (!clickGuardPass())
        return;
    QStringList commands;
    QList<TransmissionRatioItem *> sent;
    for (const Axis &axis : qAsConst(m_axes)) {
        if (!axis.item->isValueChang())
            continue;
        commands << StepsPerMm::command(axis.axis, axis.item->getValue());
        sent << axis.item;
    }
    // Stored either way: the next start sends the stored values again.
    getConfigFile()->configFile()->setTransmissionRatio(m_axes[0].item->getValue(), m_axes[1].item->getValue(),
                                                        m_axes[2].item->getValue(), m_axes[3].item->getValue());
    if (commands.isEmpty()) {
        showSaved(true);
        return;
    }
    setSaving(true);
    BoardRequest *request = m_serialObject->request(commands, this);
    connect(request, &BoardRequest::finished, this, [this, request, sent] {
        setSaving(false);
        // The board took the commands in order up to the one it did not
        // take: the rows after it stay marked, so Save sends them again.
        const QStringList replies = request->replies();
        for (int i = 0; i < replies.size() && i < sent.size(); ++i)
            sent[i]->valueReset();
        qInfo() << "TransmissionRatio:" << request->commands() << "replies:" << replies;
        showSaved(request->outcome() != BoardRequest::Outcome::NotTaken);
    });
}

void TransmissionRatio::setSaving(bool saving)
{
    for (const Axis &axis : qAsConst(m_axes))
        axis.item->setEnabled(!saving);
    ui->btn_save->setEnabled(!saving);
}

void TransmissionRatio::showSaved(bool taken)
{
    OneButtonDialog::showMessage(taken ? tr("Parameter set successfully")
                                       : tr("Parameter setting failed.\nThe values are saved\nfor the next start."));
}
