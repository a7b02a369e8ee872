#include "onetimesclicked.h"

#include <QToolButton>
#include <QtTest>

namespace {
QIcon solidIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(8, 8);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QRgb iconColour(const QToolButton &button)
{
    return button.icon().pixmap(8, 8).toImage().pixel(0, 0);
}
} // namespace

class TestClickGuard : public QObject {
    Q_OBJECT
private slots:
    void guardArmsAndFreesItself()
    {
        COneTimesClicked *guard = OneTimesClicked();
        QCOMPARE(OneTimesClicked(), guard);
        QVERIFY(!guard->isHasClicked());
        guard->setOneTimesClicked(nullptr, "TOOLBUTTON_R25_STYLE");
        QVERIFY(guard->isHasClicked());
        QTRY_VERIFY_WITH_TIMEOUT(!guard->isHasClicked(), 2000);
    }

    void registeredStyleShowsPressedIconWhileArmed()
    {
        COneTimesClicked *guard = OneTimesClicked();
        guard->registerStyle("TEST_STYLE", solidIcon(Qt::white), solidIcon(Qt::red));
        QToolButton button;
        button.setIcon(solidIcon(Qt::white));

        guard->setOneTimesClicked(&button, "UNKNOWN_STYLE");
        QCOMPARE(iconColour(button), QColor(Qt::white).rgb());
        QTRY_VERIFY_WITH_TIMEOUT(!guard->isHasClicked(), 2000);

        guard->setOneTimesClicked(&button, "TEST_STYLE");
        QCOMPARE(iconColour(button), QColor(Qt::red).rgb());
        QTRY_VERIFY_WITH_TIMEOUT(!guard->isHasClicked(), 2000);
        QCOMPARE(iconColour(button), QColor(Qt::white).rgb());
    }

    void buttonDeletedWhileArmedIsNotTouched()
    {
        COneTimesClicked *guard = OneTimesClicked();
        guard->registerStyle("TEST_STYLE", solidIcon(Qt::white), solidIcon(Qt::red));
        auto *button = new QToolButton;
        guard->setOneTimesClicked(button, "TEST_STYLE");
        delete button;
        QTRY_VERIFY_WITH_TIMEOUT(!guard->isHasClicked(), 2000);
    }
};

QTEST_MAIN(TestClickGuard)
#include "tst_clickguard.moc"
