#include "keyboard.h"
#include "onelabledialog.h"
#include "progressdialog.h"
#include "sendfiledialog.h"
#include "shellstyle.h"
#include "twobuttondialog.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>

#include "screencheck.h"
#include <QtTest>

// Dialogs, notices and the keyboard over a page, looked at as the device's
// framebuffer shows them: the VNC platform composites the windows the way
// the device does, without blending translucent ones.
class TestOverlay : public QObject {
    Q_OBJECT

    QWidget m_page;
    QLabel *m_readOut = nullptr;

    // A point outside every dialog box: the top-left corner of the screen.
    static QColor cornerPixel() { return ScreenCheck::grabScreen().pixelColor(2, 2); }

    // The page colour as it shows through `layers` masks.
    static QColor dimmed(const QColor &page, int layers)
    {
        double keep = 1.0;
        for (int i = 0; i < layers; ++i)
            keep *= 1.0 - ShellStyle::dialogMask().alphaF();
        return QColor::fromRgbF(page.redF() * keep, page.greenF() * keep, page.blueF() * keep);
    }

    static bool near(const QColor &a, const QColor &b)
    {
        return qAbs(a.red() - b.red()) <= 3 && qAbs(a.green() - b.green()) <= 3
            && qAbs(a.blue() - b.blue()) <= 3;
    }

    void setPageColor(const QColor &color)
    {
        m_page.setStyleSheet(QStringLiteral("QWidget#page{background:%1;}").arg(color.name()));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QGuiApplication::platformName() == "vnc", "whole-screen grabs need the VNC platform");
        m_page.setObjectName("page");
        m_page.setAttribute(Qt::WA_StyledBackground);
        m_page.setWindowFlags(Qt::FramelessWindowHint);
        m_page.setGeometry(0, 0, ShellStyle::ScreenWidth, ShellStyle::ScreenHeight);
        m_readOut = new QLabel("200/200", &m_page);
        m_readOut->setGeometry(20, 20, 120, 30);
        setPageColor(QColor(240, 200, 40));
        m_page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_page));
        QTRY_VERIFY(near(cornerPixel(), QColor(240, 200, 40)));
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
        QVERIFY(QTest::qWaitForWindowExposed(overlay));

        QTRY_VERIFY2(near(cornerPixel(), dimmed(QColor(240, 200, 40), 1)),
                     qPrintable(cornerPixel().name()));
        ScreenCheck::saveScreen("overlay_" + kind);

        // Read-outs beneath keep changing while the overlay is open.
        setPageColor(QColor(40, 120, 240));
        QTRY_VERIFY2(near(cornerPixel(), dimmed(QColor(40, 120, 240), 1)),
                     qPrintable(cornerPixel().name()));
        setPageColor(QColor(240, 200, 40));
        overlay->close();
        QTRY_VERIFY(overlay.isNull());
        QTRY_VERIFY(near(cornerPixel(), QColor(240, 200, 40)));
    }

    void keyboardOverDialogShowsBothDimmings()
    {
        auto *question = new TwoButtonDialog("Wi-Fi", "Join the network?");
        question->show();
        auto *keyboard = new Keyboard(true, "password");
        keyboard->show();
        QVERIFY(QTest::qWaitForWindowExposed(keyboard));
        QTRY_VERIFY2(near(cornerPixel(), dimmed(QColor(240, 200, 40), 2)),
                     qPrintable(cornerPixel().name()));
        // The question's box shows through beside the keyboard's panel.
        const QImage screen = ScreenCheck::grabScreen();
        const QPoint boxCentre = question->findChild<QWidget *>("card")->geometry().center();
        QVERIFY(screen.pixelColor(boxCentre).lightness() > dimmed(QColor(240, 200, 40), 2).lightness());
        keyboard->close();
        question->close();
    }
};

int main(int argc, char *argv[])
{
    // Port 0: any free port, so that parallel runs do not collide.
    qputenv("QT_QPA_PLATFORM", "vnc:size=272x480:addr=127.0.0.1:port=0");
    QApplication app(argc, argv);
    TestOverlay test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_overlay.moc"
