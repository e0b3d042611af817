#include "map/mapdocument.h"
#include "support/areas.h"
#include "support/files.h"
#include "tavlofile/htmlpage.h"
#include "tavlofile/mapreader.h"
#include "tavlofile/markupwriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tavlo;
using namespace tavlo::test;

Q_DECLARE_METATYPE(tavlo::SaveKind)
Q_DECLARE_METATYPE(tavlo::ChtmlPage::Split)

namespace {

// An area as the editor holds it before saving.
struct Area {
    MapArea shape;
    QByteArray href;
    QByteArray target;
    QByteArray alt;
    bool edited = true; // never edited: the record ends at `HREF="`
    QByteArray record() const
    {
        return edited ? areaRecord(shape) + recordTail(href, target, alt) : areaRecord(shape);
    }
};

QList<Area> sampleAreas()
{
    // x of every length from 1 to 5 digits, both signs; y kept low, since a region
    // costs time with its height.
    QList<QPoint> big;
    int power = 1;
    for (int i = 0; i < 300; ++i, power = power >= 10000 ? 1 : power * 10)
        big.append({i % 2 ? -power : power + i, i % 7 - 3});
    big[7] = {32767, 9};
    big[8] = {-32768, -9};
    return {
        {rect(10, 20, 30, 220), "a.htm", "", ""},
        {rect(-5, -32768, 32767, 0), "b.htm", "_top", R"(A "quoted" <b> alt)"},
        {circle(100, 80, 125), "/", "x", "y"},
        {circle(7, 7, 0), "#", targetPrompt, altPrompt, false},
        {poly({{0, 0}, {30, 0}, {15, 25}}), "k\xc3\xb6ln.htm", "", "caf\xe9 cr\xe8me"},
        {poly(big), "page.htm?a=1&b=2", "<", ">"},
        {rect(1, 2, 3, 4), ">", "\"", ""},
    };
}

QByteArray blockOf(const QList<Area>& areas)
{
    QList<QByteArray> records;
    for (const Area& a : areas)
        records.append(a.record());
    return mapBlock(savedImageFolder, imageMarkup("logo.gif", 120, 60), records);
}

QByteArray areaLines(const QByteArrayList& tags)
{
    QByteArray out;
    for (const QByteArray& t : tags)
        out += "<AREA " + t + ">\r\n";
    return out;
}

// number|href|target|alt of every area read.
QByteArrayList summary(const MapRead& read)
{
    QByteArrayList out;
    for (const ReadArea& a : read.areas) {
        const AreaLinks& l = *a.area.links();
        out.append(QByteArray::number(a.number) + '|' + l.href + '|' + l.target + '|' + l.alt);
    }
    return out;
}

} // namespace

class tst_MapReader : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void pagePieces_data();
    void pagePieces();
    void splitRefusals_data();
    void splitRefusals();
    void missingTags_data();
    void missingTags();
    void tagTexts_data();
    void tagTexts();
    void coords_data();
    void coords();
    void image_data();
    void image();

private:
    QTemporaryDir m_dir;
};

void tst_MapReader::roundTrip_data()
{
    QTest::addColumn<SaveKind>("kind");
    QTest::newRow("TAVL") << SaveKind::Tavl;
    QTest::newRow("HTML page") << SaveKind::Html;
    QTest::newRow("text") << SaveKind::Text;
    QTest::newRow("original page") << SaveKind::OriginalPage;
}

