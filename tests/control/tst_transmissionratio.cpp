#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "onebuttondialog.h"
#include "pageopener.h"
#include "pagetouches.h"
#include "printericons.h"
#include "serialobject.h"
#include "simfixture.h"
#include "stallprobe.h"
#include "timescale.h"
#include "transmissionratio.h"
#include "transmissionratioitem.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

Config *config()
{
    return getConfigFile()->configFile();
}

QList<int> storedRatios()
{
    return {config()->getTransmissionRatioX(), config()->getTransmissionRatioY(),
            config()->getTransmissionRatioZ(), config()->getTransmissionRatioE()};
}

enum Axis { X, Y, Z, E };

TransmissionRatioItem *row(TransmissionRatio *page, Axis axis)
{
    return page->findChildren<TransmissionRatioItem *>().at(axis);
}

QPushButton *button(TransmissionRatio *page, Axis axis, const char *name)
{
    return row(page, axis)->findChild<QPushButton *>(name);
}

void step(TransmissionRatio *page, Axis axis, int clicks)
{
    for (int i = 0; i < qAbs(clicks); ++i)
        QTest::mouseClick(button(page, axis, clicks > 0 ? "btn_add" : "btn_sub"), Qt::LeftButton);
}

QString shown(TransmissionRatio *page, Axis axis)
{
    return row(page, axis)->findChild<QLabel *>("label_value")->text();
}

bool markedChanged(TransmissionRatio *page, Axis axis)
{
    return row(page, axis)->findChild<QLabel *>("label_value")->styleSheet().contains("C2172D");
}

} // namespace

class TestTransmissionRatio : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;

    QStringList ratioCommands() const { return fx->motionCommands().filter(QRegularExpression("^M92 ")); }

    // Saves and returns the text of the dialog that answers, closing it.
    QString save(TransmissionRatio *page)
    {
        clickPastGuard(page->findChild<QPushButton *>("btn_save"));
        OneButtonDialog *&dialog = OneButtonDialog::instOneButtonDialog;
        if (!QTest::qWaitFor([&dialog] { return dialog && dialog->isVisible(); }, kTryWaitMs))
            return "no dialog";
        const QString text = dialog->findChild<QLabel *>("textLabel")->text();
        dialog->close();
        (void)QTest::qWaitFor([&dialog] { return !dialog; }, kTryWaitMs);
        return text;
    }

