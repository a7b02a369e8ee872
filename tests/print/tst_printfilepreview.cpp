#include "headedfile.h"
#include "printericons.h"
#include "printfileformat.h"
#include "thumbnail.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <zlib.h>

namespace {

// A headed file whose two slots hold a red and a blue picture.
QByteArray twoPictureFile(const QSize &size, bool secondSlotEmpty)
{
    const QByteArray red = pngOf(size, Qt::red);
    const QByteArray blue = secondSlotEmpty ? QByteArray() : pngOf(size, Qt::blue);
    HeaderFields fields;
    fields.imgStart0 = 60;
    fields.imgStart1 = 60 + red.size();
    fields.gcodeStart = fields.imgStart1 + blue.size();
    return headerBytes(fields) + red + blue + "G28\nM104 S200\n";
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    const auto bigEndian = [&png](quint32 value) {
        for (int shift = 24; shift >= 0; shift -= 8)
            png.append(char(value >> shift));
    };
    bigEndian(quint32(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    png.append(typed);
    bigEndian(quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size()))));
}

// A PNG of side x side pixels of 16-bit RGBA, all zero: a few hundred
// kilobytes on disk, 8 bytes a pixel once decoded. Compressed row by row so
// that the test itself never holds the picture.
QByteArray sixteenBitPng(int side)
{
    QByteArray header(13, '\0');
    for (int i = 0; i < 4; ++i)
        header[i] = header[4 + i] = char(quint32(side) >> (24 - 8 * i));
    header[8] = 16; // bits per channel
    header[9] = 6;  // RGBA
    z_stream zs{};
    deflateInit(&zs, Z_BEST_SPEED);
    const QByteArray row(1 + side * 8, '\0'); // filter byte, then the pixels
    QByteArray compressed;
    char out[1 << 16];
    for (int y = 0; y < side; ++y) {
        zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(row.constData()));
        zs.avail_in = uInt(row.size());
        const int flush = y + 1 == side ? Z_FINISH : Z_NO_FLUSH;
        do {
            zs.next_out = reinterpret_cast<Bytef *>(out);
            zs.avail_out = sizeof(out);
            deflate(&zs, flush);
            compressed.append(out, int(sizeof(out) - zs.avail_out));
        } while (zs.avail_out == 0);
    }
    deflateEnd(&zs);
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    appendChunk(png, "IDAT", compressed);
    appendChunk(png, "IEND", QByteArray());
    return png;
}

