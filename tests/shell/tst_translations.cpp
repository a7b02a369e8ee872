#include "printertranslations.h"
#include "twobuttondialog.h"

#include <QFile>
#include <QPushButton>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

const QStringList AllLanguages = {"arabic", "chinese-cn", "english", "french", "german",
                                  "hungary", "japanese", "korean", "spanish", "thai"};
// The languages the language page offers must be complete.
const QStringList OfferedLanguages = {"chinese-cn", "english", "german",
                                      "japanese", "french", "spanish"};

// "context: source" of every message in `tsFile` without a finished,
// non-empty translation.
QStringList untranslated(const QString &tsFile)
{
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly))
        return {"cannot read " + tsFile};
    QStringList missing;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value("type").toString();
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                continue;
            // Plural forms hold their texts in <numerusform> children.
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (type == QLatin1String("unfinished") || text.trimmed().isEmpty())
                missing << context + ": " + source;
        }
    }
    if (xml.hasError())
        missing << tsFile + ": " + xml.errorString();
    return missing;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initPrinterTranslations(); }

    void offeredLanguagesAreFullyTranslated()
    {
        QStringList report;
        for (const QString &lang : OfferedLanguages) {
            for (const QString &entry :
                 untranslated(QString(PRINTER_TS_DIR) + "/firmware_" + lang + ".ts"))
                report << lang + " - " + entry;
        }
        QVERIFY2(report.isEmpty(), qPrintable("untranslated texts:\n" + report.join('\n')));
    }

    void everyCatalogueLoads()
    {
        for (const QString &lang : AllLanguages) {
            QTranslator translator;
            QVERIFY2(translator.load(":/Resource/translations/firmware_" + lang), qPrintable(lang));
        }
    }

    void catalogueReachesTheDialogs()
    {
        QTranslator german;
        QVERIFY(german.load(":/Resource/translations/firmware_german"));
        QCoreApplication::installTranslator(&german);
        TwoButtonDialog ask("", "");
        QCOMPARE(ask.findChild<QPushButton *>("backBtn")->text(), QString::fromUtf8("Zurück"));
        QCoreApplication::removeTranslator(&german);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
