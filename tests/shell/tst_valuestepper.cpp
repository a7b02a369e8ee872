#include "timescale.h"
#include "valuestepper.h"

#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {
const QString Normal = QStringLiteral("#value{color:#222222;}");
const QString Changed = QStringLiteral("#value{color:#C2172D;}");
}

class TestValueStepper : public QObject {
    Q_OBJECT

    struct Row {
        QWidget page;
        QToolButton *minus = new QToolButton(&page);
        QToolButton *plus = new QToolButton(&page);
        QLabel *label = new QLabel(&page);
        std::unique_ptr<ValueStepper> stepper;

        Row(int min, int max, ValueStepper::Mode mode = ValueStepper::Mode::HoldToRepeat)
        {
            page.show();
            label->setObjectName(QStringLiteral("value"));
            stepper = std::make_unique<ValueStepper>(minus, plus, label, min, max, mode);
            stepper->setFormat([](int v) { return QStringLiteral("%1\u2103").arg(v); });
            stepper->setChangeMark(Normal, Changed);
        }
    };

private slots:
    void initTestCase() { TimeScale::setFactor(0.01); }

    // Values outside the range are brought in; the button of a bound that is
    // reached is disabled.
    void startValueIsBoundedAndDisablesItsButton()
    {
        Row row(20, 250);
        row.stepper->setValue(260);
        QCOMPARE(row.stepper->value(), 250);
        QCOMPARE(row.label->text(), QStringLiteral("250\u2103"));
        QVERIFY(!row.plus->isEnabled());
        QVERIFY(row.minus->isEnabled());
        row.stepper->setValue(20);
        QVERIFY(!row.minus->isEnabled());
        QVERIFY(row.plus->isEnabled());
        QVERIFY(!row.stepper->isChanged());
    }

    // A tap moves by one; reaching a bound disables that button, leaving it
    // enables the button again.
    void tapsStepByOneAndStopAtTheBound()
    {
        Row row(20, 250);
        row.stepper->setValue(249);
        QTest::mouseClick(row.plus, Qt::LeftButton);
        QCOMPARE(row.stepper->value(), 250);
        QVERIFY(!row.plus->isEnabled());
        QTest::mouseClick(row.minus, Qt::LeftButton);
        QCOMPARE(row.stepper->value(), 249);
        QVERIFY(row.plus->isEnabled());
    }

    // Changed values show the mark; stepping back to the reference removes it,
    // and resetReference() makes the shown value the new reference.
    void changeMarkFollowsTheReference()
    {
        Row row(1, 1000);
        row.stepper->setValue(80);
        QCOMPARE(row.label->styleSheet(), Normal);
        QTest::mouseClick(row.plus, Qt::LeftButton);
        QVERIFY(row.stepper->isChanged());
        QCOMPARE(row.label->styleSheet(), Changed);
        QTest::mouseClick(row.minus, Qt::LeftButton);
        QVERIFY(!row.stepper->isChanged());
        QCOMPARE(row.label->styleSheet(), Normal);
        QTest::mouseClick(row.minus, Qt::LeftButton);
        row.stepper->resetReference();
        QVERIFY(!row.stepper->isChanged());
        QCOMPARE(row.label->styleSheet(), Normal);
        QCOMPARE(row.stepper->value(), 79);
    }

    // A tap longer than a repeat interval (but well short of a hold) counts
    // once; only a clear hold repeats, and letting go after it adds nothing
    // more. Real time, as a finger taps.
    void aTapCountsOnceOnlyAHoldRepeats()
    {
        TimeScale::setFactor(1.0);
        Row row(20, 250);
        row.stepper->setValue(80);
        QTest::mousePress(row.plus, Qt::LeftButton);
        QTest::qWait(ValueStepper::RepeatIntervalMs + 80); // the finger stays down
        QCOMPARE(row.stepper->value(), 80);
        QTest::mouseRelease(row.plus, Qt::LeftButton);
        QCOMPARE(row.stepper->value(), 81);

        QTest::mousePress(row.plus, Qt::LeftButton);
        QTRY_VERIFY(row.stepper->value() >= 83);
        const int held = row.stepper->value();
        QTest::mouseRelease(row.plus, Qt::LeftButton);
        QCOMPARE(row.stepper->value(), held);
        TimeScale::setFactor(0.01);
    }

    // Holding: +1 for each of the first 29 repeats, +10 from the 30th, and the
    // repeat ends with the button disabled at the bound.
    void holdAcceleratesAndStopsAtTheBound()
    {
        Row row(20, 250);
        row.stepper->setValue(200);
        QSignalSpy changes(row.stepper.get(), &ValueStepper::valueChanged);
        QTest::mousePress(row.plus, Qt::LeftButton);
        QTRY_COMPARE(row.stepper->value(), 250);
        QVERIFY(!row.plus->isEnabled());
        QList<int> steps;
        int previous = 200;
        for (const QList<QVariant> &change : changes) {
            steps << change.at(0).toInt() - previous;
            previous = change.at(0).toInt();
        }
        // 200 + 29 = 229, then 239, 249, and the bound cuts the last step to 1.
        QList<int> expected;
        for (int i = 0; i < 29; ++i)
            expected << 1;
        expected << 10 << 10 << 1;
        QCOMPARE(steps, expected);
        QTest::qWait(20);
        QCOMPARE(changes.size(), expected.size());
        QVERIFY(row.minus->isEnabled());
    }

    // In-print adjustments: each press moves by the row's step, clamped.
    void stepOnPressUsesTheStep()
    {
        Row row(50, 300, ValueStepper::Mode::StepOnPress);
        row.stepper->setStep(5);
        row.stepper->setValue(295);
        QTest::mousePress(row.plus, Qt::LeftButton);
        QTest::mouseRelease(row.plus, Qt::LeftButton);
        QCOMPARE(row.stepper->value(), 300);
        QVERIFY(!row.plus->isEnabled());
        QTest::qWait(20);
        QCOMPARE(row.stepper->value(), 300);

        Row offset(-100, 100, ValueStepper::Mode::StepOnPress);
        offset.stepper->setStep(2);
        offset.stepper->setValue(-99);
        QTest::mouseClick(offset.minus, Qt::LeftButton);
        QCOMPARE(offset.stepper->value(), -100);
        QVERIFY(!offset.minus->isEnabled());
        QTest::mouseClick(offset.plus, Qt::LeftButton);
        QCOMPARE(offset.stepper->value(), -98);
        QVERIFY(offset.minus->isEnabled());
    }
};

QTEST_MAIN(TestValueStepper)
#include "tst_valuestepper.moc"