// The process's peak resident memory in kB since the last reset.
qint64 peakResidentKb()
{
    QFile status("/proc/self/status");
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

bool resetPeakResident()
{
    QFile clearRefs("/proc/self/clear_refs");
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

} // namespace

class TestPrintFilePreview : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString fileWith(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        if (!writeTestFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void initTestCase()
    {
        initPrinterIcons();
        QVERIFY(m_dir.isValid());
        QVERIFY(!defaultPrintFilePicture(124, 124).isNull());
    }

    void slotRules_data()
    {
        QTest::addColumn<quint32>("img0");
        QTest::addColumn<quint32>("img1");
        QTest::addColumn<quint32>("gcode");
        QTest::addColumn<qint64>("fileSize");
        QTest::addColumn<qint64>("start");
        QTest::addColumn<qint64>("length");

        QTest::newRow("second slot empty: first slot") << 60u << 1060u << 1060u << qint64(5000) << qint64(60) << qint64(1000);
        QTest::newRow("second slot wins") << 60u << 1060u << 3060u << qint64(5000) << qint64(1060) << qint64(2000);
        QTest::newRow("slot ends at end of file") << 60u << 1060u << 5000u << qint64(5000) << qint64(1060) << qint64(3940);
        QTest::newRow("reversed second slot, no fall-back") << 60u << 1060u << 500u << qint64(5000) << qint64(0) << qint64(0);
        QTest::newRow("equal offsets") << 60u << 60u << 60u << qint64(5000) << qint64(0) << qint64(0);
        QTest::newRow("all offsets zero") << 0u << 0u << 0u << qint64(5000) << qint64(0) << qint64(0);
        QTest::newRow("slot beyond end of file") << 60u << 1060u << 5001u << qint64(5000) << qint64(0) << qint64(0);
        QTest::newRow("slot as long as the file") << 0u << 5000u << 5000u << qint64(5000) << qint64(0) << qint64(0);
        QTest::newRow("slot inside the header") << 10u << 50u << 50u << qint64(5000) << qint64(0) << qint64(0);
        QTest::newRow("gcodeStart 0xFFFFFFFF") << 60u << 1060u << 0xFFFFFFFFu << qint64(5000) << qint64(0) << qint64(0);
        // A 32-bit difference would call this a 272-byte slot at 4 GiB.
        QTest::newRow("wrapping offsets") << 60u << 0xFFFFFF00u << 0x10u << qint64(5000) << qint64(0) << qint64(0);
    }

    void slotRules()
    {
        QFETCH(quint32, img0);
        QFETCH(quint32, img1);
        QFETCH(quint32, gcode);
        QFETCH(qint64, fileSize);
        GXFileHeader header {};
        header.imgStart0 = img0;
        header.imgStart1 = img1;
        header.gcodeStart = gcode;
        const ThumbnailSlot slot = thumbnailSlot(header, fileSize);
        QTEST(slot.start, "start");
        QTEST(slot.length, "length");
    }

    void thumbnailComesFromTheChosenSlotScaledKeepingAspect()
    {
        const QString both = fileWith("both.gx", twoPictureFile(QSize(100, 50), false));
        const QImage small = printFileThumbnail(both, 28, 28).toImage();
        QCOMPARE(small.size(), QSize(28, 14));
        QCOMPARE(small.pixelColor(5, 5), QColor(Qt::blue));

        const QString first = fileWith("first.gx", twoPictureFile(QSize(64, 64), true));
        const QImage large = printFileThumbnail(first, 124, 124).toImage();
        QCOMPARE(large.size(), QSize(124, 124));
        QCOMPARE(large.pixelColor(100, 100), QColor(Qt::red));
    }

    void pagesFallBackToTheGenericPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");

        const QByteArray good = twoPictureFile(QSize(40, 40), false);
        HeaderFields hostile;
        hostile.imgStart0 = 60;
        hostile.imgStart1 = 100;
        hostile.gcodeStart = 0xFFFFFFFF;
        HeaderFields pastEnd;
        pastEnd.imgStart0 = 60;
        pastEnd.imgStart1 = 100000;
        pastEnd.gcodeStart = 100000;
        HeaderFields textSlot;
        textSlot.imgStart0 = 60;
        textSlot.imgStart1 = 80;
        textSlot.gcodeStart = 80;

        QTest::newRow("59-byte file") << "short.gx" << good.left(59);
        QTest::newRow("upper-case suffix") << "part.GX" << good;
        QTest::newRow("gcode suffix with a header") << "part.gcode" << good;
        QTest::newRow("gcodeStart 0xFFFFFFFF") << "hostile.gx" << headerBytes(hostile) + good.mid(60);
        QTest::newRow("image start past end") << "past.gx" << headerBytes(pastEnd) + good.mid(60);
        QTest::newRow("slot holds no image") << "text.gx" << headerBytes(textSlot) + "G28 ; not a picture.\n";
        QTest::newRow("missing file") << "missing.gx" << QByteArray();
    }

    void pagesFallBackToTheGenericPicture()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        const QString path = content.isEmpty() ? m_dir.filePath(name) : fileWith(name, content);
        QCOMPARE(printFileThumbnailOrDefault(path, 124, 124).toImage(), defaultPrintFilePicture(124, 124).toImage());
    }

    void nameWithSeveralDotsIsHeaded()
    {
        const QString path = fileWith("a.b.gx", twoPictureFile(QSize(40, 40), false));
        QCOMPARE(printFileThumbnailOrDefault(path, 28, 28).toImage().pixelColor(3, 3), QColor(Qt::blue));
    }

    // Pictures that a broken or hostile header could point at: only PNG of
    // at most 4096 pixels a side is decoded. The small GIF, ICO and SVG are
    // real pictures that Qt would decode; those formats may declare a small
    // size and then decode a huge one, or render other files.
    void onlyBoundedPngThumbnailsAreDecoded_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<bool>("shown");
        QByteArray padded = pngOf(QSize(8, 8), Qt::green);
        padded.append(QByteArray(1024 * 1024, '\0')); // beyond the 1 MB limit
        QByteArray ppm = "P6 8 8 255\n";
        ppm.append(QByteArray(8 * 8 * 3, '\x7f'));
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::green);
        QByteArray ico;
        QBuffer buffer(&ico);
        buffer.open(QIODevice::WriteOnly);
        icon.save(&buffer, "ICO");
        const QByteArray gif("GIF89a\x01\0\x01\0\x80\0\0\0\0\0\xff\xff\xff,\0\0\0\0\x01\0\x01\0\0\x02\x02D\x01\0;", 35);
        QTest::newRow("png at the limit") << pngOf(QSize(4096, 1), Qt::green) << true;
        QTest::newRow("png decoding into 4 MB") << pngOf(QSize(1024, 1024), Qt::green) << true;
        QTest::newRow("png decoding into 16 MB") << pngOf(QSize(2048, 2048), Qt::green) << false;
        QTest::newRow("png too wide") << pngOf(QSize(4097, 1), Qt::green) << false;
        QTest::newRow("png too high") << pngOf(QSize(1, 4097), Qt::green) << false;
        QTest::newRow("beyond 1 MB") << padded << false;
        QTest::newRow("ppm") << ppm << false;
        QTest::newRow("gif") << gif << false;
        QTest::newRow("ico") << ico << false;
        QTest::newRow("svg") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='8' height='8'>"
                                           "<rect width='8' height='8' fill='red'/></svg>")
                             << false;
    }

    void onlyBoundedPngThumbnailsAreDecoded()
    {
        QFETCH(QByteArray, picture);
        QFETCH(bool, shown);
        if (picture.size() < 1024 * 1024)
            QVERIFY(!QImage::fromData(picture).isNull()); // refused by format, not as broken data
        HeaderFields fields;
        fields.imgStart0 = 60;
        fields.imgStart1 = 60 + picture.size();
        fields.gcodeStart = fields.imgStart1;
        const QString path = fileWith("picture.gx", headerBytes(fields) + picture + "G28\n");
        QCOMPARE(!printFileThumbnail(path, 28, 28).isNull(), shown);
    }

    // A small file declaring a picture that decodes into 128 MB is refused
    // from its header, before any of it is decoded.
    void hugeDecodingThumbnailIsRefusedCheaply()
    {
        const QByteArray picture = sixteenBitPng(4096);
        QVERIFY(picture.size() < 1024 * 1024);
        HeaderFields fields;
        fields.imgStart0 = 60;
        fields.imgStart1 = 60 + picture.size();
        fields.gcodeStart = fields.imgStart1;
        const QString path = fileWith("huge.gx", headerBytes(fields) + picture + "G28\n");
        QVERIFY(resetPeakResident());
        const qint64 before = peakResidentKb();
        QVERIFY(printFileThumbnailImage(path, 124, 124).isNull());
        QVERIFY2(peakResidentKb() - before < 16 * 1024, qPrintable(QString::number(peakResidentKb() - before)));
    }

    void headerValuesAsShown_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1h 2min") << PrintFileFormat::printTime(3725) << "1h 2min";
        QTest::newRow("under a minute") << PrintFileFormat::printTime(59) << "0h 0min";
        QTest::newRow("more than a day") << PrintFileFormat::printTime(90000) << "25h 0min";
        QTest::newRow("filament") << PrintFileFormat::filamentLength(2500) << "2.50m";
        QTest::newRow("layer height") << PrintFileFormat::layerHeight(200) << "0.20mm";
        QTest::newRow("speed") << PrintFileFormat::speed(60) << "60.00mm/s";
    }

    void headerValuesAsShown()
    {
        QFETCH(QString, shown);
        QTEST(shown, "expected");
    }
};

QTEST_MAIN(TestPrintFilePreview)
#include "tst_printfilepreview.moc"
