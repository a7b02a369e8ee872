#include "nobuttondialog.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "progressdialog.h"
#include "twobuttondialog.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

namespace {

QPushButton *button(QWidget *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(name);
}

QString labelText(QWidget *dialog, const char *name)
{
    return dialog->findChild<QLabel *>(name)->text();
}

// Clicks the named button of the open two-button question once its event
// loop runs.
void clickLater(const char *name)
{
    QTimer::singleShot(0, [name] {
        QTest::mouseClick(button(TwoButtonDialog::instTwoButtonDialog, name), Qt::LeftButton);
    });
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void twoButtonExecReturnsWhichButtonWasPressed()
    {
        auto *ask = new TwoButtonDialog("Are you sure to delete", "Are you sure\n to delete the file?");
        QCOMPARE(TwoButtonDialog::instTwoButtonDialog, ask);
        QCOMPARE(button(ask, "okBtn")->text(), QString("OK"));
        QCOMPARE(button(ask, "backBtn")->text(), QString("Back"));
        QPointer<TwoButtonDialog> guard(ask);
        clickLater("okBtn");
        QCOMPARE(ask->exec(), 1);
        QVERIFY(!guard); // exec() of a delete-on-close dialog deletes it
        QVERIFY(!TwoButtonDialog::instTwoButtonDialog);

        ask = new TwoButtonDialog("t", "x", "Delete", "Cancel");
        QCOMPARE(button(ask, "okBtn")->text(), QString("Delete"));
        QCOMPARE(button(ask, "backBtn")->text(), QString("Cancel"));
        clickLater("backBtn");
        QCOMPARE(ask->exec(), 0);
        QVERIFY(!TwoButtonDialog::instTwoButtonDialog);

        // Closed from outside (the main window clearing the screen): no.
        ask = new TwoButtonDialog("t", "x");
        QTimer::singleShot(0, [] { TwoButtonDialog::instTwoButtonDialog->close(); });
        QCOMPARE(ask->exec(), 0);
        QVERIFY(!TwoButtonDialog::instTwoButtonDialog);
    }

    void oneButtonTextsAndNonBlockingShow()
    {
        auto *message = new OneButtonDialog("", "Please retry", QString());
        QCOMPARE(button(message, "okBtn")->text(), QString("OK"));
        QVERIFY(message->findChild<QLabel *>("titleLabel")->isHidden()); // no blank title line
        message->setBtnText("Ok");
        QCOMPARE(button(message, "okBtn")->text(), QString("Ok"));
        message->setBtnText("");
        QCOMPARE(button(message, "okBtn")->text(), QString("OK"));

        QPointer<OneButtonDialog> guard(message);
        message->show(); // returns at once
        QVERIFY(message->isVisible());
        QCOMPARE(message->geometry(), QRect(0, 0, 272, 480));
        message->setLabelText("Copy Completed");
        QCOMPARE(labelText(message, "textLabel"), QString("Copy Completed"));
        QTest::mouseClick(button(message, "okBtn"), Qt::LeftButton);
        // The pointer is free at once, even before the deferred delete.
        QVERIFY(!OneButtonDialog::instOneButtonDialog);
        QTRY_VERIFY(!guard);

        message = new OneButtonDialog("Copy", "text", "Cancel");
        QCOMPARE(button(message, "okBtn")->text(), QString("Cancel"));
        delete message;
        QVERIFY(!OneButtonDialog::instOneButtonDialog);
    }

    void pointersAreClearedOnCloseAndNeverDangle()
    {
        auto *busy = new OneLableDialog("Scanning...");
        QCOMPARE(OneLableDialog::instOneLableDialog, busy);
        busy->show();
        busy->hide(); // hidden by its user: still the open notice
        QCOMPARE(OneLableDialog::instOneLableDialog, busy);
        busy->setLabelText("Connecting...");
        QCOMPARE(labelText(busy, "textLabel"), QString("Connecting..."));
        QPointer<OneLableDialog> guard(busy);
        busy->close(); // closing a hidden notice deletes it too
        QVERIFY(!OneLableDialog::instOneLableDialog);
        QTRY_VERIFY(!guard);

        auto *wait = new NoButtonDialog("Copy File", "Waiting...");
        QCOMPARE(NoButtonDialog::instNoButtonDialog, wait);
        QVERIFY(wait->findChildren<QPushButton *>().isEmpty());
        wait->show();
        wait->close();
        QVERIFY(!NoButtonDialog::instNoButtonDialog);

        // A newer dialog owns the pointer; the older one must not clear it.
        auto *first = new NoButtonDialog("a", "b");
        auto *second = new NoButtonDialog("c", "d");
        delete first;
        QCOMPARE(NoButtonDialog::instNoButtonDialog, second);
        delete second;
        QVERIFY(!NoButtonDialog::instNoButtonDialog);
    }

    void progressShowsValueAsPercentOfMax_data()
    {
        QTest::addColumn<qint64>("max");
        QTest::addColumn<QList<qint64>>("values");
        QTest::addColumn<int>("shown");

        QTest::newRow("starts at 1") << qint64(1000) << QList<qint64>{} << 1;
        QTest::newRow("share") << qint64(1000) << QList<qint64>{250} << 25;
        QTest::newRow("equals max") << qint64(1000) << QList<qint64>{1000} << 100;
        QTest::newRow("beyond max") << qint64(1000) << QList<qint64>{500, 1001} << 1;
        QTest::newRow("zero keeps last") << qint64(1000) << QList<qint64>{500, 0} << 50;
        QTest::newRow("below 1 % keeps last") << qint64(1000) << QList<qint64>{300, 9} << 30;
        QTest::newRow("negative keeps last") << qint64(1000) << QList<qint64>{300, -5} << 30;
        QTest::newRow("max 0, value 0") << qint64(0) << QList<qint64>{0} << 100;
        QTest::newRow("max 0, value 5") << qint64(0) << QList<qint64>{5} << 1;
        QTest::newRow("max negative") << qint64(-10) << QList<qint64>{-20} << 1;
        // A 3 GB file: value * 100 does not fit into 32 bits.
        QTest::newRow("large file") << qint64(3000000000LL) << QList<qint64>{2400000000LL} << 80;
    }

    void progressShowsValueAsPercentOfMax()
    {
        QFETCH(qint64, max);
        QFETCH(QList<qint64>, values);
        QFETCH(int, shown);

        ProgressDialog progress("", "Copying...");
        QCOMPARE(ProgressDialog::instProgressDialog, &progress);
        progress.setMax(max);
        for (qint64 v : values)
            progress.setValue(v);
        QCOMPARE(progress.findChild<QProgressBar *>()->value(), shown);
    }

    void progressCancelClosesTheDialog()
    {
        auto *progress = new ProgressDialog("", "Copy File...");
        QCOMPARE(button(progress, "cancelBtn")->text(), QString("Cancel"));
        progress->show();
        progress->setLabelText("Verifying file...");
        QCOMPARE(labelText(progress, "textLabel"), QString("Verifying file..."));
        QTest::mouseClick(button(progress, "cancelBtn"), Qt::LeftButton);
        // A copy loop that only spins processEvents() sees the cancel.
        QCoreApplication::processEvents();
        QVERIFY(!ProgressDialog::instProgressDialog);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
