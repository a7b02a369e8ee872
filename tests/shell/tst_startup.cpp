#include "config.h"
#include "getconfigfile.h"
#include "language.h"
#include "printertranslations.h"
#include "serialobject.h"
#include "simfixture.h"
#include "startup.h"
#include "sysroot.h"
#include "timescale.h"

#include <QDir>
#include <QFile>
#include <QTranslator>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        TimeScale::setFactor(0.01);
        initPrinterTranslations();
    }

    void healthyBoardGetsLineTestAndStop()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        SerialObject link("/dev/ttyS2", 131);
        QCOMPARE(Startup::bringUpBoard(&link), Startup::LinkState::Ready);
        QCOMPARE(fx.motionCommands(), (QStringList{"M103", "M103", "M103", "M112", "M112", "M18"}));
        QVERIFY(fx.sandbox().standinCalls().isEmpty());
    }

    void boardWithoutOkIsReflashedFromTheNewestPackage()
    {
        SimFixture fx;
        QVERIFY(fx.ok());
        const QString control = fx.root() + "/opt/PROGRAM/control/";
        for (const char *v : {"1.0.15", "1.1.0", "1.0.9"}) {
            QDir().mkpath(control + v);
            QFile f(control + v + "/image.bin");
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        fx.board().setM112Reply("error");
        SerialObject link("/dev/ttyS2", 131);
        QCOMPARE(Startup::bringUpBoard(&link), Startup::LinkState::Reflashed);
        QCOMPARE(fx.motionCommands(), (QStringList{"M103", "M103", "M103", "M112", "M112"}));
        const QList<QStringList> calls = fx.sandbox().standinCalls();
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0], (QStringList{"IAPCommand", control + "1.1.0/image.bin"}));
        QFile reset(fx.root() + "/sys/class/gpio/gpio137/value");
        QVERIFY(reset.open(QIODevice::ReadOnly));
        QCOMPARE(reset.readAll().trimmed(), QByteArray("0"));

        QDir(control).removeRecursively();
        QCOMPARE(Startup::bringUpBoard(&link), Startup::LinkState::ReflashFailed);
    }

    void translatorLoadsTheConfiguredLanguage()
    {
        SimFixture fx;
        getConfigFile()->configFile()->reload();
        getConfigFile()->configFile()->setPrinterLanguage("german");
        Startup::initTranslator();
        QVERIFY(Language::translator);
        QVERIFY(!Language::translator->isEmpty());
        getConfigFile()->configFile()->setPrinterLanguage("klingon");
        try {
            Startup::initTranslator();
            QFAIL("an unknown language must fail");
        } catch (const Startup::Failure &failure) {
            QCOMPARE(failure.code, 3);
        }
        // Catalogues without translations yet load without an error, the
        // texts falling back to English (not to the language set before).
        for (const char *untranslated : {"arabic", "hungary", "korean", "thai"}) {
            getConfigFile()->configFile()->setPrinterLanguage("german");
            Startup::initTranslator();
            getConfigFile()->configFile()->setPrinterLanguage(untranslated);
            try {
                Startup::initTranslator();
            } catch (const Startup::Failure &failure) {
                QFAIL(qPrintable(QStringLiteral("%1 fails with %2").arg(untranslated).arg(failure.code)));
            }
            QCOMPARE(QCoreApplication::translate("BuildPreview", "Back"), QStringLiteral("Back"));
        }
        getConfigFile()->configFile()->setPrinterLanguage("english");
        Startup::initTranslator();
    }

    void missingPortIsALinkFailure()
    {
        QTemporaryDir empty;
        SysRoot::setRoot(empty.path());
        try {
            Startup::openPrinterLink();
            QFAIL("no port, no link");
        } catch (const Startup::Failure &failure) {
            QCOMPARE(failure.code, 0x1001);
        }
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
