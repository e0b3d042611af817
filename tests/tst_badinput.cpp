// Bad input of every kind: each gets a clear message or a sound result, and nothing
// the user had is lost.
#include "editor/mapee.h"
#include "session/filecheck.h"
#include "support/areas.h"
#include "support/files.h"
#include "support/mapwindow.h"
#include "tavlofile/markupwriter.h"

#include <QDir>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace tavlo;
using namespace tavlo::test;

namespace {

QByteArray mapWith(const QByteArray& coords)
{
    const QByteArray area = "<AREA SHAPE=\"rect\" COORDS=\"" + coords + "\" HREF=\"x.htm";
    return mapBlock(savedImageFolder, imageMarkup("base.jpg", 200, 150), {area});
}

} // namespace

class tst_BadInput : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_picture;

private slots:
    void initTestCase()
    {
        QDir(m_dir.path()).mkdir("images");
        m_picture = savePicture(m_dir.filePath("images/base.jpg"), {200, 150});
    }

    void opening_data()
    {
        QTest::addColumn<QString>("name"); // "-name": no such file
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message"); // first words of the first prompt, "" for none
        QTest::addColumn<int>("areas");       // areas afterwards; -1: the old one kept
        QTest::addColumn<bool>("asDropped");  // the message a drop of the file gets
        // Refused, the old map kept.
        const auto refused = [](const char* row, const char* name, const QByteArray& content,
                                const char* message = "We have a problem", bool dropped = false) {
            QTest::newRow(row) << QString(name) << content << QString(message) << -1 << dropped;
        };
        const auto opens = [](const char* row, const char* name, const QByteArray& content,
                              int areas) {
            QTest::newRow(row) << QString(name) << content << QString() << areas << false;
        };
        refused("empty map file", "empty.tavl", {});
        refused("0-byte GIF", "empty.gif", {});
        opens("GIF of 1 x 1", "one.gif", sourceFile("tests/pages/images/one-pixel.gif"), 0);
        refused("40000 x 10 that cannot be decoded", "wide.gif",
                "GIF89a" + QByteArray::fromHex("409c0a00") + "garbage");
        opens("50 MB page, the map at its end", "big.htm",
              QByteArray(50 * 1024 * 1024, 'x') + mapWith("1, 2, 30, 40"), 1);
        opens("two start markers", "two.htm", startMarker + "\r\n" + mapWith("1, 2, 30, 40"), 1);
        // Every refused map goes one way (its causes are tst_opennotes' and tst_mapreader's):
        // this row shows the old map kept.
        refused("30 digits", "long.tavl", mapWith("1, 2, 30, 123456789012345678901234567890"));
        opens("page that is not UTF-8", "latin.htm",
              "caf\xe9 \xff\xfe" + mapWith("1, 2, 30, 40") + "\xe9", 1);
        refused("missing picture", "-gone.gif", {});
        refused("wider than 32767 pixels", "huge.gif", pictureBytes(QSize(32768, 1), "png"));
        refused("name shorter than four characters", "a.g", pictureBytes(QSize(20, 20), "png"),
                "We have a problem", true);
        // The decoder reads it, but the editor maps GIF and JPG only, whatever the road.
        refused("a JPEG named .jpeg", "picture.jpeg", pictureBytes(QSize(20, 20), "jpeg"),
                "We have a problem", true);
    }

    void pictureTooLargeToLoad()
    {
        // The header of a few bytes announces 20000 x 20000; the decoder cannot give it.
        const QString path = m_dir.filePath("vast.gif");
        writeAll(path, "GIF89a" + QByteArray::fromHex("204e204e") + "garbage");
        MapWindow e;
        QVERIFY(!e.w.imgSpecs(path));
        const Note tooLarge{Message::PictureTooLargeToLoad, {"20000", "20000", path}};
        QCOMPARE(e.said(), QStringList{shownAs(tooLarge)});
        // Every picture within the editor's limit is tried, however much it needs.
        QVERIFY(qint64(QImageReader::allocationLimit()) << 20 >= qint64(32767) * 32767 * 4);
    }

    void opening()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFETCH(int, areas);
        QFETCH(bool, asDropped);

        MapWindow e;
        QVERIFY(e.w.imgSpecs(m_picture));
        e.w.document().addArea(test::rect(100, 100, 150, 140), {"kept.htm", "", ""});
        const QImage picture = e.w.mapee()->picture();
        const QSize size = e.w.size();
        const QByteArray tag = e.w.session().imageTags().imgTag;

        const QString path = m_dir.filePath(name.startsWith('-') ? name.mid(1) : name);
        if (!name.startsWith('-'))
            writeAll(path, content);
        e.prompts.alertAnswer = false; // go on despite the unsaved area
        e.open(path);

        QStringList said;
        for (const auto& shown : e.prompts.shown) {
            if (shown.kind != u"alert")
                said << shown.texts.value(0);
        }
        if (message.isEmpty()) {
            QVERIFY2(said.isEmpty(), qPrintable(said.join('|')));
        } else {
            QVERIFY2(!said.isEmpty() && said.first().startsWith(message),
                     qPrintable(said.join('|')));
        }
        if (asDropped) {
            RecordingPrompts dropped;
            QVERIFY(!checkFile(path, dropped));
            QCOMPARE(e.prompts.shown.last().texts, dropped.shown.value(0).texts);
        }
        if (areas < 0) {
            QVERIFY(!e.w.session().pageOpen());
            QCOMPARE(e.w.mapee()->picture(), picture);
            QCOMPARE(e.w.size(), size);
            QCOMPARE(e.w.session().imageTags().imgTag, tag);
            QCOMPARE(e.w.document().areaList(),
                     QList<QByteArray>{areaRecord(test::rect(100, 100, 150, 140))});
            QCOMPARE(e.w.document().hrefList(), QList<QByteArray>{"kept.htm"});
            QCOMPARE(e.w.imgPath(), m_picture);
        } else {
            QCOMPARE(e.w.document().areaList().size(), areas);
            QCOMPARE(e.w.document().hrefList().size(), areas);
        }
    }

    void awkwardFileNameRoundTrip()
    {
        const QString name = QString::fromUtf8("my \"best\" #1 100% K\xc3\xb6ln?.jpg");
        const QString path = m_dir.filePath("images/" + name);
        QVERIFY(QFile::copy(m_picture, path));
        MapWindow e;
        QVERIFY(e.w.imgSpecs(path));
        e.w.document().addArea(test::rect(10, 10, 50, 50));
        const QString saved = m_dir.filePath("odd name.htm");
        e.save(SaveKind::Html, saved);
        QVERIFY(e.prompts.shown.isEmpty());
        QVERIFY(readAll(saved).contains(
            "<img src=\"images/my &quot;best&quot; %231 100%25 K\xc3\xb6ln%3F.jpg\""));
        // The map, not the picture open before, names the picture.
        QVERIFY(e.w.imgSpecs(m_picture));
        QVERIFY(e.w.txtSpecs(saved, ".htm"));
        QCOMPARE(e.w.imgPath(), path);
        QCOMPARE(e.w.document().areaList().size(), 1);
    }
};

QTEST_MAIN(tst_BadInput)
#include "tst_badinput.moc"
