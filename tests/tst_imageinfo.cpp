#include "support/files.h"
#include "tavlofile/imageinfo.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <initializer_list>

using namespace tavlo;
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

// A complete one-pixel picture on a logical screen of the given size.
QByteArray fullGif(quint16 width, quint16 height)
{
    return "GIF89a" + le(width) + le(height) + bytes({0x80, 0, 0, 0, 0, 0, 255, 255, 255, 0x2C}) +
           le<quint16>(0) + le<quint16>(0) + le<quint16>(1) + le<quint16>(1) +
           bytes({0, 2, 2, 0x44, 0x01, 0, 0x3B});
}

// A picture as Qt's own writers make it.
QByteArray qtWritten(const char* format, QSize size, bool progressive = false, int comment = 0)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (comment > 0)
        image.setText("Comment", QString(comment, u'x'));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image) || buffer.size() <= comment)
        qFatal("Qt cannot write %s", format);
    return buffer.data();
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

// Holds bytes at the very end of a readable page with an unreadable page after it, so that
// any read past the last byte crashes.
class PageEnd {
public:
    explicit PageEnd(const QByteArray& data)
    {
        const qsizetype page = sysconf(_SC_PAGESIZE);
        m_length = (data.size() / page + 2) * page;
        void* base =
            mmap(nullptr, m_length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED)
            return;
        m_base = static_cast<char*>(base);
        char* const guard = m_base + m_length - page;
        mprotect(guard, page, PROT_NONE);
        std::memcpy(guard - data.size(), data.constData(), data.size());
        m_view = QByteArrayView(guard - data.size(), data.size());
    }
    ~PageEnd()
    {
        if (m_base)
            munmap(m_base, m_length);
    }
    PageEnd(const PageEnd&) = delete;
    PageEnd& operator=(const PageEnd&) = delete;

    bool isValid() const { return m_base != nullptr; }
    QByteArrayView view() const { return m_view; }

private:
    char* m_base = nullptr;
    qsizetype m_length = 0;
    QByteArrayView m_view;
};

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
        // Whole pictures, as a browser reads them (Qt cannot write GIF) or as Qt writes them.
        row("gif, whole", fullGif(500, 300), Gif, 500, 300);
        row("png by Qt", qtWritten("png", {321, 123}), Png, 321, 123);
        row("bmp by Qt", qtWritten("bmp", {77, 33}), Bmp, 77, 33);
        row("jpeg by Qt", qtWritten("jpg", {640, 480}), Jpeg, 640, 480);
        row("progressive jpeg by Qt", qtWritten("jpg", {300, 200}, true), Jpeg, 300, 200);
        row("jpeg by Qt, 40000-byte comment", qtWritten("jpg", {120, 90}, false, 40000), Jpeg, 120,
            90);
        row("jpeg by Qt, 40000 wide", qtWritten("jpg", {40000, 2}), Jpeg, 40000, 2);
        row("gif 65535 x 40000", gif(65535, 40000), Gif, 65535, 40000);
        row("gif cut after 8 bytes", gif(500, 300).left(8), Gif, 500, 0);
        row("png 70000 wide", png(70000, 20, 6), Png, 70000, 20);
        row("png bad colour type", png(640, 480, 5));
        row("png width beyond 31 bits", png(0x80000000u, 20, 2));
        row("png bad colour type, jpeg inside", png(10, 10, 1) + jpeg(frame(0xC0, 30, 40)), Jpeg,
            30, 40);
        row("png cut after 20 bytes", png(640, 480, 2).left(20), Png, 640, 0);
        row("bmp", bmp(800, 600), Bmp, 800, 600);
        row("bmp top-down", bmp(77, -33), Bmp, 77, 33);
        row("bmp 70000 x 40000", bmp(70000, 40000), Bmp, 70000, 40000);
        row("bmp negative width", bmp(-77, 33));
        row("bmp OS/2 header", os2Bmp(300, 200), Bmp, 300, 200);
        row("bmp cut after 20 bytes", bmp(800, 600).left(20), Bmp, 800, 0);
        row("jpeg progressive", jpeg(frame(0xC2, 1024, 768)), Jpeg, 1024, 768);
        row("jpeg arithmetic coded", jpeg(frame(0xC9, 640, 480)));
        row("jpeg 40000-byte exif", jpeg(segment(0xE1, 40000) + frame(0xC0, 4000, 3000)), Jpeg,
            4000, 3000);
        row("jpeg 65535 x 40000", jpeg(frame(0xC0, 65535, 40000)), Jpeg, 65535, 40000);
        row("jpeg fill bytes", jpeg(bytes({0xFF, 0xFF}) + frame(0xC1, 7, 9)), Jpeg, 7, 9);
        row("jpeg start not at 0",
            "text" + bytes({0xFF, 0xD8, 0, 0xFF, 0xFF}) + jpeg(frame(0xC0, 50, 60)), Jpeg, 50, 60);
        // Read leniently, both lengths would lead on to the frame.
        row("jpeg segment length 0", soi + bytes({0xFF, 0xE0, 0, 0, 2}) + frame(0xC0, 640, 480));
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
        row("text", "<html>BM GIF</html>");
    }

    void readsHeader()
    {
        QFETCH(QByteArray, data);
        QFETCH(QList<int>, expected);

        QTemporaryDir dir;
        writeAll(dir.filePath("picture"), data);
        QCOMPARE(fields(readImageInfo(dir.filePath("picture"))), expected);

        const PageEnd memory(data);
        QVERIFY(memory.isValid());
        QCOMPARE(fields(readImageInfo(memory.view())), expected);
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
