#include "printericons.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QtTest>

namespace {

const QString kIconDir = QStringLiteral(":/Resource/icon/");

struct IconSpec {
    const char *name;
    int width;
    int height;
};

// The size each page lays the picture out at (icon size, button or label).
const IconSpec kIcons[] = {
    {"Back.png", 24, 48}, {"Back_c.png", 24, 48},
    {"Next.png", 42, 42}, {"Next_c.png", 42, 42}, {"Next_d.png", 42, 42},
    {"Previous.png", 42, 42}, {"Previous_c.png", 42, 42}, {"Previous_d.png", 42, 42},
    {"add.png", 42, 42}, {"add_c.png", 42, 42}, {"add_d.png", 42, 42},
    {"reduce.png", 42, 42}, {"reduce_c.png", 42, 42}, {"reduce_d.png", 42, 42},
    {"Nozzle_temperature.png", 30, 30}, {"Platform_temperature.png", 30, 30},
    {"ON.png", 45, 45}, {"OFF.png", 45, 45}, {"open.png", 42, 42}, {"close.png", 42, 42},
    {"OK.png", 42, 42}, {"ok.png", 42, 42}, {"select.png", 42, 42},
    {"Pause.png", 26, 26}, {"Resume.png", 26, 26}, {"stop.png", 26, 26}, {"More.png", 26, 26},
    {"speed.png", 30, 30}, {"z-move.png", 30, 30},
    {"pre_speed.png", 26, 26}, {"pre_time.png", 26, 26}, {"filament.png", 26, 26}, {"layer.png", 26, 26},
    {"print_copy.png", 32, 34}, {"print_print.png", 32, 34}, {"print_delete.png", 32, 34},
    {"copy.png", 42, 56}, {"copy_c.png", 42, 56}, {"delete.png", 42, 56}, {"delete_c.png", 42, 56},
    {"Select all.png", 56, 56}, {"Select all_c.png", 56, 56},
    {"Select.png", 20, 20}, {"Select_c.png", 20, 20},
    {"Folder.png", 28, 28}, {"G_File.png", 124, 124},
    {"WiFi_01.png", 42, 42}, {"WiFi_01_lock.png", 42, 42}, {"WiFi_02.png", 42, 42}, {"WiFi_02_lock.png", 42, 42},
    {"WiFi_03.png", 42, 42}, {"WiFi_03_lock.png", 42, 42}, {"WiFi_04.png", 42, 42}, {"WiFi_04_lock.png", 42, 42},
    {"b.png", 48, 48}, {"b_h.png", 48, 48}, {"f.png", 48, 48}, {"f_h.png", 48, 48},
    {"l.png", 48, 48}, {"l_h.png", 48, 48}, {"r.png", 48, 48}, {"r_h.png", 48, 48},
    {"u.png", 48, 48}, {"u_h.png", 48, 48}, {"d.png", 48, 48}, {"d_h.png", 48, 48},
    {"k_delete3.png", 58, 44}, {"k_delete3_c.png", 58, 44},
    {"settings_bg.png", 90, 188},
    {"change.png", 90, 60}, {"change_c.png", 90, 60}, {"lamp.png", 90, 60}, {"lamp_n.png", 90, 60},
    {"more.png", 90, 60}, {"more_c.png", 90, 60},
    {"Update_bg.png", 34, 34}, {"top_Dasmere.png", 272, 60}, {"bg.png", 272, 385}, {"null.png", 1, 1},
    {"disk.png", 56, 70}, {"USB Device.png", 56, 74}, {"USB Device_d.png", 56, 74},
    {"usb.png", 24, 24}, {"usb_none.png", 24, 24}, {"wifi_off.png", 24, 24},
    {"build.png", 64, 64}, {"tool.png", 64, 64}, {"control.png", 64, 64}, {"level.png", 64, 64},
};

// Pairs the user must be able to tell apart at a glance: the normal look
// against its pressed, disabled, held or checked look, and opposite states.
const char *const kDistinctPairs[][2] = {
    {"Back", "Back_c"}, {"USB Device", "USB Device_d"},
    {"Next", "Next_c"}, {"Next", "Next_d"}, {"Previous", "Previous_c"}, {"Previous", "Previous_d"},
    {"Next", "Previous"},
    {"add", "add_c"}, {"add", "add_d"}, {"reduce", "reduce_c"}, {"reduce", "reduce_d"},
    {"ON", "OFF"}, {"open", "close"}, {"Pause", "Resume"},
    {"copy", "copy_c"}, {"delete", "delete_c"}, {"Select all", "Select all_c"}, {"Select", "Select_c"},
    {"WiFi_01", "WiFi_02"}, {"WiFi_02", "WiFi_03"}, {"WiFi_03", "WiFi_04"},
    {"WiFi_01", "WiFi_01_lock"}, {"WiFi_04", "WiFi_04_lock"},
    {"b", "b_h"}, {"f", "f_h"}, {"l", "l_h"}, {"r", "r_h"}, {"u", "u_h"}, {"d", "d_h"},
    {"b", "f"}, {"l", "r"}, {"u", "d"}, {"b", "u"},
    {"k_delete3", "k_delete3_c"}, {"change", "change_c"}, {"lamp_n", "lamp"}, {"more", "more_c"},
    {"usb", "usb_none"},
};

QImage loadIcon(const QString &baseName)
{
    return QImage(kIconDir + baseName + QStringLiteral(".png")).convertToFormat(QImage::Format_ARGB32);
}

// Share of pixels whose colour differs noticeably, so that anti-aliasing
// noise alone does not count as a visible difference.
double changedPixelShare(const QImage &a, const QImage &b)
{
    int changed = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int delta = qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q))
                + qAbs(qBlue(p) - qBlue(q)) + qAbs(qAlpha(p) - qAlpha(q));
            if (delta > 60)
                ++changed;
        }
    }
    return double(changed) / (a.width() * a.height());
}

} // namespace

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initPrinterIcons(); }

    void loadsAtItsSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        for (const IconSpec &icon : kIcons)
            QTest::newRow(icon.name) << QString::fromUtf8(icon.name) << QSize(icon.width, icon.height);
    }

    void loadsAtItsSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QPixmap pixmap(kIconDir + name);
        QVERIFY2(!pixmap.isNull(), qPrintable(kIconDir + name));
        QCOMPARE(pixmap.size(), size);
    }

    void everyCompiledIconIsKnown()
    {
        QSet<QString> expected;
        for (const IconSpec &icon : kIcons)
            expected.insert(QString::fromUtf8(icon.name));
        const QStringList present = QDir(kIconDir).entryList(QDir::Files);
        QCOMPARE(QSet<QString>(present.begin(), present.end()), expected);
    }

    void iconsAreNotBlank_data()
    {
        QTest::addColumn<QString>("name");
        for (const IconSpec &icon : kIcons) {
            if (qstrcmp(icon.name, "null.png") != 0)
                QTest::newRow(icon.name) << QString::fromUtf8(icon.name);
        }
    }

    // A typo in an SVG makes the renderer produce an empty canvas silently.
    void iconsAreNotBlank()
    {
        QFETCH(QString, name);
        const QImage image = QImage(kIconDir + name).convertToFormat(QImage::Format_ARGB32);
        bool painted = false;
        for (int y = 0; y < image.height() && !painted; ++y) {
            for (int x = 0; x < image.width() && !painted; ++x)
                painted = qAlpha(image.pixel(x, y)) > 0;
        }
        QVERIFY(painted);
    }

    void nullIsTransparent()
    {
        const QImage image = loadIcon(QStringLiteral("null"));
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    }

    void statesLookDifferent_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        for (const auto &pair : kDistinctPairs) {
            const QByteArray tag = QByteArray(pair[0]) + " vs " + pair[1];
            QTest::newRow(tag.constData()) << QString::fromUtf8(pair[0]) << QString::fromUtf8(pair[1]);
        }
    }

    void statesLookDifferent()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QImage a = loadIcon(first);
        const QImage b = loadIcon(second);
        QCOMPARE(a.size(), b.size());
        QVERIFY2(changedPixelShare(a, b) > 0.02, qPrintable(first + " and " + second + " look alike"));
    }
};

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
