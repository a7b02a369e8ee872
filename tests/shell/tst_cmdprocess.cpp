#include "cmdprocess.h"
#include "dialoganswerer.h"
#include "onelabledialog.h"
#include "sysroot.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestCmdProcess : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QDir(m_root.path()).mkpath("sbin-standin");
        addTool("cp", "exit 0");
        addTool("cp-fails", "exit 1");
        addTool("cp-crashes", "kill -SEGV $$");
        SysRoot::setRoot(m_root.path());
    }

    void reportsTheOutcome_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("report");
        QTest::newRow("exit 0") << "cp" << "Copy|Copy complete!";
        QTest::newRow("exit 1") << "cp-fails" << "Copy|Copy failed!";
        QTest::newRow("crash") << "cp-crashes" << "Copy|Copy failed!";
        QTest::newRow("cannot start") << "no-such-tool" << "Copy|Copy failed!";
    }

    void reportsTheOutcome()
    {
        QFETCH(QString, program);
        QFETCH(QString, report);

        DialogAnswerer answerer;
        auto *runner = new CmdProcess;
        QCOMPARE(CmdProcess::instCmdProcess, runner);
        runner->executeCmd(program, {"-r", "/opt/PROGRAM/log", "/media"});
        if (program != "no-such-tool") {
            QVERIFY(OneLableDialog::instOneLableDialog);
            QCOMPARE(OneLableDialog::instOneLableDialog->findChild<QLabel *>("textLabel")->text(),
                     QString("Copying..."));
        }
        QTRY_VERIFY(!CmdProcess::instCmdProcess); // deletes itself after the report
        QCOMPARE(answerer.answered, QStringList{report});
        QVERIFY(!OneLableDialog::instOneLableDialog);
    }

    void reusesAnOpenBusyNotice()
    {
        DialogAnswerer answerer;
        auto *busy = new OneLableDialog("");
        busy->hide();
        (new CmdProcess)->executeCmd("cp", {});
        QCOMPARE(OneLableDialog::instOneLableDialog, busy);
        QVERIFY(busy->isVisible());
        QTRY_VERIFY(!CmdProcess::instCmdProcess);
        QCOMPARE(answerer.answered.size(), 1);
    }

private:
    void addTool(const QString &name, const QByteArray &body)
    {
        QFile tool(m_root.path() + "/sbin-standin/" + name);
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write("#!/bin/sh\n" + body + "\n");
        tool.close();
        tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir m_root;
};

QTEST_MAIN(TestCmdProcess)
#include "tst_cmdprocess.moc"
