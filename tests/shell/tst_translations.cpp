#include "onebuttondialog.h"
#include "printertranslations.h"
#include "screencheck.h"
#include "twobuttondialog.h"

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
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

struct Message {
    QString context, source, translation;
};

// The finished messages of `tsFile`.
QList<Message> messages(const QString &tsFile)
{
    QFile file(tsFile);
    QList<Message> out;
    if (!file.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&file);
    Message m;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            m.context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            m.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation") && xml.attributes().value("type").isEmpty()) {
            m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            out << m;
        }
    }
    return out;
}

// "context: source" of every message in `tsFile` with a finished translation.
QSet<QString> translated(const QString &tsFile)
{
    QSet<QString> done;
    for (const Message &m : messages(tsFile))
        if (!m.translation.trimmed().isEmpty())
            done << m.context + ": " + m.source;
    return done;
}

// Every "context: source" that lupdate finds in the page folders' code and
// forms, written to a catalogue in `dir`; empty when lupdate cannot run.
QStringList pageTexts(const QString &dir)
{
    const QString scanned = dir + "/pages.ts";
    QStringList folders;
    for (const char *folder : {"print", "control", "system"})
        folders << QString(PRINTER_SOURCE_DIR) + "/src/" + folder;
    QProcess lupdate;
    lupdate.start("lupdate", QStringList{"-silent", "-locations", "none"} + folders + QStringList{"-ts", scanned});
    if (!lupdate.waitForFinished(60000) || lupdate.exitCode() != 0)
        return {};
    // Freshly scanned messages are all unfinished: exactly the list wanted.
    return untranslated(scanned);
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

    // A text added to a page without its translations fails here, whatever
    // the catalogues themselves hold.
    void everyPageTextIsTranslated()
    {
        QTemporaryDir dir;
        const QStringList texts = pageTexts(dir.path());
        QVERIFY2(texts.size() > 100, "lupdate found no page texts");
        QStringList report;
        for (const QString &lang : OfferedLanguages) {
            const QSet<QString> done = translated(QString(PRINTER_TS_DIR) + "/firmware_" + lang + ".ts");
            for (const QString &text : texts)
                if (!done.contains(text))
                    report << lang + " - " + text;
        }
        QVERIFY2(report.isEmpty(), qPrintable("untranslated page texts:\n" + report.join('\n')));
    }

    // A dialog answers alike however the source spells its button: "YES"
    // and "Yes", "OK" and "Ok" read the same in each language.
    void dialogAnswersReadAlike()
    {
        for (const QString &language : OfferedLanguages) {
            QHash<QString, QSet<QString>> answers;
            for (const Message &m : messages(QStringLiteral(PRINTER_TS_DIR "/firmware_%1.ts").arg(language))) {
                const QString answer = m.source.toLower();
                if (answer == "yes" || answer == "no" || answer == "ok")
                    answers[answer] << m.translation;
            }
            for (auto it = answers.cbegin(); it != answers.cend(); ++it)
                QVERIFY2(it.value().size() == 1,
                         qPrintable(language + " " + it.key() + ": " + QStringList(it.value().values()).join(" | ")));
        }
    }

    // Chinese and Japanese wrap between any two characters, which leaves
    // a lone "す。" or splits a word: their messages break where the
    // translator broke them, every line fitting a dialog's message.
    void cjkMessagesBreakWhereWritten()
    {
        ScreenCheck::useDeviceFont();
        QScopedPointer<OneButtonDialog> dialog(new OneButtonDialog(QString(), QString()));
        dialog->show();
        QCoreApplication::processEvents();
        auto *label = dialog->findChild<QLabel *>("textLabel");
        const QFontMetrics metrics(label->font());
        const int width = label->contentsRect().width();
        QStringList wrapped;
        for (const QString &language : {QStringLiteral("japanese"), QStringLiteral("chinese-cn")})
            for (const Message &m : messages(QStringLiteral(PRINTER_TS_DIR "/firmware_%1.ts").arg(language)))
                for (const QString &line : m.translation.split('\n'))
                    if (metrics.horizontalAdvance(line) > width)
                        wrapped << language + " " + m.context + ": " + line;
        for (const QString &line : wrapped)
            qWarning().noquote() << "wraps:" << line;
        QCOMPARE(wrapped.size(), 0);
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
