// What the user is told when a map, page or text file is opened, and what the opening
// leaves for "Save in Original Page".
#include "session/messages.h"
#include "support/files.h"
#include "support/mapwindow.h"
#include "tavlofile/markupwriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tavlo;
using namespace tavlo::test;

Q_DECLARE_METATYPE(tavlo::Note)

namespace {

// No raw strings in this file: moc misreads them.
const QByteArray rect = "<AREA SHAPE=\"rect\" COORDS=\"10, 10, 60, 40\" HREF=\"a.htm";

// A map of the picture images/logo.jpg beside the file, with these records.
QByteArray mapOf(const QList<QByteArray>& records)
{
    return mapBlock(savedImageFolder, imageMarkup("logo.jpg", 300, 200), records);
}

// The note on what a save would not write back, one line an area.
Note areaNotes(const QString& lines)
{
    return {Message::AreaNotes,
            {"Saving this map will not write back all of it:\r\n" + lines +
             "\r\n\r\nKeep a copy of the page if you need them."}};
}

} // namespace

class tst_OpenNotes : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MapWindow> m_e;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(m_dir.path()).mkdir("images"));
        savePicture(m_dir.filePath("images/logo.jpg"));
        savePicture(m_dir.filePath("elsewhere.jpg"));
    }
    void init() { m_e = std::make_unique<MapWindow>(); }
    void cleanup() { m_e.reset(); }

    // Each refused or noted file and every message the opening shows, in order; "<path>"
    // in an argument stands for the file's path.
    void messages_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: the file does not exist
        QTest::addColumn<bool>("locate");        // the answer to "Image path problem..."
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QList<Note>>("shown");
        const auto row = [](const char* name, const QByteArray& content, bool locate, bool opened,
                            const QList<Note>& shown) {
            QTest::newRow(name) << content << locate << opened << shown;
        };
        const QList<Note> altered{{Message::EndMarkerAltered, {}}};

        row("file that cannot be opened", {}, false, false,
            {{Message::MapUnreadable, {"<path>", "No such file or directory"}}});
        row("tags missing", "<p>plain</p>", false, false,
            {{Message::MapTagsMissing,
              {"Copyright tag missing or altered.\r\nArea tags missing or altered.\r\n"
               "Image tag missing or altered."}}});
        row("no start marker", mapOf({rect}).sliced(startMarker.size()), false, false,
            {{Message::NoStartMarker, {"<path>"}}});
        row("no end marker", mapOf({rect}).chopped(endMarker.size()), false, false, altered);
        row("end marker cut short", mapOf({rect}).chopped(3), false, false, altered);
        row("COORDS that are not numbers",
            mapOf({"<AREA SHAPE=\"rect\" COORDS=\"10, x, 60, 40\" HREF=\"a.htm"}), false, false,
            {{Message::BadCoords, {"1", "<path>", "10, x, 60, 40"}}});
        QByteArray lost = mapOf({rect});
        lost.replace("images/logo.jpg", "images/gone.jpg");
        const Note imageProblem{Message::ImagePathProblem, {}};
        row("image missing, not looked for", lost, false, false, {imageProblem});
        row("image missing, located", lost, true, true,
            {imageProblem, {Message::DefaultImagePath, {}}});
        const Note noAreas{Message::NoMappedAreas, {}};
        const QByteArray outside = "<p>COORDS=</p>\r\n";
        row("lower-case target and alt, unknown shape",
            mapOf({rect + "\" target=\"_top\" alt=\"x\" title=\"t",
                   "<AREA SHAPE=\"default\" COORDS=\"0, 0\" HREF=\"d.htm",
                   "<AREA ALT=\"a<b\" SHAPE=\"rect\" COORDS=\"1, 2, 3, 4\" HREF=\"b.htm"}),
            false, true,
            {areaNotes("\r\nArea 1: loses target, alt, title.\r\nArea 2: not rebuilt, its SHAPE "
                       "\"default\" is not rect, circle or poly.")});
        row("no areas read, AREA tags noted",
            outside + mapOf({"<AREA SHAPE=\"rect\" coords=\"1, 2, 3, 4\" HREF=\"a.htm"}), false,
            true, {noAreas, areaNotes("\r\nArea 1: not rebuilt, it has no COORDS= in capitals.")});
        QList<QByteArray> many;
        QString fifteen;
        for (int i = 1; i <= 20; ++i) {
            many.append(rect + "\" title=\"t");
            if (i <= 15)
                fifteen += QStringLiteral("\r\nArea %1: loses title.").arg(i);
        }
        row("twenty areas noted", mapOf(many), false, true,
            {areaNotes(fifteen + "\r\n...and 5 more areas.")});
    }

    void messages()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, locate);
        QFETCH(bool, opened);
        QFETCH(QList<Note>, shown);
        const QString path = m_dir.filePath(content.isEmpty() ? "missing.htm" : "page.htm");
        if (!content.isEmpty())
            writeAll(path, content);
        m_e->prompts.alertAnswer = locate;
        m_e->files.paths = {m_dir.filePath("elsewhere.jpg")};

        QCOMPARE(m_e->w.txtSpecs(path, ".htm"), opened);
        QStringList expected;
        for (Note& note : shown) {
            note.args.replaceInStrings("<path>", path);
            expected.append(shownAs(note));
        }
        QCOMPARE(m_e->said(), expected);
        // A refused file leaves no page to write back into.
        QCOMPARE(m_e->w.session().pageOpen(), opened);
        if (locate) { // asked for in the open dialog, the picture carries the map
            QVERIFY(m_e->files.asked == QList{FileDialogFor::FindPicture});
            QCOMPARE(m_e->w.imgPath(), m_dir.filePath("elsewhere.jpg"));
            QCOMPARE(m_e->w.document().areaList().size(), 1);
        }
    }

    void pageOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("page");
        QTest::newRow(".html") << "map.html" << true;
        QTest::newRow(".asp") << "map.asp" << true;
        QTest::newRow(".tavl") << "map.tavl" << false;
    }

    void pageOpen()
    {
        QFETCH(QString, name);
        const QString path = m_dir.filePath(name);
        writeAll(path, mapOf({rect}) + "\r\n");
        m_e->open(path);
        QCOMPARE(m_e->w.document().areaList().size(), 1);
        QVERIFY(m_e->prompts.shown.isEmpty());
        QTEST(m_e->w.session().pageOpen(), "page");
    }

    // The user was told; saving back then writes the page without what the note named,
    // and every byte outside the map as it was.
    void notedAttributesAreDroppedByF9()
    {
        const QByteArray top = "<p>Caf\xe9</p>\n";
        const QByteArray bot = "\n<p>after</p>\n";
        const QString path = m_dir.filePath("site.htm");
        writeAll(path, top + mapOf({rect + "\" target=\"_top"}) + bot);
        QVERIFY(m_e->w.txtSpecs(path, ".htm"));
        QCOMPARE(m_e->said(), QStringList{shownAs(areaNotes("\r\nArea 1: loses target."))});

        const QString copy = m_dir.filePath("saved.htm");
        m_e->save(SaveKind::OriginalPage, copy);
        QCOMPARE(readAll(copy), top + mapOf({rect}) + bot + "\r\n");
    }
};

QTEST_MAIN(tst_OpenNotes)
#include "tst_opennotes.moc"
