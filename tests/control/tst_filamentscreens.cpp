// The filament load and unload pages, as they look while heating, in every
// offered language: no text cut off, and a screenshot for a look.
#include "filamenttestkit.h"
#include "pageopener.h"
#include "loadfilament.h"
#include "printertranslations.h"
#include "screencheck.h"
#include "unloadfilament.h"

#include <QTranslator>
#include <QtTest>

class TestFilamentScreens : public QObject {
    Q_OBJECT
    FilamentBench bench;

    // The texts cut off on the page, looked at while it heats.
    template <class Page>
    QStringList clippedOn(Page *&instance, const QString &name)
    {
        // Held below the load window, so the page stays on its first step.
        bench.fx->board().setForcedNozzleTemp(150.0);
        Page *page = openPage(instance, false);
        (void)QTest::qWaitFor([&] { return labelText(page, "extruderTemp") == QLatin1String("150"); });
        ScreenCheck::save(page, name);
        const QStringList clipped = ScreenCheck::clippedTexts(page);
        page->close();
        (void)QTest::qWaitFor([&] { return !instance; });
        return clipped;
    }

private slots:
    void initTestCase()
    {
        initPrinterTranslations();
        ScreenCheck::useDeviceFont();
        QVERIFY(bench.setUp());
    }
    void cleanupTestCase() { bench.tearDown(); }
    void init() { bench.reset(); }

    void pagesFitTheirTexts_data()
    {
        ScreenCheck::addLanguageRows();
    }

    void pagesFitTheirTexts()
    {
        QFETCH(QString, language);
        QTranslator translator;
        QVERIFY(ScreenCheck::installCatalogue(translator, language));
        const QStringList load = clippedOn(LoadFilament::instLoadFilament, "load_" + language);
        const QStringList unload = clippedOn(UnloadFilament::instUnloadFilament, "unload_" + language);
        QVERIFY(!LoadFilament::instLoadFilament && !UnloadFilament::instUnloadFilament);
        QVERIFY2(load.isEmpty(), qPrintable(load.join(" | ")));
        QVERIFY2(unload.isEmpty(), qPrintable(unload.join(" | ")));
    }
};

QTEST_MAIN(TestFilamentScreens)
#include "tst_filamentscreens.moc"
