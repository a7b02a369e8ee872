#include "config.h"
#include "getconfigfile.h"
#include "pageopener.h"
#include "pagetouches.h"
#include "preheat.h"
#include "preheatlist.h"
#include "preheatpreset.h"
#include "printericons.h"
#include "showtempsetting.h"
#include "simfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

Config *config()
{
    return getConfigFile()->configFile();
}

QToolButton *key(QWidget *page, const QString &name)
{
    return page->findChild<QToolButton *>(name);
}

// Types on the page's keypad: digits, and '<' for the delete key.
void type(QWidget *page, const QString &keys)
{
    for (const QChar c : keys)
        QTest::mouseClick(key(page, c == '<' ? QStringLiteral("btn_delete") : "dig_" + QString(c)), Qt::LeftButton);
}

QString shown(QWidget *page, const char *row)
{
    return page->findChild<QLabel *>(QString("show_%1_temp_lable").arg(row))->text();
}

} // namespace

class TestPresetEditors : public QObject {
    Q_OBJECT
    std::unique_ptr<SimFixture> fx; // the settings live in its root

private slots:
    void initTestCase()
    {
        fx = std::make_unique<SimFixture>();
        QVERIFY(fx->ok());
        config()->reload();
        initPrinterIcons();
    }

    void init()
    {
        config()->setPLANozzleTemperature(200);
        config()->setPLAPlatformTemperature(60);
        config()->setABSNozzleTemperature(230);
        config()->setABSPlatformTemperature(100);
    }

    void cleanup()
    {
        for (QWidget *page : QApplication::topLevelWidgets())
            page->close();
        QTRY_VERIFY(!PLAPreHeat::instPLAPreHeat && !ABSPreHeat::instABSPreHeat
                    && !ShowTempSetting::instShowTempSetting && !PreheatList::instPreheatList);
    }

