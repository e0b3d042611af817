#include "support/files.h"
#include "tavlofile/imageinfo.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

#include <initializer_list>

using namespace tavlo;
using tavlo::test::pictureBytes;
using tavlo::test::writeAll;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (const int v : values)
        out.append(static_cast<char>(v));
    return out;
}

template <typename T> QByteArray be(T value)
{
    QByteArray out(sizeof value, 0);
    qToBigEndian(value, out.data());
    return out;
}

template <typename T> QByteArray le(T value)
{
    QByteArray out(sizeof value, 0);
    qToLittleEndian(value, out.data());
    return out;
}

QByteArray png(quint32 width, quint32 height, int colourType)
{
    return "\x89PNG\r\n\x1a\n" + be<quint32>(13) + "IHDR" + be(width) + be(height) +
           bytes({8, colourType, 0, 0, 0}) + QByteArray(4, 0);
}

QByteArray gif(quint16 width, quint16 height)
{
    return "GIF89a" + le(width) + le(height) + bytes({0, 0, 0});
}

QByteArray bmp(qint32 width, qint32 height)
{
    return "BM" + le<quint32>(54) + le<quint32>(0) + le<quint32>(54) + le<quint32>(40) + le(width) +
           le(height) + le<quint16>(1) + le<quint16>(24) + QByteArray(24, 0);
}

// The 12-byte header of OS/2 bitmaps, with 16-bit sizes.
QByteArray os2Bmp(quint16 width, quint16 height)
{
    return "BM" + le<quint32>(26) + le<quint32>(0) + le<quint32>(26) + le<quint32>(12) + le(width) +
           le(height) + le<quint16>(1) + le<quint16>(24);
}

QByteArray segment(int marker, quint16 length)
{
    return bytes({0xFF, marker}) + be(length) + QByteArray(qMax(length - 2, 0), 0);
}

QByteArray frame(int marker, quint16 width, quint16 height)
{
    return bytes({0xFF, marker}) + be<quint16>(11) + bytes({8}) + be(height) + be(width) +
           bytes({1, 1, 0x11, 0});
}

const QByteArray soi = bytes({0xFF, 0xD8});
const QByteArray eoi = bytes({0xFF, 0xD9});

QByteArray jpeg(const QByteArray& body)
{
    return soi + segment(0xE0, 16) + body + eoi;
}

QList<int> fields(const ImageInfo& info)
{
    return {info.kind, info.width, info.height};
}

} // namespace

class TestImageInfo : public QObject {
    Q_OBJECT

private slots:
    void readsHeader_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QList<int>>("expected"); // kind, width, height
        const auto row = [](const char* name, const QByteArray& data, int kind = UnknownKind,
                            int width = 0, int height = 0) {
            QTest::newRow(name) << data << QList<int>{kind, width, height};
        };
        // Whole pictures as Qt writes them; the rest built byte by byte.
        row("png by Qt", pictureBytes({321, 123}, "png"), Png, 321, 123);
        row("bmp by Qt", pictureBytes({77, 33}, "bmp"), Bmp, 77, 33);
        row("jpeg by Qt", pictureBytes({640, 480}, "jpg"), Jpeg, 640, 480);
        row("gif 65535 x 40000", gif(65535, 40000), Gif, 65535, 40000);
        row("gif cut after 8 bytes", gif(500, 300).left(8), Gif, 500, 0);
        row("png 70000 wide", png(70000, 20, 6), Png, 70000, 20);
        row("png width beyond 31 bits", png(0x80000000u, 20, 2));
        // A PNG refused for its colour type is searched for a JPEG like any other file.
        row("png bad colour type, jpeg inside", png(10, 10, 1) + jpeg(frame(0xC0, 30, 40)), Jpeg,
            30, 40);
        row("bmp top-down", bmp(77, -33), Bmp, 77, 33);
        row("bmp 70000 x 40000", bmp(70000, 40000), Bmp, 70000, 40000);
        row("bmp negative width", bmp(-77, 33));
        row("bmp OS/2 header", os2Bmp(300, 200), Bmp, 300, 200);
        row("jpeg progressive", jpeg(frame(0xC2, 1024, 768)), Jpeg, 1024, 768);
        row("jpeg arithmetic coded", jpeg(frame(0xC9, 640, 480)));
        row("jpeg 65535 x 40000", jpeg(frame(0xC0, 65535, 40000)), Jpeg, 65535, 40000);
        row("jpeg fill bytes", jpeg(bytes({0xFF, 0xFF}) + frame(0xC1, 7, 9)), Jpeg, 7, 9);
        row("jpeg start not at 0",
            "text" + bytes({0xFF, 0xD8, 0, 0xFF, 0xFF}) + jpeg(frame(0xC0, 50, 60)), Jpeg, 50, 60);
        // Read leniently, a length below its own two bytes would lead on to the frame.
        row("jpeg segment length 1", soi + bytes({0xFF, 0xE0, 0, 1, 0, 2}) + frame(0xC0, 640, 480));
        row("jpeg cut in frame", (soi + frame(0xC0, 640, 480)).chopped(6), Jpeg, 0, 480);
        row("jpeg cut in segment", (soi + segment(0xE1, 40000)).left(100));
        // Only the head of a file is searched; segments beyond it are stepped over.
        row("jpeg start after 64 KiB", QByteArray(65536, 'x') + jpeg(frame(0xC0, 50, 60)));
        row("jpeg start just inside 64 KiB", QByteArray(65533, 'x') + jpeg(frame(0xC0, 50, 60)),
            Jpeg, 50, 60);
        row("jpeg frame after 120 KB of segments",
            jpeg(segment(0xE1, 40000) + segment(0xE2, 40000) + segment(0xE3, 40000) +
                 frame(0xC0, 4000, 3000)),
            Jpeg, 4000, 3000);
        row("empty", {});
    }

    void readsHeader()
    {
        QFETCH(QByteArray, data);
        QFETCH(QList<int>, expected);

        QTemporaryDir dir;
        writeAll(dir.filePath("picture"), data);
        QCOMPARE(fields(readImageInfo(dir.filePath("picture"))), expected);

        QCOMPARE(fields(readImageInfo(QByteArrayView(data))), expected);
    }

    void missingFileIsNotCreated()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("missing.gif");
        QCOMPARE(fields(readImageInfo(path)), (QList<int>{UnknownKind, 0, 0}));
        QVERIFY(!QFile::exists(path));
        QCOMPARE(fields(readImageInfo(dir.path())), (QList<int>{UnknownKind, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(TestImageInfo)
#include "tst_imageinfo.moc"
