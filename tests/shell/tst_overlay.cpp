#include "keyboard.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "printertranslations.h"
#include "progressdialog.h"
#include "sendfiledialog.h"
#include "shellstyle.h"
#include "twobuttondialog.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>

#include "screencheck.h"
#include <QtTest>

// Dialogs, notices and the keyboard over a page, in whole-screen grabs of the
// VNC platform, which composites windows as the device's framebuffer does:
// translucent windows are not blended, so a see-through dialog shows black.
class TestOverlay : public QObject {
    Q_OBJECT
    QWidget m_page;

    void paintPage(const QColor &color)
    {
        m_page.setStyleSheet(QStringLiteral("background:%1;").arg(color.name()));
    }

    // The screen's top-left corner, outside every dialog box, shows `page`
    // under the dialog mask.
    static bool cornerShowsDimmed(const QColor &page)
    {
        const QColor seen = ScreenCheck::grabScreen().pixelColor(2, 2);
        const double keep = 1.0 - ShellStyle::dialogMask().alphaF();
        return qAbs(seen.red() - page.red() * keep) <= 3 && qAbs(seen.green() - page.green() * keep) <= 3
            && qAbs(seen.blue() - page.blue() * keep) <= 3;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == "vnc", "whole-screen grabs need the VNC platform");
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        m_page.setWindowFlags(Qt::FramelessWindowHint);
        m_page.setGeometry(0, 0, ShellStyle::ScreenWidth, ShellStyle::ScreenHeight);
        paintPage(QColor(240, 200, 40));
        m_page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_page));
    }

    void pageShowsDimmedAroundEachOverlay_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"question", "keyboard", "busy", "progress", "transfer"})
            QTest::newRow(kind) << kind;
    }

    void pageShowsDimmedAroundEachOverlay()
    {
        QFETCH(QString, kind);
        QPointer<QWidget> overlay;
        if (kind == "question")
            overlay = new TwoButtonDialog("Cancel", "Are you sure to cancel the print?");
        else if (kind == "keyboard")
            overlay = new Keyboard(false, "name");
        else if (kind == "busy")
            overlay = new OneLableDialog("Pausing...");
        else if (kind == "progress")
            overlay = new ProgressDialog("Copy", "Copying...");
        else
            overlay = new SendFileDialog("Receive file", nullptr);
        overlay->show();
        QTRY_VERIFY(cornerShowsDimmed(QColor(240, 200, 40)));
        ScreenCheck::saveScreen("overlay_" + kind);

        // Read-outs beneath keep changing while the overlay is open.
        paintPage(QColor(40, 120, 240));
        QTRY_VERIFY(cornerShowsDimmed(QColor(40, 120, 240)));
        paintPage(QColor(240, 200, 40));
        overlay->close();
        QTRY_VERIFY(overlay.isNull());
    }

    // The questions and notices whose texts were worded for the screen, in
    // every offered language: nothing cut off, as the person sees them.
    void messagesFitInEveryLanguage_data()
    {
        ScreenCheck::addLanguageRows();
    }

    void messagesFitInEveryLanguage()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        const auto tr = [](const char *context, const char *text) { return QCoreApplication::translate(context, text); };
        const QList<QPair<QString, QWidget *>> screens = {
            {"resume", new TwoButtonDialog(tr("MainWindow", "Resume print"),
                                           tr("MainWindow", "The last print was interrupted.\nResume it?"),
                                           tr("MainWindow", "YES"), tr("MainWindow", "NO"))},
            {"cancel", new TwoButtonDialog(tr("BuildPrint", "Cancel print job"),
                                           tr("BuildPrint", "Are you sure to\n cancel print job?"),
                                           tr("BuildPrint", "YES"), tr("BuildPrint", "NO"))},
            {"upgrade", new TwoButtonDialog(tr("MainWindow", "Confirm"),
                                            tr("MainWindow", "A new version is found.\n Upgrade firmware?"),
                                            tr("MainWindow", "Yes"), tr("MainWindow", "No"))},
            {"reset", new TwoButtonDialog(tr("FactorySetting", "Confirm"),
                                          tr("FactorySetting", "Restore to factory setting?"),
                                          tr("FactorySetting", "Yes"), tr("FactorySetting", "No"))},
            {"extruder", new OneButtonDialog(QString(), tr("BuildPrint", "Abnormally print.\nPlease check the extruder."))},
            {"restart", new OneButtonDialog(QString(), tr("QObject", "Repair is complete,\nplease restart the printer"))},
        };
        for (const auto &screen : screens) {
            QPointer<QWidget> dialog = screen.second;
            dialog->show();
            QTRY_VERIFY(cornerShowsDimmed(QColor(240, 200, 40)));
            const QStringList clipped = ScreenCheck::clippedTexts(dialog);
            QVERIFY2(clipped.isEmpty(), qPrintable(screen.first + ": " + clipped.join(" | ")));
            ScreenCheck::saveScreen(language + "_" + screen.first);
            dialog->close();
            QTRY_VERIFY(dialog.isNull());
        }
        QCoreApplication::removeTranslator(&translator);
    }

    // A notice hidden and shown again lies over pages shown in between.
    void noticeShownAgainLiesOverLaterPages()
    {
        auto *busy = new OneLableDialog("Pausing...");
        busy->show();
        QTRY_VERIFY(cornerShowsDimmed(QColor(240, 200, 40)));
        busy->hide();
        QWidget later;
        later.setWindowFlags(Qt::FramelessWindowHint);
        later.setStyleSheet("background:#2878f0;");
        later.setGeometry(0, 0, ShellStyle::ScreenWidth, ShellStyle::ScreenHeight);
        later.show();
        busy->show();
        QTRY_VERIFY(cornerShowsDimmed(QColor(40, 120, 240)));
        busy->close();
    }

    // A message that comes while a notice is shown is read alone; once it
    // is answered the notice, still wanted, is back on top.
    void noticeGivesWayToAMessageUntilAnswered()
    {
        auto *busy = new OneLableDialog("Pausing...");
        busy->show();
        QTRY_VERIFY(ScreenCheck::showsOnScreen(busy->findChild<QLabel *>("textLabel")));
        auto *message = new OneButtonDialog(QString(), "Out of material.");
        message->show();
        QTRY_VERIFY(ScreenCheck::showsOnScreen(message->findChild<QLabel *>("textLabel")));
        QVERIFY(!busy->isVisible());
        message->findChild<QPushButton *>("okBtn")->click();
        QTRY_VERIFY(ScreenCheck::showsOnScreen(busy->findChild<QLabel *>("textLabel")));
        busy->close();
    }
};

int main(int argc, char *argv[])
{
    // Port 0: any free port, so that parallel runs do not collide.
    qputenv("QT_QPA_PLATFORM", "vnc:size=272x480:addr=127.0.0.1:port=0");
    QApplication app(argc, argv);
    TestOverlay test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_overlay.moc"