void tst_MapReader::roundTrip()
{
    QFETCH(SaveKind, kind);
    const QList<Area> areas = sampleAreas();
    const QByteArray block = blockOf(areas);
    const QByteArray file = fileText(kind, block, "<p>before</p>\r\n", "\r\n<p>after</p>");

    ChtmlPage page;
    QCOMPARE(page.parsePage(file, "/site/page.htm"), ChtmlPage::Split::Done);
    QCOMPARE(page.htmlMap(), block);
    QCOMPARE(checkMapTags(file), QString());
    const MapRead read = parseMap(page.htmlMap());
    QVERIFY(!read.refused && !read.noCoords);
    QCOMPARE(read.areas.size(), areas.size());
    QVERIFY(read.notes.isEmpty());
    for (int i = 0; i < areas.size(); ++i) {
        const Area& written = areas[i];
        const ReadArea& got = read.areas[i];
        QCOMPARE(got.number, i + 1);
        QCOMPARE(pointText(got.area), pointText(written.shape));
        QCOMPARE(areaRegion(got.area), areaRegion(written.shape));
        // A never-edited area was written with an empty HREF and no other texts.
        QCOMPARE(areaRecord(got.area),
                 written.edited ? written.record() : areaRecord(written.shape) + "#");
        const AreaLinks& links = *got.area.links();
        QCOMPARE(links.href, written.href);
        QCOMPARE(links.target, written.edited ? written.target : QByteArray());
        QCOMPARE(links.alt, written.edited ? written.alt : QByteArray());
    }
}

void tst_MapReader::pagePieces_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("top");
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QByteArray>("bot");
    const QByteArray block = blockOf(sampleAreas().first(2));
    const QByteArray top = "<HTML><BODY>\r\n<p>Before</p>\r\n";
    const QByteArray bot = "\r\n<p>After</p>\r\n</BODY></HTML>";
    QTest::newRow("text before and after") << top + block + bot << top << block << bot;
    QTest::newRow("LF line breaks") << "<p>\n" + block + "\n</p>\n"
                                    << QByteArray("<p>\n") << block << QByteArray("\n</p>\n");
    const QByteArray odd("caf\xe9 \xff\xfe\0\r\n", 11);
    QTest::newRow("invalid UTF-8 and NUL") << odd + block + odd << odd << block << odd;
    QTest::newRow("TAVL file") << fileText(SaveKind::Tavl, block) << QByteArray() << block
                               << QByteArray("\r\n");
    const QByteArray second = "\r\n<p>2</p>\r\n" + blockOf(sampleAreas().last(1)) + "\r\n";
    QTest::newRow("second block stays below") << block + second << QByteArray() << block << second;
}

void tst_MapReader::pagePieces()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, top);
    QFETCH(QByteArray, map);
    QFETCH(QByteArray, bot);
    ChtmlPage p;
    QCOMPARE(p.parsePage(page, "/site/page.htm"), ChtmlPage::Split::Done);
    QCOMPARE(p.pageFile(), QStringLiteral("/site/page.htm"));
    QCOMPARE(p.htmlTop(), top);
    QCOMPARE(p.htmlMap(), map);
    QCOMPARE(p.htmlBot(), bot);
    QCOMPARE(p.htmlTop() + p.htmlMap() + p.htmlBot(), page);
    const QByteArray fresh = blockOf(sampleAreas().last(3));
    QCOMPARE(fileText(SaveKind::OriginalPage, fresh, p.htmlTop(), p.htmlBot()),
             top + fresh + bot + "\r\n");
}

void tst_MapReader::splitRefusals_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<ChtmlPage::Split>("split");
    const QByteArray block = blockOf(sampleAreas().first(1));
    QTest::newRow("no start marker")
        << block.sliced(startMarker.size()) << ChtmlPage::Split::NoStartMarker;
    QTest::newRow("no end marker")
        << block.chopped(endMarker.size()) << ChtmlPage::Split::NoEndMarker;
    QTest::newRow("end marker only before the start")
        << endMarker + "\r\n" + block.chopped(endMarker.size()) << ChtmlPage::Split::NoEndMarker;
    QTest::newRow("end marker cut short") << block.chopped(1) << ChtmlPage::Split::EndMarkerAltered;
    // Cut 49 characters after "<!-- end Tavlo", the text after it would go with the map.
    QTest::newRow("end marker edited after its 14th character")
        << block.chopped(endMarker.size()) + "<!-- end Tavlo, edited -->\r\n<p>after C, a list</p>"
        << ChtmlPage::Split::EndMarkerAltered;
    QTest::newRow("end marker of the same length, edited")
        << block.chopped(endMarker.size()) + "<!-- end Tavlo, SAFE to edit AFTER this line. -->"
        << ChtmlPage::Split::EndMarkerAltered;
}