private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        config()->reload();
        initPrinterIcons();
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(200);
    }

    void cleanupTestCase() { fx.reset(); }

    void init()
    {
        config()->setTransmissionRatio(80, 80, 400, 93);
        fx->board().clearLog();
    }

    void cleanup()
    {
        fx->board().setSilent(false);
        SerialObject::setScreenWaitMs(60000);
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(200);
        delete TransmissionRatio::instTransmissionRatio;
        QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog);
    }

    // A value stepped away and back is unchanged; only changed axes reach
    // the board (the extruder as A); all four are stored, each as its own.
    void savesOnlyTheChangedAxes()
    {
        TransmissionRatio *page = openPage(TransmissionRatio::instTransmissionRatio);
        step(page, X, +1);
        QVERIFY(markedChanged(page, X));
        step(page, X, -1);
        QVERIFY(!markedChanged(page, X));
        step(page, E, +2);
        QCOMPARE(shown(page, E), QStringLiteral("95"));
        QVERIFY(markedChanged(page, E));

        QCOMPARE(save(page), QStringLiteral("Parameter set successfully"));
        QCOMPARE(ratioCommands(), QStringList{"M92 A95"});
        QCOMPARE(storedRatios(), (QList<int>{80, 80, 400, 95}));
        QVERIFY(!markedChanged(page, E));

        step(page, X, +3);
        QCOMPARE(save(page), QStringLiteral("Parameter set successfully"));
        QCOMPARE(ratioCommands(), (QStringList{"M92 A95", "M92 X83"}));
        QCOMPARE(storedRatios(), (QList<int>{83, 80, 400, 95}));

        QCOMPARE(save(page), QStringLiteral("Parameter set successfully"));
        QCOMPARE(ratioCommands(), (QStringList{"M92 A95", "M92 X83"}));
    }

    void eachAxisStopsAtItsBounds_data()
    {
        QTest::addColumn<int>("axis");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("expected");
        QTest::addColumn<bool>("boundReached");
        QTest::newRow("X at most 1000") << int(X) << 999 << 3 << 1000 << true;
        QTest::newRow("Z at least 1") << int(Z) << 2 << -3 << 1 << true;
        QTest::newRow("E beyond 1000") << int(E) << 1000 << 1 << 1001 << false;
        QTest::newRow("E at most 5000") << int(E) << 4999 << 3 << 5000 << true;
    }

    void eachAxisStopsAtItsBounds()
    {
        QFETCH(int, axis);
        QFETCH(int, stored);
        QFETCH(int, clicks);
        QFETCH(int, expected);
        QFETCH(bool, boundReached);
        QList<int> ratios{80, 80, 400, 93};
        ratios[axis] = stored;
        config()->setTransmissionRatio(ratios[0], ratios[1], ratios[2], ratios[3]);
        TransmissionRatio *page = openPage(TransmissionRatio::instTransmissionRatio);
        step(page, Axis(axis), clicks);
        QCOMPARE(shown(page, Axis(axis)), QString::number(expected));
        QCOMPARE(!button(page, Axis(axis), clicks > 0 ? "btn_add" : "btn_sub")->isEnabled(), boundReached);
    }

    // A stored value the editor could not have chosen shows as the factory
    // value that the start gave the board, and Save stores it.
    void outOfRangeStoredValuesShowTheFactoryValue()
    {
        config()->setTransmissionRatio(0, 80, 2147483647, 5001);
        TransmissionRatio *page = openPage(TransmissionRatio::instTransmissionRatio);
        QCOMPARE((QStringList{shown(page, X), shown(page, Z), shown(page, E)}), (QStringList{"80", "400", "93"}));
        QVERIFY(!markedChanged(page, X));
        QCOMPARE(save(page), QStringLiteral("Parameter set successfully"));
        QCOMPARE(ratioCommands(), QStringList());
        QCOMPARE(storedRatios(), (QList<int>{80, 80, 400, 93}));
    }

    // A reply past the screen's wait is no failure, and the screen goes on
    // meanwhile, also where it would wait for the reply.
    void aLateReplyIsNoFailure_data()
    {
        QTest::addColumn<int>("screenWaitMs");
        QTest::newRow("device's screen wait") << SerialObject::kDefaultScreenWaitMs;
        QTest::newRow("a screen that would wait") << 60000;
    }
    void aLateReplyIsNoFailure()
    {
        QFETCH(int, screenWaitMs);
        SerialObject::setScreenWaitMs(screenWaitMs);
        ExecuteGetSerialObject()->serial()->setReplyTimeoutMs(10000);
        TransmissionRatio *page = openPage(TransmissionRatio::instTransmissionRatio);
        step(page, X, +1);
        step(page, E, +1);
        fx->board().delayReplyOnce("M92 X81", 4000);
        StallProbe probe;
        QCOMPARE(save(page), QStringLiteral("Parameter set successfully"));
        const qint64 stallMs = probe.takeWorstStallMs();
        QVERIFY2(stallMs < 2000, qPrintable(QString::number(stallMs)));
        QCOMPARE(ratioCommands(), (QStringList{"M92 X81", "M92 A94"}));
        QVERIFY(!markedChanged(page, X) && !markedChanged(page, E));
    }

    // A board that stops taking "M92" part-way is reported: the axes it took
    // are saved, the others stay marked and are not sent into the silence,
    // all four values are stored, and Save sends the rest once the board
    // answers again.
    void aSilentBoardIsReported()
    {
        SerialObject::setScreenWaitMs(SerialObject::kDefaultScreenWaitMs);
        TransmissionRatio *page = openPage(TransmissionRatio::instTransmissionRatio);
        for (Axis axis : {X, Y, Z, E})
            step(page, axis, +1);
        fx->board().silenceAt("M92 Y81");
        QVERIFY(save(page).startsWith("Parameter setting failed."));
        QCOMPARE(ratioCommands(), (QStringList{"M92 X81", "M92 Y81"}));
        QCOMPARE(storedRatios(), (QList<int>{81, 81, 401, 94}));
        QVERIFY(!markedChanged(page, X));
        for (Axis axis : {Y, Z, E})
            QVERIFY(markedChanged(page, axis));

        fx->board().setSilent(false);
        QTRY_COMPARE(save(page), QStringLiteral("Parameter set successfully"));
        QCOMPARE(ratioCommands().mid(ratioCommands().lastIndexOf("M92 Y81")),
                 (QStringList{"M92 Y81", "M92 Z401", "M92 A94"}));
        for (Axis axis : {Y, Z, E})
            QVERIFY(!markedChanged(page, axis));
    }
};

QTEST_MAIN(TestTransmissionRatio)
#include "tst_transmissionratio.moc"
