#include "buildpreview.h"
#include "buildprint.h"
#include "config.h"
#include "headedfile.h"
#include "mainwindow.h"
#include "onebuttondialog.h"
#include "onetimesclicked.h"
#include "printericons.h"
#include "printertranslations.h"
#include "progressdialog.h"
#include "showdisk.h"
#include "showdiskitem.h"
#include "sysroot.h"
#include "thumbnail.h"
#include "timescale.h"
#include "twobuttondialog.h"
#include "udiskandlocalmemory.h"
#include "verifiedcopy.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QTranslator>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

extern std::atomic<bool> g_stubUsb;
extern QStringList g_printPaths;

namespace {

QByteArray pngOf(const QColor &colour)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray headedFile(const QByteArray &picture)
{
    HeaderFields fields;
    fields.imgStart0 = 60;
    fields.imgStart1 = 60 + picture.size();
    fields.gcodeStart = fields.imgStart1;
    fields.timeUsed = 3725;
    fields.materialUsed = 2500;
    return headerBytes(fields) + picture + "G28\nM104 S200\n";
}

QImage imageOf(const QLabel *label)
{
    return label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32);
}

void waitForClickGuard()
{
    QTRY_VERIFY_WITH_TIMEOUT(!OneTimesClicked()->isHasClicked(), 2000);
}

template <class Button>
void tap(Button *button)
{
    waitForClickGuard();
    QVERIFY(button && button->isEnabled());
    button->click();
}

QStringList shownNames(ShowDisk *page)
{
    QStringList names;
    for (ShowDiskItem *row : page->findChildren<ShowDiskItem *>())
        if (row->isVisible())
            names << row->itemText();
    return names;
}

ShowDiskItem *rowNamed(ShowDisk *page, const QString &name)
{
    for (ShowDiskItem *row : page->findChildren<ShowDiskItem *>())
        if (row->isVisible() && row->itemText() == name)
            return row;
    return nullptr;
}

void touch(ShowDiskItem *row, bool longTouch = false)
{
    QVERIFY(row);
    waitForClickGuard();
    QTest::mousePress(row, Qt::LeftButton);
    if (longTouch)
        QTRY_VERIFY(ShowDisk::instShowDisk->isSelectMode());
    QTest::mouseRelease(row, Qt::LeftButton);
}

// Acts once on the next modal question as soon as it shows.
void onNextQuestion(std::function<void(TwoButtonDialog *)> action)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        TwoButtonDialog *question = TwoButtonDialog::instTwoButtonDialog;
        if (!question || !question->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        action(question);
    });
    poll->start(5);
}

// Answers the next question with its first (true) or second button.
void answerQuestion(bool yes)
{
    onNextQuestion([yes](TwoButtonDialog *question) {
        question->findChild<QPushButton *>(yes ? "okBtn" : "backBtn")->click();
    });
}

QString messageShown()
{
    OneButtonDialog *dialog = OneButtonDialog::instOneButtonDialog;
    return dialog && dialog->isVisible() ? dialog->findChild<QLabel *>("textLabel")->text() : QString();
}

void closeMessage()
{
    if (OneButtonDialog::instOneButtonDialog)
        OneButtonDialog::instOneButtonDialog->close();
    QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog);
}

} // namespace

class TestFilePages : public QObject {
    Q_OBJECT

    QTemporaryDir m_root;
    MainWindow *m_main = nullptr;
    QString m_stick, m_local;

    void setStick(bool mounted)
    {
        g_stubUsb = mounted;
        if (mounted)
            emit m_main->sig_usbMount();
        else
            emit m_main->sig_usbUnmount();
    }

    QString make(const QString &path, const QByteArray &bytes = "G28\n")
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!writeTestFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    ShowDisk *openBrowser(ShowFilesFromWhere from)
    {
        auto *page = new ShowDisk(from);
        ShowDisk::instShowDisk = page;
        page->show();
        return page;
    }