void tst_MapReader::splitRefusals()
{
    QFETCH(QByteArray, page);
    QFETCH(ChtmlPage::Split, split);
    const QByteArray text = "<p>x</p>" + page;
    ChtmlPage p;
    QCOMPARE(p.parsePage(text, "page.htm"), split);
    if (split != ChtmlPage::Split::NoStartMarker)
        QCOMPARE(p.htmlTop(), text.first(text.indexOf("<!-- Tavlo start")));
}

void tst_MapReader::missingTags_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    const QByteArray block = blockOf(sampleAreas().first(1));
    QByteArray altered = block;
    altered.replace("made with", "made by");
    QByteArray lowerCoords = block;
    lowerCoords.replace("COORDS=", "coords=");
    QByteArray noImage = altered;
    noImage.replace("<img src=", "<IMG SRC=");
    QTest::newRow("coords in lower case") << lowerCoords << "Area tags missing or altered.\r\n";
    QTest::newRow("credit and image tag")
        << noImage << "Copyright tag missing or altered.\r\nImage tag missing or altered.";
}

void tst_MapReader::missingTags()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    QCOMPARE(checkMapTags(text), error);
}

void tst_MapReader::tagTexts_data()
{
    QTest::addColumn<QByteArray>("map");
    QTest::addColumn<QByteArrayList>("areas");
    QTest::addColumn<QByteArrayList>("notes");
    const auto row = [](const char* name, const QByteArrayList& tags, const QByteArrayList& areas,
                        const QByteArrayList& notes = {}) {
        QTest::newRow(name) << areaLines(tags) << areas << notes;
    };
    const QByteArray r = R"(SHAPE="rect" COORDS="1, 2, 3, 4")";
    row("a tag without HREF shifts nothing",
        {r, r + R"( HREF="b.htm" ALT="B")", r + R"( HREF="c")"}, {"1|#||", "2|b.htm||B", "3|c||"});
    row("one-character values are kept", {r + R"( HREF="/" Target="x" ALT="y")"}, {"1|/|x|y"});
    row("empty values", {r + R"( HREF="" Target="" ALT="")"}, {"1|#||"}, {"1 loses Target,ALT"});
    row("entities turned back", {r + R"( HREF="a&quot;b" ALT="&lt;i&gt; &amp;")"},
        {R"(1|a"b||<i> &amp;)"});
    row("any order, texts of the same tag only",
        {r + R"( ALT="first" Target="_top" HREF="a.htm")", r + R"( HREF="b.htm")"},
        {"1|a.htm|_top|first", "2|b.htm||"});
    row("a name inside a value is not one", {r + R"( HREF="q?Target=x&ALT=y")"},
        {"1|q?Target=x&ALT=y||"});
    row("unquoted value", {r + " HREF=a.htm ALT=pic"}, {"1|a.htm||pic"});
    row("lower-case names are noted", {r + R"( HREF="a" target="_top" alt="x")"}, {"1|a||"},
        {"1 loses target,alt"});
    row("attributes the editor does not keep",
        {r + R"x( HREF="a" title="t" class="c" onclick="go(1, 2)" nohref /)x"}, {"1|a||"},
        {"1 loses title,class,onclick,nohref"});
    row("odd last polygon value", {R"(SHAPE="poly" COORDS="0, 0, 9, 0, 5, 5, 7" HREF="p")"},
        {"1|p||"}, {"1 loses the odd last COORDS value"});
    row("unknown shape uses up its number",
        {R"(SHAPE="default" COORDS="0, 0" HREF="d.htm")", r + R"( HREF="r.htm")"}, {"2|r.htm||"},
        {"1 not rebuilt: shape default"});
    row("shape named after COORDS", {R"(COORDS="1, 2, 3, 4" SHAPE="rect" HREF="a")"}, {},
        {"1 not rebuilt: shape not before coords"});
    row("shape too far before COORDS", {R"(SHAPE="rect" ALT="long text" COORDS="1, 2, 3, 4")"}, {},
        {"1 not rebuilt: shape not before coords"});
    row("COORDS in lower case", {R"(SHAPE="rect" coords="1, 2, 3, 4")", r}, {"1|#||"},
        {"1 not rebuilt: no coords"});
    row("no shape", {R"(COORDS="1, 2, 3, 4" HREF="a")"}, {}, {"1 not rebuilt: no shape"});
    // Before the quoted "<" was known for text, the area vanished and so did the map.
    row("< inside a value before COORDS",
        {R"(ALT="a<b" SHAPE="rect" COORDS="1, 2, 3, 4" HREF="a")"}, {"1|a||a<b"});
    row("> inside a value before HREF", {r + R"( ALT="a>b" HREF="a")"}, {"1|a||a>b"});
    row("an AREA tag inside a value", {r + R"( HREF="a" ALT="<AREA>")"}, {"1|a||<AREA>"},
        {"2 not rebuilt: inside value"});
}

void tst_MapReader::tagTexts()
{
    QFETCH(QByteArray, map);
    QFETCH(QByteArrayList, areas);
    QFETCH(QByteArrayList, notes);
    const MapRead read = parseMap(map);
    QVERIFY(!read.refused && !read.noCoords);
    QCOMPARE(summary(read), areas);
    for (const ReadArea& a : read.areas) {
        const AreaLinks& l = *a.area.links();
        QVERIFY(areaRecord(a.area).endsWith("\" HREF=\"" + recordTail(l.href, l.target, l.alt)));
    }
    QByteArrayList got;
    for (const AreaNote& n : read.notes) {
        QByteArray line = QByteArray::number(n.number);
        static const char* const why[] = {"",          "inside value", "inside tag",
                                          "no coords", "no shape",     "shape not before coords",
                                          "shape ",    "other"};
        if (n.notRebuilt == NotRebuilt::No)
            line += " loses " + n.dropped.join(',');
        else
            line += QByteArray(" not rebuilt: ") + why[int(n.notRebuilt)] + n.shape;
        got.append(line);
    }
    QCOMPARE(got, notes);
}

void tst_MapReader::coords_data()
{
    QTest::addColumn<QByteArray>("shape");
    QTest::addColumn<QByteArray>("coords");
    QTest::addColumn<QByteArray>("pts"); // empty: refused
    const auto row = [](const char* name, const char* shape, const QByteArray& coords,
                        const char* pts = "") {
        QTest::newRow(name) << QByteArray(shape) << coords << QByteArray(pts);
    };
    row("halves to even", "rect", "10.5, 11.5, -2.5, 3.49", "10|12|-2|3");
    row("blanks", "rect", " 1 ,2,\t3 , 4 ", "1|2|3|4");
    row("radius keeps its fraction", "circle", "100, 80, 12.5", "100|80|12.5");
    row("odd last value left out", "poly", "0, 0, 4000, 0, 5, 5, 99", "0|0|4000|0|5|5");
    row("poly at both ends of the range", "poly", "-32768, 0, 32767, 0, 0, 9",
        "-32768|0|32767|0|0|9");
    row("not a number", "rect", "10, x, 30, 40");
    row("30 digits", "poly", "1, 2, 3, 4, 5, " + QByteArray(30, '9'));
    row("40000 in a rect", "rect", "0, 0, 40000, 10");
    row("five values in a rect", "rect", "1, 2, 3, 4, 5");
    row("negative radius", "circle", "10, 10, -1");
    row("circle without radius", "circle", "10, 10");
    row("poly of 2 points", "poly", "0, 0, 10, 10");
    row("poly across 32 bits", "poly", "-2147483648, 0, 2147483647, 0, 0, 9");
    row("32768 in a poly", "poly", "0, 0, 32768, 0, 5, 5");
    row("radius 32768", "circle", "0, 0, 32768");
    row("empty", "rect", "");
}

void tst_MapReader::coords()
{
    QFETCH(QByteArray, shape);
    QFETCH(QByteArray, coords);
    QFETCH(QByteArray, pts);
    const QByteArray map =
        areaLines({R"(SHAPE="rect" COORDS="1, 2, 3, 4" HREF="a.htm")",
                   "SHAPE=\"" + shape + "\" COORDS=\"" + coords + "\" HREF=\"b\""});
    const MapRead read = parseMap(map);
    if (pts.isEmpty()) {
        QVERIFY(read.refused);
        QCOMPARE(read.refused->area, 2);
        QCOMPARE(read.refused->value, coords);
        QVERIFY(read.areas.isEmpty());
    } else {
        QVERIFY(!read.refused && !read.noCoords);
        QCOMPARE(read.areas.size(), 2);
        QCOMPARE(pointText(read.areas[1].area), pts);
    }
}

void tst_MapReader::image_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<QString>("src");
    QTest::addColumn<QString>("resolved");
    QVERIFY(m_dir.isValid());
    const QString dir = m_dir.path() + "/";
    QDir(dir).mkpath("site/images");
    QDir(dir).mkpath("pics");
    for (const char* name : {"site/images/pic.gif", "site/images/k\u00f6ln.gif", "pics/abs.gif",
                             "site/images/a#b%c d.gif", "site/images/a%41.gif"})
        test::writeAll(dir + name, {});
    const QByteArray abs = QFile::encodeName(dir + "pics/abs.gif");
    QTest::newRow("relative to the page") << QByteArray(R"(<img src="images/pic.gif" width=1>)")
                                          << "images/pic.gif" << dir + "site/images/pic.gif";
    QTest::newRow("UTF-8 name") << QByteArray("<img src=\"images/k\xc3\xb6ln.gif\">")
                                << "images/k\u00f6ln.gif" << dir + "site/images/k\u00f6ln.gif";
    QTest::newRow("absolute") << "<img src=\"" + abs + "\">" << QFile::decodeName(abs)
                              << QFile::decodeName(abs);
    QTest::newRow("#, % and ? escaped")
        << QByteArray(R"(<img src="images/a%23b%25c d.gif">)") << "images/a%23b%25c d.gif"
        << dir + "site/images/a#b%c d.gif";
    // As older releases wrote them, unescaped.
    QTest::newRow("# and % as they are") << QByteArray(R"(<img src="images/a#b%c d.gif">)")
                                         << "images/a#b%c d.gif" << dir + "site/images/a#b%c d.gif";
    QTest::newRow("%41 in the name") << QByteArray(R"(<img src="images/a%41.gif">)")
                                     << "images/a%41.gif" << dir + "site/images/a%41.gif";
    QTest::newRow("missing") << QByteArray(R"(<img src="images/gone.gif">)") << "images/gone.gif"
                             << QString();
    QTest::newRow("no closing quote")
        << QByteArray("<img src=\"images/pic.gif>") << QString() << QString();
    QTest::newRow("no image tag") << QByteArray("<img alt=\"x\">") << QString() << QString();
}

void tst_MapReader::image()
{
    QFETCH(QByteArray, tag);
    QFETCH(QString, src);
    QFETCH(QString, resolved);
    const QString cwd = QDir::currentPath();
    ChtmlPage p;
    QCOMPARE(p.parsePage(startMarker + "\r\n" + tag + "\r\n" + endMarker,
                         m_dir.path() + "/site/page.htm"),
             ChtmlPage::Split::Done);
    QCOMPARE(p.imageSrc(), src);
    QCOMPARE(p.resolveImage(), resolved);
    QCOMPARE(QDir::currentPath(), cwd);
}

QTEST_GUILESS_MAIN(tst_MapReader)
#include "tst_mapreader.moc"
