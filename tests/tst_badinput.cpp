// Bad input of every kind: each gets a clear message or a sound result, and nothing
// the user had is lost.
#include "app/modbase.h"
#include "editor/areadialog.h"
#include "editor/frmmap.h"
#include "editor/mapee.h"
#include "markup/markupwriter.h"
#include "markup/modopendlg.h"
#include "platform/screeninfo.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"
#include "support/scriptedendwindow.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace tavlo;

namespace {

class Files final : public FileDialogs {
public:
    QString showFileDialog(bool, int, const QString&) override { return path; }
    QString path;
};

class NoDialog final : public AreaDialog {
public:
    QByteArray run(QByteArray&, QByteArray&, QByteArray&) override { return {}; }
};

void write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray encoded(QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

const QByteArray gif1x1("GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00!\xf9\x04\x01"
                        "\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;",
                        43);

// The main window with every question answered at once.
struct Editor {
    test::RecordingPrompts prompts;
    test::RecordingPause pause;
    test::ScriptedEndWindow end;
    FixedScreen screen{QSize(1280, 1024)};
    Files files;
    NoDialog dialog;
    frmMap w{MapEnvironment{&prompts, &dialog, &pause, &screen, &files, &end}};
};

} // namespace

class tst_BadInput : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opening_data();
    void opening();
    void awkwardFileNamesRoundTrip();

private:
    QByteArray mapWith(const QByteArray& coords, const QByteArray& shape = "rect") const;
    QTemporaryDir m_dir;
    QString m_picture;
};

void tst_BadInput::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir(m_dir.path()).mkdir("images");
    m_picture = m_dir.filePath("images/base.jpg");
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(m_picture, "JPG"));
}

QByteArray tst_BadInput::mapWith(const QByteArray& coords, const QByteArray& shape) const
{
    const QByteArray area = "<AREA SHAPE=\"" + shape + "\" COORDS=\"" + coords + "\" HREF=\"x.htm";
    return mapBlock(savedImageFolder, imageMarkup("base.jpg", 200, 150), {area});
}

void tst_BadInput::opening_data()
{
    QTest::addColumn<QString>("name"); // "-name": no such file
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message"); // first words of the first prompt, "" for none
    QTest::addColumn<int>("areas");       // areas afterwards; -1: the old one kept
    QTest::addColumn<bool>("asDropped");  // the message a drop of the file gets

    const QByteArray big(50 * 1024 * 1024, 'x');
    QByteArray cut = QByteArray::fromHex("ffd8ffe000104a464946");
    QByteArray claims40000 = QByteArray("GIF89a") + QByteArray::fromHex("409c0a00") + "garbage";
    QTest::newRow("empty map file")
        << "empty.tavl" << QByteArray() << "We have a problem" << -1 << false;
    QTest::newRow("0-byte GIF") << "empty.gif" << QByteArray() << "We have a problem" << -1
                                << false;
    QTest::newRow("GIF of 1 x 1") << "one.gif" << gif1x1 << "" << 0 << false;
    QTest::newRow("JPEG cut in its header")
        << "cut.jpg" << cut << "We have a problem" << -1 << false;
    QTest::newRow("40000 x 10 that cannot be decoded")
        << "wide.gif" << claims40000 << "We have a problem" << -1 << false;
    QTest::newRow("50 MB page, the map at its end")
        << "big.htm" << big + mapWith("1, 2, 30, 40") << "" << 1 << false;
    QTest::newRow("markers without a map")
        << "bare.htm" << startMarker + "\r\n" + endMarker << "We have a problem" << -1 << false;
    QTest::newRow("two start markers")
        << "two.htm" << startMarker + "\r\n" + mapWith("1, 2, 30, 40") << "" << 1 << false;
    QTest::newRow("30 digits") << "long.tavl" << mapWith("1, 2, 30, 123456789012345678901234567890")
                               << "We have a problem" << -1 << false;
    QTest::newRow("negative radius")
        << "neg.tavl" << mapWith("50, 50, -7", "circle") << "We have a problem" << -1 << false;
    QTest::newRow("polygon of 1 point")
        << "p1.tavl" << mapWith("5, 5", "poly") << "We have a problem" << -1 << false;
    QTest::newRow("polygon of 2 points")
        << "p2.tavl" << mapWith("5, 5, 50, 50", "poly") << "We have a problem" << -1 << false;
    QTest::newRow("page that is not UTF-8") << "latin.htm"
                                            << "caf\xe9 \xff\xfe" + mapWith("1, 2, 30, 40") + "\xe9"
                                            << "" << 1 << false;
    QTest::newRow("missing map") << "-gone.tavl" << QByteArray() << "We have a problem" << -1
                                 << false;
    QTest::newRow("missing picture")
        << "-gone.gif" << QByteArray() << "We have a problem" << -1 << false;
    QTest::newRow("end marker cut off")
        << "cut.tavl" << mapWith("1, 2, 30, 40").chopped(10) << "Tavlo Note:" << -1 << false;
    QTest::newRow("not a picture")
        << "text.jpg" << QByteArray("not a picture at all") << "We have a problem" << -1 << false;
    QTest::newRow("wider than 32767 pixels")
        << "huge.gif" << encoded(QSize(32768, 1), "png") << "We have a problem" << -1 << false;
    QTest::newRow("name shorter than four characters")
        << "a.g" << encoded(QSize(20, 20), "png") << "We have a problem" << -1 << true;
    // The decoder reads these, but the editor maps GIF and JPG only, whatever the road.
    for (const char* format : {"png", "bmp", "jpeg"})
        QTest::newRow(format) << QStringLiteral("picture.") + format
                              << encoded(QSize(20, 20), format) << "We have a problem" << -1
                              << true;
}

