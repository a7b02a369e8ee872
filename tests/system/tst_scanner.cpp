#include "config.h"
#include "executegetserialobject.h"
#include "getconfigfile.h"
#include "keyeventreader.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "printericons.h"
#include "printertranslations.h"
#include "scanner.h"
#include "screencheck.h"
#include "scannerevents.h"
#include "simfixture.h"
#include "sysroot.h"
#include "timescale.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

// The scanner screen at start-up: the sandbox's event device is a FIFO that
// the test writes scanner event sequences into.
class TestScanner : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx;
    std::unique_ptr<MainWindow> mainWindow;
    QPointer<Scanner> scanner;
    int device = -1;

    QString devicePath() const { return fx->root() + "/dev/input/event1"; }
    QString shownCode() const { return scanner->findChild<QToolButton *>("lineEdit")->text(); }

    void scan(const QString &text, int repeats = 0)
    {
        const QByteArray events = ScannerEvents::typed(text, repeats);
        QCOMPARE(::write(device, events.constData(), events.size()), static_cast<ssize_t>(events.size()));
    }

    // Bytes written into the device's FIFO that the reader has not taken yet.
    int unread() const
    {
        int pending = -1;
        return ::ioctl(device, FIONREAD, &pending) == 0 ? pending : -1;
    }

    // Descriptors of this process open on the event device.
    int openOnDevice() const
    {
        int n = 0;
        for (const QFileInfo &fd : QDir("/proc/self/fd").entryInfoList(QDir::System))
            n += fd.symLinkTarget() == devicePath();
        return n;
    }

