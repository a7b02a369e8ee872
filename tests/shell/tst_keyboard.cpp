#include "keyboard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString keyLabel(const QPushButton *key)
{
    QString text = key->text();
    return text.replace(QLatin1String("&&"), QLatin1String("&"));
}

QList<QPushButton *> visibleKeys(Keyboard &keyboard)
{
    QList<QPushButton *> keys;
    for (QPushButton *key : keyboard.findChildren<QPushButton *>())
        if (key->isVisible())
            keys << key;
    return keys;
}

// Presses the visible key with `label`, or the one named `label`.
void press(Keyboard &keyboard, const QString &label)
{
    for (QPushButton *key : visibleKeys(keyboard)) {
        if (keyLabel(key) == label || key->objectName() == label) {
            QTest::mouseClick(key, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no key " + label));
}

void type(Keyboard &keyboard, const QString &text)
{
    for (const QChar c : text)
        press(keyboard, QString(c));
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void typedTextIsSentWithTheKindNamedByTheContent_data()
    {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("sent");
        QTest::newRow("empty content: bare") << "" << "aB1 ;";
        QTest::newRow("name") << "name" << "name:aB1 ;";
        QTest::newRow("password") << "password" << "password:aB1 ;";
        QTest::newRow("account") << "account" << "account:aB1 ;";
        QTest::newRow("PIN in any case") << "pin" << "PIN:aB1 ;";
        QTest::newRow("other content: bare") << "ssid" << "aB1 ;";
    }

    void typedTextIsSentWithTheKindNamedByTheContent()
    {
        QFETCH(QString, content);
        QFETCH(QString, sent);

        Keyboard keyboard(false, content);
        keyboard.show();
        QCOMPARE(Keyboard::instKeyboard, &keyboard);
        QSignalSpy spy(&keyboard, &Keyboard::sendData);

        type(keyboard, "ax");
        press(keyboard, "deleteKey");
        press(keyboard, "shiftKey");
        type(keyboard, "B");
        press(keyboard, "shiftKey");
        press(keyboard, "modeKey");
        type(keyboard, "1");
        press(keyboard, "spaceKey");
        type(keyboard, ";");
        press(keyboard, "enterKey");

        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), sent);
        QVERIFY(!keyboard.isVisible());
        QVERIFY(!Keyboard::instKeyboard);
    }

    void cancelSendsNothing()
    {
        auto *keyboard = new Keyboard(true, "");
        keyboard->show();
        QSignalSpy spy(keyboard, &Keyboard::sendData);
        type(*keyboard, "secret");
        QTest::mouseClick(keyboard->findChild<QPushButton *>("cancelBtn"), Qt::LeftButton);
        QVERIFY(!Keyboard::instKeyboard);
        QCOMPARE(spy.count(), 0);
    }

    void passwordEntryIsMasked()
    {
        Keyboard masked(true, "");
        QCOMPARE(masked.findChild<QLineEdit *>()->echoMode(), QLineEdit::Password);
        Keyboard plain(false, "");
        QCOMPARE(plain.findChild<QLineEdit *>()->echoMode(), QLineEdit::Normal);
    }

    void everyPrintableCharacterCanBeTyped()
    {
        Keyboard keyboard(true, "");
        keyboard.show();
        QSet<QChar> reachable;
        auto collect = [&] {
            for (QPushButton *key : visibleKeys(keyboard))
                if (keyLabel(key).size() == 1)
                    reachable << keyLabel(key).at(0);
        };
        collect();
        press(keyboard, "shiftKey");
        collect();
        press(keyboard, "modeKey");
        collect();
        press(keyboard, "otherSymbolsKey");
        collect();
        reachable << ' '; // the space key

        QString missing;
        for (char c = 32; c < 127; ++c)
            if (!reachable.contains(QChar(c)))
                missing += c;
        QVERIFY2(missing.isEmpty(), qPrintable("not on the keyboard: " + missing));

        // "&" must reach the entry as itself, not as a mnemonic marker.
        QSignalSpy spy(&keyboard, &Keyboard::sendData);
        press(keyboard, "otherSymbolsKey");
        type(keyboard, "&\"");
        press(keyboard, "enterKey");
        QCOMPARE(spy.at(0).at(0).toString(), QString("&\""));
    }

    void keysFitTheNarrowScreen()
    {
        Keyboard keyboard(false, "password");
        keyboard.show();
        for (QPushButton *key : visibleKeys(keyboard)) {
            const QRect onScreen(key->mapTo(&keyboard, QPoint(0, 0)), key->size());
            QVERIFY2(QRect(0, 0, 272, 480).contains(onScreen), qPrintable(key->text()));
            QVERIFY2(key->width() >= 20, qPrintable(key->text()));
        }
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
