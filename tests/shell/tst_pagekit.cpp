#include "clickguard.h"
#include "menutable.h"
#include "onetimesclicked.h"
#include "pageframe.h"
#include "pageopener.h"
#include "timescale.h"

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

namespace {

// A page built the way the page forms are: a bottom bar with the back button.
class SamplePage : public QDialog {
public:
    explicit SamplePage(int tag = 0, QWidget *parent = nullptr)
        : QDialog(parent)
        , tag(tag)
    {
        bottomBar = new QWidget(this);
        bottomBar->setObjectName("bottomBar");
        bottomBar->setGeometry(0, 330, 272, 55);
        backBtn = new QToolButton(bottomBar);
        backBtn->setGeometry(90, 0, 91, 55);
        PageFrame::install(this, bottomBar, backBtn);
    }
    ~SamplePage() override { instSamplePage = nullptr; }

    static SamplePage *instSamplePage;
    int tag;
    QWidget *bottomBar;
    QToolButton *backBtn;
};
SamplePage *SamplePage::instSamplePage = nullptr;

QList<MenuRow> rows(int count)
{
    QList<MenuRow> list;
    for (int i = 0; i < count; ++i)
        list << MenuRow{QString("Row %1").arg(i), i % 2 ? QIcon() : QIcon(":/Resource/icon/Next.png")};
    return list;
}

} // namespace

class TestPageKit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TimeScale::setFactor(0.05); }

    void pageOpensOnceAndBackClosesIt()
    {
        SamplePage *page = openPage(SamplePage::instSamplePage, 1);
        QVERIFY(page->isVisible());
        QCOMPARE(page->pos(), QPoint(0, 95));
        QCOMPARE(page->size(), QSize(272, 385));
        QVERIFY(page->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(openPage(SamplePage::instSamplePage, 2), page); // no second page
        QCOMPARE(page->tag, 1);

        QCOMPARE(page->backBtn->text(), QString("Back"));
        // Another handler holds the click guard: the tap shows the pressed
        // look and back again but does not close the page.
        OneTimesClicked()->setOneTimesClicked(nullptr, "TOOLBUTTON_R25_STYLE");
        QTest::mousePress(page->backBtn, Qt::LeftButton);
        QVERIFY(page->backBtn->styleSheet().contains("#C2172D"));
        QTest::mouseRelease(page->backBtn, Qt::LeftButton);
        QVERIFY(page->backBtn->styleSheet().contains("#222222"));
        QVERIFY(page->isVisible());

        QPointer<SamplePage> guard(page);
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QTest::mouseClick(page->backBtn, Qt::LeftButton);
        QTRY_VERIFY(!guard); // closed and deleted
        QVERIFY(!SamplePage::instSamplePage);
    }

    void clickGuardLetsOneTapThrough()
    {
        // (QTRY_* evaluate their expression more than once: no side effects.)
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked());
        QVERIFY(clickGuardPass());
        QVERIFY(!clickGuardPass());
        QTRY_VERIFY(!OneTimesClicked()->isHasClicked()); // released after its delay
        QVERIFY(clickGuardPass());
    }

    void menuPagesSevenRows()
    {
        QWidget page;
        auto *table = new QTableWidget(&page);
        table->setGeometry(0, 0, 272, 330);
        auto *up = new QToolButton(&page);
        auto *down = new QToolButton(&page);
        auto *label = new QLabel(&page);
        MenuTable menu(table, nullptr);
        menu.setPaging(up, down, label);
        page.show();
        QSignalSpy pressed(&menu, &MenuTable::rowPressed);

        int widths = 0;
        for (int c = 0; c < 4; ++c)
            widths += table->columnWidth(c);
        QCOMPARE(widths, 272);
        QCOMPARE(table->columnWidth(2), 42);

        menu.setRows(rows(11));
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(table->rowHeight(0), 47);
        QCOMPARE(label->text(), QString("1/2"));
        QVERIFY(up->isVisible() && !up->isEnabled() && down->isEnabled());
        QCOMPARE(table->item(1, 2)->text(), QString(" ")); // no icon: blank cell
        QVERIFY(!table->item(0, 2)->icon().isNull() || QIcon(":/Resource/icon/Next.png").isNull());

        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(label->text(), QString("2/2"));
        QVERIFY(up->isEnabled() && !down->isEnabled());
        QCOMPARE(table->item(0, 1)->text(), QString("Row 7"));

        emit table->itemPressed(table->item(1, 1));
        QCOMPARE(pressed.takeFirst().at(0).toInt(), 8);

        // Replacing the rows (a toggle changed its icon) keeps the page.
        menu.setRows(rows(11));
        QCOMPARE(menu.page(), 1);
        // Fewer rows: back on the last page that exists, paging hidden.
        menu.setRows(rows(6));
        QCOMPARE(menu.page(), 0);
        QCOMPARE(table->rowCount(), 6);
        QVERIFY(!up->isVisible() && !down->isVisible() && !label->isVisible());
        QCOMPARE(label->text(), QString("1/1"));

        menu.setRows({});
        QCOMPARE(table->rowCount(), 0);
        QCOMPARE(menu.pageCount(), 1);
    }
};

QTEST_MAIN(TestPageKit)
#include "tst_pagekit.moc"
