#include "buzzerplay.h"
#include "gpio.h"
#include "sysroot.h"
#include "timescale.h"

#include <QtTest>

#include <memory>

class TestDevices : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_root;

    QString sysPath(const QString &relative) const { return m_root->path() + "/sys/class/" + relative; }

    QByteArray contentOf(const QString &relative) const
    {
        QFile file(sysPath(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray("<missing>");
    }

    void setContent(const QString &relative, const QByteArray &text)
    {
        QDir().mkpath(QFileInfo(sysPath(relative)).absolutePath());
        QFile file(sysPath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly)); // keeps the inode, like sysfs
        file.write(text);
    }

private slots:
    void initTestCase()
    {
        // One root for the whole run: the buzzer is a process-wide player.
        m_root.reset(new QTemporaryDir);
        QVERIFY(m_root->isValid());
        SysRoot::setRoot(m_root->path());
        TimeScale::setFactor(0.01);
        QDir().mkpath(sysPath("pwm/pwmchip0"));
    }

    void playingWritesThePwmChannel()
    {
        buzzerPlay *buzzer = buzzerPlay::getInstance("pwm1");
        QCOMPARE(buzzerPlay::getInstance("pwm1"), buzzer);

        // Queued before the thread runs; the channel is not exported yet.
        buzzer->play(buzzerPlay::TUNE_STARTUP);
        buzzer->start();
        buzzer->start();
        QVERIFY(buzzer->waitIdle(5000));
        QCOMPARE(contentOf("pwm/pwmchip0/export"), QByteArray("1"));

        QDir().mkpath(sysPath("pwm/pwmchip0/pwm1"));
        buzzer->play(buzzerPlay::TUNE_PRINT_DONE);
        QVERIFY(buzzer->waitIdle(5000));
        const buzzerPlay::Note last = buzzerPlay::tune(buzzerPlay::TUNE_PRINT_DONE).back();
        const qint64 period = 1000000000LL / last.frequencyHz;
        QCOMPARE(contentOf("pwm/pwmchip0/pwm1/period").toLongLong(), period);
        QCOMPARE(contentOf("pwm/pwmchip0/pwm1/duty_cycle").toLongLong(), period / 2);
        QCOMPARE(contentOf("pwm/pwmchip0/pwm1/enable"), QByteArray("0")); // silent afterwards
    }

    void inputPinIsConfiguredAndRead()
    {
        setContent("gpio/gpio131/value", "1\n");
        Gpio pin(131);
        QVERIFY(pin.exportPin()); // exported before: nothing to write
        QCOMPARE(contentOf("gpio/export"), QByteArray("<missing>"));
        QVERIFY(pin.setDirection(Gpio::Direction::In));
        QVERIFY(pin.setEdge("falling"));
        QCOMPARE(contentOf("gpio/gpio131/direction"), QByteArray("in"));
        QCOMPARE(contentOf("gpio/gpio131/edge"), QByteArray("falling"));
        QCOMPARE(pin.value(), 1);

        QVERIFY(pin.openValueFd() >= 0);
        QCOMPARE(pin.readValue(), 1);
        setContent("gpio/gpio131/value", "0\n");
        QCOMPARE(pin.readValue(), 0); // re-read from offset 0 through the kept descriptor
        setContent("gpio/gpio131/value", "x\n");
        QCOMPARE(pin.readValue(), -1);
        QCOMPARE(pin.value(), -1);
    }

    void resetPinIsExportedAndPulsed()
    {
        Gpio reset(137);
        QVERIFY(!reset.pulse(50)); // the kernel did not create the pin's folder
        QCOMPARE(contentOf("gpio/export"), QByteArray("137"));

        QDir().mkpath(sysPath("gpio/gpio137"));
        QVERIFY(reset.pulse(50));
        QCOMPARE(contentOf("gpio/gpio137/direction"), QByteArray("out"));
        QCOMPARE(contentOf("gpio/gpio137/value"), QByteArray("0"));
    }
};

QTEST_GUILESS_MAIN(TestDevices)
#include "tst_devices.moc"
