// What the user is told when a map, page or text file is opened, and what the opening
// leaves for "Save in Original Page".
#include "support/files.h"
#include "support/mapwindow.h"
#include "tavlofile/markupwriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tavlo;
using namespace tavlo::test;

namespace {

// Not a raw string: moc reads the file before the class and misreads those.
const QByteArray rect = "<AREA SHAPE=\"rect\" COORDS=\"10, 10, 60, 40\" HREF=\"a.htm";

// A map of the picture images/logo.jpg beside the file, with these records.
QByteArray mapOf(const QList<QByteArray>& records)
{
    return mapBlock(savedImageFolder, imageMarkup("logo.jpg", 300, 200), records);
}

QByteArray withEndMarker(const QByteArray& replacement)
{
    return mapOf({rect}).replace(endMarker, replacement) + "\r\n<p>after C, a list</p>\r\n";
}

} // namespace

class tst_OpenNotes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void messages_data();
    void messages();
    void pageOpen_data();
    void pageOpen();
    void notedAttributesAreDroppedByF9();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<MapWindow> m_e;
};

void tst_OpenNotes::initTestCase()
{
    QVERIFY(QDir(m_dir.path()).mkdir("images"));
    savePicture(m_dir.filePath("images/logo.jpg"));
    savePicture(m_dir.filePath("elsewhere.jpg"));
}

void tst_OpenNotes::init()
{
    m_e = std::make_unique<MapWindow>();
}

void tst_OpenNotes::cleanup()
{
    m_e.reset();
}

// Each refused or noted file and every window the opening shows, all labels, in order:
// "kind|label|label...", with %1 for the file's path.
void tst_OpenNotes::messages_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
    QTest::addColumn<bool>("locate");        // the answer to "Image path problem..."
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QStringList>("shown");
    const QString altered =
        "box|Tavlo Note:|TAVL has been altered,\r\nand cannot be edited in its present state.";

    QTest::newRow("file that cannot be opened")
        << QByteArray() << false << false
        << QStringList{"msg|We have a problem...|\r\nTavlo could not open:\r\n\r\n%1|"
                       "No such file or directory"};
    QTest::newRow("tags missing")
        << QByteArray("<p>plain</p>") << false << false
        << QStringList{"msg|We have a problem...|The file requested either:\r\n\r\n1.) Contains "
                       "no TAVL file, or\r\n2.) the file has been corrupted in the following "
                       "manner -- \r\n\r\nCopyright tag missing or altered.\r\nArea tags missing "
                       "or altered.\r\nImage tag missing or altered.|  To edit an TAVL file -- all "
                       "the tags,\r\n as well as comments, must be left intact."};
    QTest::newRow("no start marker")
        << mapOf({rect}).sliced(startMarker.size()) << false << false
        << QStringList{"box|Tavlo Note:|There is no Tavlo File in \r\n%1\r\n\r\n    ...or it has "
                       "been corrupted."};
    QTest::newRow("no end marker")
        << mapOf({rect}).chopped(endMarker.size()) << false << false << QStringList{altered};
    QTest::newRow("end marker cut short")
        << mapOf({rect}).chopped(3) << false << false << QStringList{altered};
    QTest::newRow("end marker edited")
        << withEndMarker("<!-- end Tavlo, edited -->") << false << false << QStringList{altered};
    QTest::newRow("COORDS that are not numbers")
        << mapOf({R"(<AREA SHAPE="rect" COORDS="10, x, 60, 40" HREF="a.htm)"}) << false << false
        << QStringList{"msg|We have a problem...|\r\nThe COORDS of area 1 in\r\n\r\n%1\r\n\r\n"
                       "are not whole numbers Tavlo can use:\r\n10, x, 60, 40|Please correct the "
                       "map, then open it again."};
    const QString imageProblem =
        "alert|Image path problem...|The path to the image contained in\r\nthe map file is "
        "incorrect for your machine.|Would you like the opportunity to\r\nlocate that image now, "
        "via an open dialog?";
    QByteArray lost = mapOf({rect});
    lost.replace("images/logo.jpg", "images/gone.jpg");
    QTest::newRow("image missing, not looked for")
        << lost << false << false << QStringList{imageProblem};
    QTest::newRow("image missing, located")
        << lost << true << true
        << QStringList{imageProblem,
                       "msg|Keep in mind...|\r\n\r\nTavlo will prepend the default path of "
                       "\r\n\"images/\" to the following image.|Be sure to edit this later, if "
                       "necessary."};
    const QString noAreas = "box|Tavlo Note:|There appears to be no mapped areas,\r\nor the "
                            "coordinates have been corrupted.";
    const QByteArray outside = "<p>COORDS=</p>\r\n";
    QTest::newRow("no COORDS in the map section")
        << outside + mapOf({}) << false << true << QStringList{noAreas};
    const QString head = "box|Tavlo Note:|Saving this map will not write back all of it:\r\n";
    const QString tail = "\r\n\r\nKeep a copy of the page if you need them.";
    QTest::newRow("lower-case target and alt, unknown shape")
        << mapOf({rect + R"(" target="_top" alt="x" title="t)",
                  R"(<AREA SHAPE="default" COORDS="0, 0" HREF="d.htm)",
                  R"(<AREA ALT="a<b" SHAPE="rect" COORDS="1, 2, 3, 4" HREF="b.htm)"})
        << false << true
        << QStringList{head +
                       "\r\nArea 1: loses target, alt, title.\r\nArea 2: not rebuilt, its "
                       "SHAPE \"default\" is not rect, circle or poly." +
                       tail};
    QTest::newRow("no areas read, AREA tags noted")
        << outside + mapOf({R"(<AREA SHAPE="rect" coords="1, 2, 3, 4" HREF="a.htm)"}) << false
        << true
        << QStringList{noAreas,
                       head + "\r\nArea 1: not rebuilt, it has no COORDS= in capitals." + tail};
    QList<QByteArray> many;
    QString fifteen;
    for (int i = 1; i <= 20; ++i) {
        many.append(rect + R"(" title="t)");
        if (i <= 15)
            fifteen += QStringLiteral("\r\nArea %1: loses title.").arg(i);
    }
    QTest::newRow("twenty areas noted")
        << mapOf(many) << false << true
        << QStringList{head + fifteen + "\r\n...and 5 more areas." + tail};
}

void tst_OpenNotes::messages()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, locate);
    QFETCH(bool, opened);
    QFETCH(QStringList, shown);
    const QString path = m_dir.filePath(content.isEmpty() ? "missing.htm" : "page.htm");
    if (!content.isEmpty())
        writeAll(path, content);
    m_e->prompts.alertAnswer = locate;
    m_e->files.paths = {m_dir.filePath("elsewhere.jpg")};

    QCOMPARE(m_e->w.txtSpecs(path, ".htm"), opened);
    QStringList got;
    for (const RecordingPrompts::Shown& s : m_e->prompts.shown)
        got.append(s.kind + '|' + s.texts.join('|'));
    for (QString& s : shown)
        s = s.arg(path);
    QCOMPARE(got, shown);
    // A refused file leaves no page to write back into.
    QCOMPARE(m_e->w.pageOpen(), opened);
}