    void keypadEntryIsBroughtIntoRange_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("nozzle");
        QTest::addColumn<int>("platform");
        QTest::newRow("nozzle above range") << "Nozzle" << "300" << 250 << 60;
        QTest::newRow("nozzle zero") << "Nozzle" << "0" << 20 << 60;
        QTest::newRow("nozzle at the minimum") << "Nozzle" << "20" << 20 << 60;
        QTest::newRow("nozzle above the minimum") << "Nozzle" << "21" << 21 << 60;
        QTest::newRow("leading zero") << "Nozzle" << "060" << 60 << 60;
        QTest::newRow("fourth digit ignored") << "Nozzle" << "2155" << 215 << 60;
        QTest::newRow("delete key") << "Nozzle" << "24<1" << 21 << 60;
        QTest::newRow("empty entry keeps the value") << "Nozzle" << "" << 200 << 60;
        QTest::newRow("bed above range") << "Platform" << "111" << 200 << 110;
        QTest::newRow("bed in range") << "Platform" << "75" << 200 << 75;
    }

    // Save stores both values of the material, edited or not.
    void keypadEntryIsBroughtIntoRange()
    {
        QFETCH(QString, row);
        QFETCH(QString, keys);
        QFETCH(int, nozzle);
        QFETCH(int, platform);
        PLAPreHeat *page = openPage(PLAPreHeat::instPLAPreHeat);
        QTest::mouseClick(key(page, "show_" + row + "_temp"), Qt::LeftButton);
        QVERIFY(page->findChild<QWidget *>("digital_widget")->isVisible());
        type(page, keys);
        QTest::mouseClick(key(page, "btn_ok"), Qt::LeftButton);
        QCOMPARE(shown(page, "Nozzle"), QString::number(nozzle));
        QCOMPARE(shown(page, "Platform"), QString::number(platform));
        QVERIFY(page->findChild<QLineEdit *>("input")->text().isEmpty());
        QTest::mouseClick(key(page, "save"), Qt::LeftButton);
        QTRY_VERIFY(!PLAPreHeat::instPLAPreHeat);
        QCOMPARE(config()->getPLANozzleTemperature(), nozzle);
        QCOMPARE(config()->getPLAPlatformTemperature(), platform);
        QCOMPARE(config()->getABSNozzleTemperature(), 230);
    }

    void typedDigitsGoToTheRowChosenLast()
    {
        PLAPreHeat *page = openPage(PLAPreHeat::instPLAPreHeat);
        QTest::mouseClick(key(page, "show_Nozzle_temp"), Qt::LeftButton);
        type(page, "95");
        QTest::mouseClick(key(page, "show_Platform_temp"), Qt::LeftButton);
        QTest::mouseClick(key(page, "btn_ok"), Qt::LeftButton);
        QCOMPARE(shown(page, "Nozzle"), QStringLiteral("200"));
        QCOMPARE(shown(page, "Platform"), QStringLiteral("95"));
    }

    void escAndBackLeaveTheStoredPreset()
    {
        PLAPreHeat *page = openPage(PLAPreHeat::instPLAPreHeat);
        QTest::mouseClick(key(page, "show_Nozzle_temp"), Qt::LeftButton);
        type(page, "99");
        QTest::mouseClick(key(page, "btn_esc"), Qt::LeftButton);
        QCOMPARE(shown(page, "Nozzle"), QStringLiteral("200"));
        QVERIFY(key(page, "save")->isVisible());
        QTest::mouseClick(key(page, "show_Nozzle_temp"), Qt::LeftButton);
        type(page, "99");
        QTest::mouseClick(key(page, "btn_ok"), Qt::LeftButton);
        clickPastGuard(key(page, "back"));
        QTRY_VERIFY(!PLAPreHeat::instPLAPreHeat);
        QCOMPARE(config()->getPLANozzleTemperature(), 200);
        QCOMPARE(shown(openPage(PLAPreHeat::instPLAPreHeat), "Nozzle"), QStringLiteral("200"));
    }

    // From the list, ABS edits its own keys; the list stays beneath and a
    // fresh editor shows the saved value.
    void absPresetFromTheList()
    {
        ShowTempSetting *list = openPage(ShowTempSetting::instShowTempSetting);
        auto *rows = list->findChild<QTableWidget *>("tableWidget");
        QCOMPARE(rowTexts(rows), (QStringList{"PLA Preheat Setting", "ABS Preheat Setting"}));
        pressRow(list, 1);
        QVERIFY(ABSPreHeat::instABSPreHeat && !PLAPreHeat::instPLAPreHeat);
        ABSPreHeat *editor = ABSPreHeat::instABSPreHeat;
        QCOMPARE(shown(editor, "Nozzle"), QStringLiteral("230"));
        QTest::mouseClick(key(editor, "show_Nozzle_temp"), Qt::LeftButton);
        type(editor, "245");
        QTest::mouseClick(key(editor, "btn_ok"), Qt::LeftButton);
        QTest::mouseClick(key(editor, "save"), Qt::LeftButton);
        QTRY_VERIFY(!ABSPreHeat::instABSPreHeat);
        QCOMPARE(config()->getABSNozzleTemperature(), 245);
        QCOMPARE(config()->getABSPlatformTemperature(), 100);
        QCOMPARE(config()->getPLANozzleTemperature(), 200);
        QVERIFY(list->isVisible());
        pressRow(list, 1);
        QCOMPARE(shown(ABSPreHeat::instABSPreHeat, "Nozzle"), QStringLiteral("245"));
    }

    // The preheat menu takes a saved preset without a restart.
    void thePreheatMenuUsesTheSavedPreset()
    {
        PLAPreHeat *editor = openPage(PLAPreHeat::instPLAPreHeat);
        QTest::mouseClick(key(editor, "show_Platform_temp"), Qt::LeftButton);
        type(editor, "75");
        QTest::mouseClick(key(editor, "btn_ok"), Qt::LeftButton);
        QTest::mouseClick(key(editor, "save"), Qt::LeftButton);
        QTRY_VERIFY(!PLAPreHeat::instPLAPreHeat);
        pressRow(openPage(PreheatList::instPreheatList), 0);
        QVERIFY(Preheat::instPreheat);
        QCOMPARE(Preheat::instPreheat->findChild<QLabel *>("extruderTemperature")->text(), QStringLiteral("200\u2103"));
        QCOMPARE(Preheat::instPreheat->findChild<QLabel *>("platformTemperature")->text(), QStringLiteral("75\u2103"));
    }
};

QTEST_MAIN(TestPresetEditors)
#include "tst_presets.moc"