void tst_BadInput::opening()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QFETCH(int, areas);
    QFETCH(bool, asDropped);

    Editor e;
    QVERIFY(e.w.imgSpecs(m_picture));
    e.w.document().addArea(rectArea(100, 100, 150, 140));
    e.w.document().appendTexts("kept.htm", "", "");
    const QImage picture = e.w.mapee()->picture();
    const QSize size = e.w.size();
    const QByteArray tag = e.w.imageTags().imgTag;

    e.files.path = m_dir.filePath(name.startsWith('-') ? name.mid(1) : name);
    if (!name.startsWith('-'))
        write(e.files.path, content);
    e.prompts.alertAnswer = false; // go on despite the unsaved area
    e.w.mnuFileOpen_Click();

    QStringList said;
    for (const auto& shown : e.prompts.shown) {
        if (shown.kind != u"alert")
            said << shown.texts.value(0);
    }
    if (message.isEmpty()) {
        QVERIFY2(said.isEmpty(), qPrintable(said.join('|')));
    } else {
        QVERIFY2(!said.isEmpty() && said.first().startsWith(message), qPrintable(said.join('|')));
    }
    if (asDropped) {
        test::RecordingPrompts dropped;
        QVERIFY(!checkFile(e.files.path, dropped));
        QCOMPARE(e.prompts.shown.last().texts, dropped.shown.value(0).texts);
    }
    if (areas < 0) {
        QVERIFY(!e.w.pageOpen());
        QCOMPARE(e.w.mapee()->picture(), picture);
        QCOMPARE(e.w.size(), size);
        QCOMPARE(e.w.imageTags().imgTag, tag);
        QCOMPARE(e.w.document().areaList(), QList<QByteArray>{rectArea(100, 100, 150, 140).record});
        QCOMPARE(e.w.document().hrefList(), QList<QByteArray>{"kept.htm"});
        QCOMPARE(e.w.imgPath(), m_picture);
    } else {
        QCOMPARE(e.w.document().areaList().size(), areas);
        QCOMPARE(e.w.document().hrefList().size(), areas);
    }
}

void tst_BadInput::awkwardFileNamesRoundTrip()
{
    const QString name = QString::fromUtf8("my \"best\" #1 100% K\xc3\xb6ln.jpg");
    const QString path = m_dir.filePath("images/" + name);
    QVERIFY(QFile::copy(m_picture, path));
    Editor e;
    QVERIFY(e.w.imgSpecs(path));
    e.w.document().addArea(rectArea(10, 10, 50, 50));
    e.w.document().addAreaDefaults();
    e.files.path = m_dir.filePath("odd name.htm");
    e.w.mnuFileSave2File_Click(1);
    QVERIFY(e.prompts.shown.isEmpty());
    QVERIFY(e.w.txtSpecs(e.files.path, ".htm"));
    QCOMPARE(e.w.imgPath(), path);
    QCOMPARE(e.w.document().areaList().size(), 1);
}

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