void tst_OpenNotes::pageOpen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("page");
    QTest::newRow(".htm") << "map.htm" << true;
    QTest::newRow(".html") << "map.html" << true;
    QTest::newRow(".shtml") << "map.shtml" << true;
    QTest::newRow(".asp") << "map.asp" << true;
    QTest::newRow(".txt") << "map.txt" << false;
    QTest::newRow(".tavl") << "map.tavl" << false;
}

void tst_OpenNotes::pageOpen()
{
    QFETCH(QString, name);
    QFETCH(bool, page);
    const QString path = m_dir.filePath(name);
    writeAll(path, mapOf({rect}) + "\r\n");
    m_e->files.paths = {path};
    m_e->w.mnuFileOpen_Click();
    QCOMPARE(m_e->w.document().areaList().size(), 1);
    QVERIFY(m_e->prompts.shown.isEmpty());
    QCOMPARE(m_e->w.pageOpen(), page);
}

// The user was told; saving back then writes the page without what the note named,
// and every byte outside the map as it was.
void tst_OpenNotes::notedAttributesAreDroppedByF9()
{
    const QByteArray top = "<p>Caf\xe9</p>\n";
    const QByteArray bot = "\n<p>after</p>\n";
    const QString path = m_dir.filePath("site.htm");
    writeAll(path, top + mapOf({rect + R"(" target="_top)"}) + bot);
    QVERIFY(m_e->w.txtSpecs(path, ".htm"));
    QCOMPARE(m_e->prompts.shown.size(), 1);
    QVERIFY(m_e->prompts.shown[0].texts[1].contains(QStringLiteral("Area 1: loses target.")));

    const QString copy = m_dir.filePath("saved.htm");
    m_e->files.paths = {copy};
    m_e->w.mnuFileSave2File_Click(3);
    QCOMPARE(readAll(copy), top + mapOf({rect}) + bot + "\r\n");
}

QTEST_MAIN(tst_OpenNotes)
#include "tst_opennotes.moc"
