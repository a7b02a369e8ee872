#include "keyboard.h"
#include "menutable.h"
#include "nobuttondialog.h"
#include "onebuttondialog.h"
#include "onelabledialog.h"
#include "pageframe.h"
#include "printericons.h"
#include "printertranslations.h"
#include "progressdialog.h"
#include "twobuttondialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QTranslator>

#include "screencheck.h"
#include <QtTest>

namespace {

struct Sample {
    QString title, question, longText;
};

// Texts of the length the pages will show, per interface language (English
// texts in the other languages, around their translated buttons).
Sample sampleFor(const QString &lang)
{
    if (lang == "german")
        return {QString::fromUtf8("Datei löschen"),
                QString::fromUtf8("Möchten Sie die Datei wirklich löschen?"),
                QString::fromUtf8("Beim Aktualisieren der Firmware ist ein Problem aufgetreten. "
                                  "Bitte überprüfen Sie den USB-Datenträger und versuchen Sie es erneut.")};
    if (lang == "chinese-cn")
        return {QString::fromUtf8("删除文件"), QString::fromUtf8("确定要删除该文件吗？"),
                QString::fromUtf8("固件更新出现问题。请检查U盘后重试。")};
    return {"Are you sure to delete", "Are you sure\n to delete the file?",
            "There was a problem\nwith the firmware update.\nPlease try again."};
}


// A settings-like menu page put together from the page kit.
QWidget *samplePage(const Sample &s)
{
    auto *page = new QWidget;
    auto *table = new QTableWidget(page);
    table->setGeometry(0, 0, 272, 330);
    auto *bar = new QWidget(page);
    bar->setObjectName("bottomBar");
    bar->setGeometry(0, 330, 272, 55);
    auto *up = new QToolButton(bar);
    up->setGeometry(0, 6, 42, 42);
    auto *down = new QToolButton(bar);
    down->setGeometry(88, 6, 42, 42);
    auto *label = new QLabel(bar);
    label->setGeometry(42, 0, 46, 55);
    label->setAlignment(Qt::AlignCenter);
    auto *back = new QToolButton(bar);
    back->setGeometry(180, 0, 91, 55);
    PageFrame::install(page, bar, back);
    auto *menu = new MenuTable(table, page);
    menu->setPaging(up, down, label);
    QList<MenuRow> rows;
    for (int i = 0; i < 11; ++i)
        rows << MenuRow{i == 0 ? s.title : QString("Row %1").arg(i),
                        QIcon(i % 2 ? ":/Resource/icon/open.png" : ":/Resource/icon/Next.png")};
    menu->setRows(rows);
    return page;
}

} // namespace

class TestScreens : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initPrinterTranslations();
        initPrinterIcons();
        ScreenCheck::useDeviceFont();
    }

    void textsAreNeverCut_data()
    {
        ScreenCheck::addLanguageRows();
    }

    void textsAreNeverCut()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        const Sample s = sampleFor(language);

        // The dialogs open over a page, as in the program.
        QScopedPointer<QWidget> page(samplePage(s));
        page->move(0, 95);
        page->show();
        QCoreApplication::processEvents();
        QVERIFY2(ScreenCheck::clippedTexts(page.data()).isEmpty(), qPrintable(language + " menu page"));
        ScreenCheck::save(page.data(), language + "_menu_page");

        QList<QPair<QString, QWidget *>> screens;
        screens << qMakePair(QString("one_button"),
                             static_cast<QWidget *>(new OneButtonDialog(s.title, s.longText)));
        screens << qMakePair(QString("two_button"),
                             static_cast<QWidget *>(new TwoButtonDialog(s.title, s.question)));
        screens << qMakePair(QString("no_button"),
                             static_cast<QWidget *>(new NoButtonDialog(s.title, s.longText)));
        screens << qMakePair(QString("one_label"),
                             static_cast<QWidget *>(new OneLableDialog(s.question)));
        auto *progress = new ProgressDialog(s.title, s.question);
        progress->setMax(1000);
        progress->setValue(420);
        screens << qMakePair(QString("progress"), static_cast<QWidget *>(progress));
        screens << qMakePair(QString("keyboard"), static_cast<QWidget *>(new Keyboard(true, "password")));
        auto *symbols = new Keyboard(false, "");
        screens << qMakePair(QString("keyboard_symbols"), static_cast<QWidget *>(symbols));

        for (const auto &screen : screens) {
            screen.second->show();
            if (screen.second == symbols)
                QTest::mouseClick(symbols->findChild<QPushButton *>("modeKey"), Qt::LeftButton);
            QCoreApplication::processEvents();
            const QStringList clipped = ScreenCheck::clippedTexts(screen.second);
            QVERIFY2(clipped.isEmpty(),
                     qPrintable(language + " " + screen.first + " cuts: " + clipped.join(" | ")));
            ScreenCheck::save(screen.second, language + "_" + screen.first);
            delete screen.second;
        }
        QCoreApplication::removeTranslator(&translator);
    }
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