    void closeAll()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != m_main)
                w->close();
        QTRY_VERIFY(!ShowDisk::instShowDisk && !BuildPreview::instBuildPreview);
        QTRY_VERIFY(!OneButtonDialog::instOneButtonDialog && !ProgressDialog::instProgressDialog);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        SysRoot::setRoot(m_root.path());
        Config::getInstance()->reload();
        TimeScale::setFactor(0.01);
        initPrinterIcons();
        initPrinterTranslations();
        m_main = new MainWindow;
        m_stick = m_root.filePath("media");
        m_local = m_root.filePath("data");
    }

    void init()
    {
        QDir(m_stick).removeRecursively();
        QDir(m_local).removeRecursively();
        QDir().mkpath(m_stick);
        QDir().mkpath(m_local);
        setStick(true);
        g_printPaths.clear();
    }

    void cleanup()
    {
        VerifiedCopy::setBlockFilterForTesting(nullptr);
        closeAll();
        delete BuildPrint::instBuildPrint;
    }

    void chooserFollowsTheStick()
    {
        setStick(false);
        auto *chooser = new UDiskAndLocalMemory;
        chooser->show();
        auto *usb = chooser->findChild<QToolButton *>("btn_UDisk");
        QVERIFY(!usb->isEnabled());
        setStick(true);
        QTRY_VERIFY(usb->isEnabled());

        tap(chooser->findChild<QToolButton *>("btn_localMemory"));
        QVERIFY(ShowDisk::instShowDisk);
        QCOMPARE(ShowDisk::instShowDisk->currentFolder(), m_local);
        ShowDisk *first = ShowDisk::instShowDisk;
        tap(usb); // a browser is open already
        QCOMPARE(ShowDisk::instShowDisk, first);

        tap(chooser->findChild<QToolButton *>("btn_back"));
        QTRY_VERIFY(!UDiskAndLocalMemory::instUDiskAndLocalMemory);
    }

    void listsFoldersThenFilesAndPages()
    {
        make(m_stick + "/d.txt");
        make(m_stick + "/Zeta/inner.gcode");
        make(m_stick + "/alpha/x.g");
        make(m_stick + "/c.gcode");
        make(m_stick + "/b.gx");
        make(m_stick + "/a.g");
        for (int i = 0; i < 10; ++i) {
            QFile file(make(m_stick + QString("/n%1.g").arg(i)));
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.setFileTime(QDateTime(QDate(2021, 1, 1), QTime(0, i)), QFileDevice::FileModificationTime);
        }
        ShowDisk *page = openBrowser(From_UDisk);
        auto *counter = page->findChild<QLabel *>("show");
        QCOMPARE(shownNames(page), (QStringList{"alpha", "Zeta", "a.g", "n9.g", "n8.g", "n7.g", "n6.g"}));
        QCOMPARE(counter->text(), QString("1/3"));
        QVERIFY(!page->findChild<QToolButton *>("up")->isEnabled());
        tap(page->findChild<QToolButton *>("down"));
        tap(page->findChild<QToolButton *>("down"));
        QCOMPARE(counter->text(), QString("3/3"));
        QCOMPARE(shownNames(page), QStringList{"c.gcode"});
        QVERIFY(!page->findChild<QToolButton *>("down")->isEnabled());


        tap(page->findChild<QToolButton *>("up"));
        tap(page->findChild<QToolButton *>("up"));
        touch(rowNamed(page, "alpha"));
        QCOMPARE(page->currentFolder(), m_stick + "/alpha");
        QCOMPARE(shownNames(page), (QStringList{"..", "x.g"}));
        QCOMPARE(counter->text(), QString("1/1"));
        touch(rowNamed(page, ".."));
        QCOMPARE(page->currentFolder(), m_stick);
        touch(rowNamed(page, "Zeta"));
        tap(page->findChild<QToolButton *>("back"));
        QCOMPARE(page->currentFolder(), m_stick);
        tap(page->findChild<QToolButton *>("back"));
        QTRY_VERIFY(!ShowDisk::instShowDisk);
    }

    void rowsShowThumbnailsOrTheGenericPicture()
    {
        const QByteArray red = pngOf(Qt::red);
        make(m_local + "/good.gx", headedFile(red));
        HeaderFields broken; // offsets all 0
        make(m_local + "/broken.gx", headerBytes(broken) + red);
        make(m_local + "/short.gx", QByteArray(59, 'x'));
        make(m_local + "/plain.gcode", headedFile(red)); // not headed by its name
        ShowDisk *page = openBrowser(From_LocalMemory);
        const QImage thumbnail = ShowDisk::getPixmap(m_local + "/good.gx", 28, 28).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage generic = defaultPrintFilePicture(28, 28).toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(!thumbnail.isNull() && thumbnail != generic);
        auto iconOf = [page](const QString &name) {
            return imageOf(rowNamed(page, name)->findChild<QLabel *>("label_icon"));
        };
        QTRY_COMPARE(iconOf("good.gx"), thumbnail);
        for (const char *name : {"broken.gx", "short.gx", "plain.gcode"})
            QCOMPARE(iconOf(name), generic);
    }

    void longTouchSelectsAndShortTouchPreviews()
    {
        for (const char *name : {"a.g", "b.g", "c.g"})
            make(m_local + '/' + name);
        ShowDisk *page = openBrowser(From_LocalMemory);
        auto *bar = page->findChild<QWidget *>("widget_select");
        auto *all = page->findChild<QPushButton *>("btn_selectAll");

        touch(rowNamed(page, "a.g"));
        QVERIFY(BuildPreview::instBuildPreview);
        QCOMPARE(BuildPreview::instBuildPreview->getFileName(), m_local + "/a.g");
        BuildPreview::instBuildPreview->close();
        QTRY_VERIFY(!BuildPreview::instBuildPreview);

        touch(rowNamed(page, "b.g"), true);
        QVERIFY(bar->isVisible());
        QVERIFY(!BuildPreview::instBuildPreview);
        for (const char *name : {"a.g", "b.g", "c.g"}) {
            QVERIFY(!all->isChecked());
            touch(rowNamed(page, name));
            QVERIFY(rowNamed(page, name)->isSelected());
        }
        QVERIFY(all->isChecked());
        touch(rowNamed(page, "b.g"));
        QVERIFY(!all->isChecked());

        tap(page->findChild<QToolButton *>("back")); // leaves select mode only
        QVERIFY(!page->isSelectMode() && !bar->isVisible());
        QVERIFY(ShowDisk::instShowDisk);
    }

    void browserCopiesBothWaysWithStampsAndVerification()
    {
        make(m_local + "/earlier.g");
        Config::getInstance()->updateFileModifyTime((m_local + "/earlier.g").toStdString());
        const QByteArray data = QByteArray(700000, 'p');
        const QStringList names = {"my part.g", "$(touch pwned).g", "it's;\"x\".g"};
        for (const QString &name : names)
            make(m_stick + '/' + name, data + name.toUtf8());
        make(m_local + "/$(touch pwned).g", "old local file");

        ShowDisk *page = openBrowser(From_UDisk);
        touch(rowNamed(page, names.first()), true);
        tap(page->findChild<QPushButton *>("btn_selectAll"));

        // A medium that stores something else: nothing replaced, code 2.
        VerifiedCopy::setBlockFilterForTesting([](char *d, qint64) { d[0] = '#'; });
        tap(page->findChild<QPushButton *>("btn_copy"));
        QTRY_COMPARE(messageShown(), QString("Copy Failed(2)"));
        QCOMPARE(QDir(m_local).entryList(QDir::Files | QDir::Hidden).size(), 2);
        QFile old(m_local + "/$(touch pwned).g");
        QVERIFY(old.open(QIODevice::ReadOnly) && old.readAll() == "old local file");
        closeMessage();

        VerifiedCopy::setBlockFilterForTesting(nullptr);
        tap(page->findChild<QPushButton *>("btn_copy"));
        QTRY_COMPARE(messageShown(), QString("Copy Completed"));
        closeMessage();
        const QDateTime earlier = QFileInfo(m_local + "/earlier.g").lastModified();
        for (const QString &name : names) {
            QFile copy(m_local + '/' + name);
            QVERIFY(copy.open(QIODevice::ReadOnly) && copy.readAll() == data + name.toUtf8());
            QVERIFY(QFileInfo(copy).lastModified() > earlier);
        }
        QVERIFY(!QFile::exists("pwned") && !QFile::exists(m_local + "/pwned"));
        page->close();
        QTRY_VERIFY(!ShowDisk::instShowDisk);

        // Back onto the stick from local storage: not stamped.
        page = openBrowser(From_LocalMemory);
        const QStringList firstRows = shownNames(page).mid(0, 3);
        QCOMPARE(QSet<QString>(firstRows.begin(), firstRows.end()), QSet<QString>(names.begin(), names.end()));
        QCOMPARE(shownNames(page).last(), QString("earlier.g"));
        const QDateTime before = QDateTime::currentDateTime().addSecs(-5);
        touch(rowNamed(page, "earlier.g"), true);
        touch(rowNamed(page, "earlier.g"));
        tap(page->findChild<QPushButton *>("btn_copy"));
        QTRY_COMPARE(messageShown(), QString("Copy Completed"));
        QVERIFY(QFileInfo(m_stick + "/earlier.g").lastModified() > before);
    }

    void cancelledCopyLeavesNothing()
    {
        make(m_stick + "/big.g", QByteArray(8 * 1024 * 1024, 'b'));
        ShowDisk *page = openBrowser(From_UDisk);
        touch(rowNamed(page, "big.g"), true);
        touch(rowNamed(page, "big.g"));
        // Cancel in the progress dialog as soon as data flows.
        VerifiedCopy::setBlockFilterForTesting([](char *, qint64) {
            QMetaObject::invokeMethod(qApp, [] {
                if (ProgressDialog::instProgressDialog)
                    ProgressDialog::instProgressDialog->findChild<QPushButton *>("cancelBtn")->click();
            });
        });
        tap(page->findChild<QPushButton *>("btn_copy"));
        QVERIFY(page->isCopying());
        tap(page->findChild<QToolButton *>("back")); // ignored while copying
        QVERIFY(page->isSelectMode());
        QTRY_VERIFY(!page->isCopying());
        QCOMPARE(messageShown(), QString());
        QVERIFY(QDir(m_local).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void stickRemovalClosesStickPages()
    {
        make(m_stick + "/a.gx", headedFile(pngOf(Qt::blue)));
        ShowDisk *page = openBrowser(From_UDisk);
        touch(rowNamed(page, "a.gx"));
        QVERIFY(BuildPreview::instBuildPreview);
        // A delete question open on the preview goes with the stick.
        onNextQuestion([this](TwoButtonDialog *) { setStick(false); });
        tap(BuildPreview::instBuildPreview->findChild<QToolButton *>("btn_delete"));
        QTRY_VERIFY(!TwoButtonDialog::instTwoButtonDialog);
        QTRY_VERIFY(!BuildPreview::instBuildPreview);
        QTRY_VERIFY(!ShowDisk::instShowDisk);
        QVERIFY(QFile::exists(m_stick + "/a.gx"));

        // The local browser stays, without its copy button.
        page = openBrowser(From_LocalMemory);
        setStick(false);
        QVERIFY(ShowDisk::instShowDisk);
        QVERIFY(page->findChild<QPushButton *>("btn_copy")->isHidden());
    }

    void previewShowsTheHeaderAndDeletes()
    {
        const QString path = make(m_local + "/part.gx", headedFile(pngOf(Qt::green)));
        ShowDisk *page = openBrowser(From_LocalMemory);
        touch(rowNamed(page, "part.gx"));
        BuildPreview *preview = BuildPreview::instBuildPreview;
        QCOMPARE(preview->findChild<QLabel *>("label_time")->text(), QString("1h 2min"));
        QCOMPARE(preview->findChild<QLabel *>("label_filament")->text(), QString("2.50m"));
        QCOMPARE(imageOf(preview->findChild<QLabel *>("label_filePixmap")),
                 ShowDisk::getPixmap(path, 124, 124).toImage().convertToFormat(QImage::Format_RGB32));

        answerQuestion(false);
        tap(preview->findChild<QToolButton *>("btn_delete"));
        QVERIFY(QFile::exists(path) && BuildPreview::instBuildPreview);
        answerQuestion(true);
        tap(preview->findChild<QToolButton *>("btn_delete"));
        QTRY_VERIFY(!BuildPreview::instBuildPreview);
        QVERIFY(!QFile::exists(path));
        QVERIFY(!rowNamed(page, "part.gx"));
    }

    void previewCopyRetriesAndKeepsTheOldFile()
    {
        const QString source = make(m_stick + "/p q.gcode", QByteArray(300000, 's'));
        make(m_local + "/p q.gcode", "old");
        auto *preview = new BuildPreview(source);
        BuildPreview::instBuildPreview = preview;
        preview->show();
        VerifiedCopy::setBlockFilterForTesting([](char *d, qint64) { d[0] = '#'; });
        tap(preview->findChild<QToolButton *>("btn_copy"));
        QTRY_COMPARE(messageShown(), QString("Please retry"));
        QFile old(m_local + "/p q.gcode");
        QVERIFY(old.open(QIODevice::ReadOnly) && old.readAll() == "old");
        QCOMPARE(QDir(m_local).entryList(QDir::Files | QDir::Hidden).size(), 1);
        closeMessage();

        VerifiedCopy::setBlockFilterForTesting(nullptr);
        tap(preview->findChild<QToolButton *>("btn_copy"));
        QTRY_COMPARE(messageShown(), QString("Copy completed"));
        QCOMPARE(QFileInfo(m_local + "/p q.gcode").size(), qint64(300000));
    }

    void buildPrintsAVerifiedLocalCopy()
    {
        const QString source = make(m_stick + "/sub/print me.gcode", QByteArray(500000, 'g'));
        auto *preview = new BuildPreview(source);
        BuildPreview::instBuildPreview = preview;
        preview->show();
        // Two bad copies, then a good one: the third try prints.
        std::atomic<int> tries{0};
        VerifiedCopy::setBlockFilterForTesting([&tries](char *d, qint64 n) {
            if (n && d[0] == 'g' && ++tries <= 2)
                d[0] = '#';
        });
        tap(preview->findChild<QToolButton *>("btn_build"));
        QTRY_VERIFY(BuildPrint::instBuildPrint);
        QCOMPARE(g_printPaths, QStringList{m_local + "/print me.gcode"});
        QFile copy(m_local + "/print me.gcode");
        QVERIFY(copy.open(QIODevice::ReadOnly) && copy.readAll() == QByteArray(500000, 'g'));
        delete BuildPrint::instBuildPrint;

        // A local file prints in place.
        const QString local = make(m_local + "/here.g");
        auto *localPreview = new BuildPreview(local);
        tap(localPreview->findChild<QToolButton *>("btn_build"));
        QVERIFY(BuildPrint::instBuildPrint);
        QCOMPARE(g_printPaths.last(), local);
        localPreview->close();
    }

    // With FILEPAGES_SCREENSHOT_DIR set, grabs each screen in English and
    // German for a visual check.
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("FILEPAGES_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("FILEPAGES_SCREENSHOT_DIR not set");
        const int font = QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/wqy/wqy-microhei.ttc");
        if (font >= 0)
            QApplication::setFont(QFont(QFontDatabase::applicationFontFamilies(font).first(), 14));
        for (int i = 0; i < 9; ++i)
            make(m_stick + QString("/benchy part %1.gx").arg(i), headedFile(pngOf(QColor::fromHsv(i * 40, 200, 220))));
        make(m_stick + "/models/a.g");
        for (const QString lang : {"english", "german"}) {
            QTranslator translator;
            QVERIFY(translator.load(":/Resource/translations/firmware_" + lang));
            QCoreApplication::installTranslator(&translator);
            auto save = [&](QWidget *w, const QString &name) {
                QCoreApplication::processEvents();
                w->grab().save(dir + "/" + lang + "_" + name + ".png");
            };
            auto *chooser = new UDiskAndLocalMemory;
            chooser->show();
            save(chooser, "chooser");
            ShowDisk *page = openBrowser(From_UDisk);
            const QString shown = shownNames(page).at(2);
            QTRY_VERIFY(imageOf(rowNamed(page, shown)->findChild<QLabel *>("label_icon"))
                        != defaultPrintFilePicture(28, 28).toImage().convertToFormat(QImage::Format_RGB32));
            save(page, "browser");
            touch(rowNamed(page, shown), true);
            touch(rowNamed(page, shown));
            save(page, "selectbar");
            auto *preview = new BuildPreview(m_stick + "/benchy part 3.gx");
            preview->show();
            save(preview, "preview");
            auto *progress = new ProgressDialog(QString(), QCoreApplication::translate("ShowDisk", "Copy File...") + "(1/3)");
            progress->setMax(100);
            progress->setValue(40);
            progress->show();
            save(progress, "copying");
            delete progress;
            delete preview;
            closeAll();
            QCoreApplication::removeTranslator(&translator);
        }
    }
};

QTEST_MAIN(TestFilePages)
#include "tst_filepages.moc"