private slots:
    void initTestCase()
    {
        initPrinterIcons();
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        TimeScale::setFactor(0.01);
        fx = std::make_unique<SimFixture>(1000.0);
        QVERIFY(fx->ok());
        getConfigFile()->configFile()->reload();
        ExecuteGetSerialObject()->serial();
        MainWindow::setLanPorts(0, 0);
        QVERIFY(QDir(fx->root()).mkpath("dev/input"));
        QCOMPARE(::mkfifo(QFile::encodeName(devicePath()).constData(), 0600), 0);
        device = ::open(QFile::encodeName(devicePath()).constData(), O_RDWR);
        QVERIFY(device >= 0);
        MainWindowHooks hooks;
        hooks.openScanner = [this] {
            scanner = new Scanner(SysRoot::path("/dev/input/event1"));
            scanner->show();
        };
        MainWindow::setHooks(hooks);
    }
    void cleanupTestCase()
    {
        ::close(device);
        fx.reset();
    }
    void init()
    {
        QFile mac(fx->root() + "/etc/MAC");
        QVERIFY(mac.open(QIODevice::WriteOnly));
        mac.write("  0A:1B:2C:3D:4E:5F \nsecond line\n");
        mac.close();
        fx->board().clearLog();
        mainWindow = std::make_unique<MainWindow>();
        QTRY_VERIFY(scanner);
    }
    void cleanup()
    {
        if (scanner)
            scanner->close();
        QTRY_VERIFY(!scanner);
        QCOMPARE(openOnDevice(), 1); // only the test's own end
        mainWindow.reset();
    }

    // The normal start waits for OK: no status poll before, a scanned code
    // (capitals under shift, keys outside the map dropped, repeats counted,
    // a later code replacing an earlier one, a bare Enter changing nothing)
    // becomes the serial number, and the printer starts.
    void scannedCodeBecomesTheSerialNumber()
    {
        QCOMPARE(scanner->findChild<QToolButton *>("showMACAddress")->text(), QStringLiteral("MAC: 0A:1B:2C:3D:4E:5F"));
        scan("Ab-12");
        QTRY_COMPARE(shownCode(), QStringLiteral("AB12"));
        scan("kp7", 1);
        QTRY_COMPARE(shownCode(), QStringLiteral("KKPP77"));
        scan("");
        QTest::qWait(20);
        QCOMPARE(shownCode(), QStringLiteral("KKPP77"));
        QCOMPARE(fx->count("M105"), 0);

        QTest::mouseClick(scanner->findChild<QToolButton *>("ok"), Qt::LeftButton);
        QTRY_VERIFY(!scanner);
        QCOMPARE(getConfigFile()->configFile()->getPrinterSerialNumber(), std::string("KKPP77"));
        QVERIFY(fx->waitForCommand("M105"));
    }

    // OK with nothing scanned keeps the stored number and still starts.
    void emptyOkKeepsTheStoredNumber()
    {
        getConfigFile()->configFile()->setPrinterSerialNumber("KP0001");
        scan("ZZ9");
        QTRY_COMPARE(shownCode(), QStringLiteral("ZZ9"));
        QTest::mouseClick(scanner->findChild<QToolButton *>("clear"), Qt::LeftButton);
        QCOMPARE(shownCode(), QString());
        QTest::mouseClick(scanner->findChild<QToolButton *>("ok"), Qt::LeftButton);
        QTRY_VERIFY(!scanner);
        QCOMPARE(getConfigFile()->configFile()->getPrinterSerialNumber(), std::string("KP0001"));
        QVERIFY(fx->waitForCommand("M105"));
    }

    // A code whose events arrive in pieces reads as a whole; a code longer
    // than a serial number can be is refused with the screen's own text and
    // nothing of it is kept, while one at the limit is taken.
    void splitAndOverlongCodes()
    {
        getConfigFile()->configFile()->setPrinterSerialNumber("KP0001");
        const QByteArray events = ScannerEvents::typed("KP7");
        QCOMPARE(::write(device, events.constData(), 7), ssize_t(7)); // the first event split mid-way
        QTRY_COMPARE(unread(), 0);
        QCOMPARE(::write(device, events.constData() + 7, events.size() - 7), ssize_t(events.size() - 7));
        QTRY_COMPARE(shownCode(), QStringLiteral("KP7"));

        const QString longest(KeyEventReader::kMaxCodeLength, QLatin1Char('K'));
        scan(longest);
        QTRY_COMPARE(shownCode(), longest);
        scan(QString(10000, QLatin1Char('7')));
        QTRY_VERIFY(OneButtonDialog::instOneButtonDialog);
        QCOMPARE(OneButtonDialog::instOneButtonDialog->findChild<QLabel *>("textLabel")->text(),
                 Scanner::tr("The scanned code is too long."));
        QCOMPARE(shownCode(), QString());
        OneButtonDialog::instOneButtonDialog->close();
        QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog);
        QTest::mouseClick(scanner->findChild<QToolButton *>("ok"), Qt::LeftButton);
        QTRY_VERIFY(!scanner);
        QCOMPARE(getConfigFile()->configFile()->getPrinterSerialNumber(), std::string("KP0001"));
    }

    // The screen fits in every offered language, also without an /etc/MAC.
    void fitsInEveryOfferedLanguage()
    {
        QFile::remove(fx->root() + "/etc/MAC");
        scan("KP2026A");
        for (const QString language : {"english", "german", "french", "spanish", "japanese", "chinese-cn"}) {
            QTranslator translator;
            QVERIFY(ScreenCheck::installCatalogue(translator, language));
            Scanner screen(SysRoot::path("/dev/input/nothing"));
            screen.show();
            QCoreApplication::processEvents();
            // The clear key's 26 px "X" fits its 51 px key; the tool button's
            // own size hint only asks for a few more pixels of margin.
            QStringList clipped = ScreenCheck::clippedTexts(&screen);
            clipped.removeOne(QStringLiteral("X"));
            QVERIFY2(clipped.isEmpty(), qPrintable(language + ": " + clipped.join(" | ")));
            ScreenCheck::saveScreen("scanner_" + language);
            screen.showScanTooLong();
            QVERIFY(OneButtonDialog::instOneButtonDialog);
            QCoreApplication::processEvents();
            const QStringList clippedRefusal = ScreenCheck::clippedTexts(OneButtonDialog::instOneButtonDialog);
            QVERIFY2(clippedRefusal.isEmpty(), qPrintable(language + ": " + clippedRefusal.join(" | ")));
            ScreenCheck::saveScreen("scanner_too_long_" + language);
            OneButtonDialog::instOneButtonDialog->close();
            QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog);
            QCoreApplication::removeTranslator(&translator);
        }
        QTRY_COMPARE(shownCode(), QStringLiteral("KP2026A"));
        ScreenCheck::save(scanner, "scanner_scanned");
    }
};

QTEST_MAIN(TestScanner)
#include "tst_scanner.moc"
