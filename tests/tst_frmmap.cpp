#include "editor/areadialog.h"
#include "editor/frmmap.h"
#include "editor/mapee.h"
#include "editor/windowlayout.h"
#include "platform/screeninfo.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"
#include "support/scriptedendwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

using namespace tavlo;
using tavlo::test::RecordingPause;
using tavlo::test::RecordingPrompts;

namespace {

// Answers the area dialog from a queue, the way a user would fill it in.
class ScriptedAreaDialog final : public AreaDialog {
public:
    struct Answer {
        QByteArray href, target, alt;
        bool remove = false;
        bool cancel = false;
    };
    QByteArray run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt) override
    {
        shownWith.append(curHREF);
        const Answer a = answers.isEmpty() ? Answer{{}, {}, {}, false, true} : answers.takeFirst();
        if (a.cancel)
            return {};
        if (a.remove)
            return deleteAnswer;
        if (a.href != defaultHref)
            curHREF = a.href;
        curT = a.target;
        curAlt = a.alt;
        return recordTail(a.href, a.target, a.alt);
    }
    QList<Answer> answers;
    QList<QByteArray> shownWith;
};

} // namespace

class tst_FrmMap : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fit_data();
    void fit();
    void startsWithTheSplash();
    void loadingFitsTheWindow();
    void widePictureScrolls();
    void decodedSizeStandsInForAMissingHeaderSize();
    void clipboardNotes();
    void clipboardGetsTheMapBlock();
    void drawEditDeleteAndCopy();
    void deletingRestoresThePicture();
    void cancelChangesNothing();
    void popupMenuEnablesWhatCanBeDone();

private:
    void drag(QPoint from, QList<QPoint> through, QPoint to);
    void click(QPoint at);
    QString picture(const QString& name, QSize size, const char* format = "JPG");
    frmMap* makeWindow();

    QTemporaryDir m_dir;
    RecordingPrompts m_prompts;
    RecordingPause m_pause;
    ScriptedAreaDialog m_dialog;
    test::ScriptedEndWindow m_end;
    FixedScreen m_screen{QSize(1024, 768)};
    std::unique_ptr<frmMap> m_window;
};

QString tst_FrmMap::picture(const QString& name, QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    const QString path = m_dir.filePath(name);
    if (!image.save(path, format))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

frmMap* tst_FrmMap::makeWindow()
{
    m_prompts.shown.clear();
    m_dialog.answers.clear();
    m_dialog.shownWith.clear();
    m_window = std::make_unique<frmMap>(
        MapEnvironment{&m_prompts, &m_dialog, &m_pause, &m_screen, nullptr, &m_end});
    m_window->show();
    return m_window.get();
}

void tst_FrmMap::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_FrmMap::fit_data()
{
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<bool>("moved");
    QTest::addColumn<QSize>("twips");
    // 1530 x 1230 twips fits; the strip raises the height to 3000 + 500.
    QTest::newRow("100 x 80 picture") << QSize(102, 82) << false << QSize(2415, 3500);
    QTest::newRow("2000 x 1000 picture is too wide")
        << QSize(2002, 1002) << true << QSize(1024 * 15 - 500, 768 * 15 - 500);
    QTest::newRow("ratio exactly 1.3 is judged by its height")
        << QSize(962, 740) << true << QSize(14860, 11020);
    QTest::newRow("ratio above 1.3 is judged by its width")
        << QSize(963, 740) << false << QSize(963 * 15 + 885, 740 * 15 + 600);
    QTest::newRow("splash") << QSize(502, 302) << false << QSize(8415, 5130);
}

void tst_FrmMap::fit()
{
    QFETCH(QSize, canvas);
    QFETCH(bool, moved);
    QFETCH(QSize, twips);
    const WindowFit f = fitWindow(canvas, QSize(1024, 768));
    QCOMPARE(f.moveToOrigin, moved);
    QCOMPARE(QSize(f.widthTwips, f.heightTwips), twips);
}

void tst_FrmMap::startsWithTheSplash()
{
    frmMap* w = makeWindow();
    QVERIFY(!w->imageLoaded());
    QCOMPARE(w->windowTitle(), QStringLiteral("Tavlo"));
    QCOMPARE(w->mapee()->outerSize(), QSize(502, 302));
    QCOMPARE(w->mapee()->pos(), QPoint(36, 0));
    const WindowLayout design = layoutWindow(QSize(553, 316), QSize(502, 302));
    QCOMPARE(design.hscrollMax, -4);
    QCOMPARE(design.vscrollMax, -1);
    QVERIFY(!w->findChild<QScrollBar*>("HScroll1")->isVisible());
    QVERIFY(!w->findChild<QScrollBar*>("VScroll1")->isVisible());
    QCOMPARE(w->imgPath(), QDir::homePath() + '/');
}

void tst_FrmMap::loadingFitsTheWindow()
{
    frmMap* w = makeWindow();
    QVERIFY(w->imgSpecs(picture("small.jpg", QSize(100, 80))));
    QVERIFY(w->imageLoaded());
    QCOMPARE(w->size(), QSize(161, 233));
    QCOMPARE(w->mapee()->outerSize(), QSize(102, 82));
    QVERIFY(!w->findChild<QScrollBar*>("HScroll1")->isVisible());
    const QByteArray tag = R"(small.jpg" width=100 height=80 border=0 USEMAP="#small">)";
    QCOMPARE(w->imageTags().imgTag, tag);
    QVERIFY(m_prompts.shown.isEmpty());
}

void tst_FrmMap::widePictureScrolls()
{
    frmMap* w = makeWindow();
    w->move(200, 100);
    QVERIFY(w->imgSpecs(picture("wide.jpg", QSize(2000, 1000))));
    QCOMPARE(w->pos(), QPoint(0, 0));
    QCOMPARE(w->size(), QSize(991, 735)); // 14860 x 11020 twips
    auto* h = w->findChild<QScrollBar*>("HScroll1");
    auto* v = w->findChild<QScrollBar*>("VScroll1");
    QVERIFY(h->isVisible() && v->isVisible());
    QCOMPARE(h->maximum(), 2002 - (991 - 13 - 36) - 2);
    QCOMPARE(v->maximum(), 1002 - v->height());

    h->setValue(100);
    v->setValue(40);
    QCOMPARE(w->mapee()->pos(), QPoint(36 - 100, -40));
    // A resize by hand brings the canvas home; the bars keep their positions.
    w->resize(900, 700);
    QCOMPARE(w->mapee()->pos(), QPoint(36, 0));
    QCOMPARE(h->value(), 100);
    QCOMPARE(v->value(), 40);
}

void tst_FrmMap::decodedSizeStandsInForAMissingHeaderSize()
{
    // A picture whose kind the header reader does not know: the decoder still
    // opens it, and the tag must not say 0 x 0.
    frmMap* w = makeWindow();
    QVERIFY(w->imgSpecs(picture("portable.gif", QSize(64, 48), "PPM")));
    QVERIFY(w->imageTags().imgTag.contains(" width=64 height=48 "));
}

void tst_FrmMap::clipboardNotes()
{
    frmMap* w = makeWindow();
    w->cmdMake_Click();
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown[0].texts,
             QStringList({"Tavlo Note", "You have to map something to save, first."}));
    QCOMPARE(m_prompts.lastIcon, MsgIcon::Information);

    QVERIFY(w->imgSpecs(picture("empty.jpg", QSize(40, 30))));
    m_prompts.shown.clear();
    w->cmdMake_Click();
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown[0].texts[1],
             QStringLiteral("You have to map an area before you can save to the ClipBoard.\r\n\r\n"
                            ">>> If you have the image you want loaded, simply choose a shape\r\n"
                            "        from the buttons above and begin to draw.\r\n\r\n"
                            ">>> If not, drag an image file onto the Tavlo screen to begin."));
}

void tst_FrmMap::clipboardGetsTheMapBlock()
{
    frmMap* w = makeWindow();
    picture("logo.jpg", QSize(120, 60));
    // Named relative to the current folder, as on a command line.
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
    QVERIFY(w->imgSpecs("logo.jpg"));
    w->document().addArea(rectArea(10, 10, 50, 40));
    w->document().addAreaDefaults();
    const QByteArray block = w->savedMapBlock();
    w->cmdMake_Click();

    QCOMPARE(QApplication::clipboard()->text().toUtf8(), block);
    QVERIFY(block.contains("\r\n<AREA SHAPE=\"rect\" COORDS=\"10, 10, 50, 40\" HREF=\"\">\r\n"));
    // A save empties the document; the preview addresses the picture by its folder.
    QVERIFY(!w->document().hasUnsavedWork());
    QVERIFY(w->document().hrefList().isEmpty());
    QVERIFY(w->imageLoaded());
    const QByteArray src =
        "<img src=\"" + QUrl::fromLocalFile(m_dir.path()).toEncoded() + "/logo.jpg\"";
    QVERIFY(w->htmlOut().contains(src));
    QVERIFY(w->htmlOut().startsWith("<HTML>\r\n"));
    QDir::setCurrent(before);
}

// Mouse positions are in picture pixels; the canvas has a 1-pixel border.
void tst_FrmMap::drag(QPoint from, QList<QPoint> through, QPoint to)
{
    QWidget* canvas = m_window->mapee();
    const QPoint b(1, 1);
    QTest::mousePress(canvas, Qt::LeftButton, {}, from + b);
    for (const QPoint& p : through)
        QTest::mouseMove(canvas, p + b);
    QTest::mouseMove(canvas, to + b);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, to + b);
}

void tst_FrmMap::click(QPoint at)
{
    QTest::mouseClick(m_window->mapee(), Qt::LeftButton, {}, at + QPoint(1, 1));
}

void tst_FrmMap::drawEditDeleteAndCopy()
{
    frmMap* w = makeWindow();
    QVERIFY(w->imgSpecs(picture("logo.jpg", QSize(400, 300))));
    auto pressTool = [&](const char* name) { w->findChild<QToolButton*>(name)->click(); };

    pressTool("cmdSquare");
    drag({20, 20}, {{60, 40}}, {100, 80});
    pressTool("cmdCircle");
    drag({200, 100}, {{220, 110}}, {230, 140}); // radius 50
    pressTool("cmdPoly");
    for (QPoint p : {QPoint(50, 150), QPoint(120, 140), QPoint(150, 200), QPoint(100, 260),
                     QPoint(40, 220), QPoint(52, 153)})
        click(p);
    QCOMPARE(w->document().areaList().size(), 3);

    m_dialog.answers = {{"a.htm", "", ""},
                        {"b.htm", "_blank", "The \"ball\""},
                        {"c.htm", "", "Five"},
                        {{}, {}, {}, true}};
    click({50, 50});
    click({200, 100});
    click({100, 200});
    click({60, 60}); // the rectangle again: delete it
    QCOMPARE(m_dialog.shownWith, QList<QByteArray>({"#", "#", "#", "a.htm"}));

    w->cmdMake_Click();
    const QByteArray expected =
        startMarker + "\r\n" +
        R"(<img src="images/logo.jpg" width=400 height=300 border=0 USEMAP="#logo">)" + "\r\n\r\n" +
        creditComment + "\r\n" + R"(<MAP NAME="logo">)" + "\r\n" +
        R"(<AREA SHAPE="circle" COORDS="200, 100, 50" HREF="b.htm" Target="_blank" ALT="The &quot;ball&quot;">)" +
        "\r\n" +
        R"(<AREA SHAPE="poly" COORDS="50, 150, 120, 140, 150, 200, 100, 260, 40, 220" HREF="c.htm" ALT="Five">)" +
        "\r\n</MAP>\r\n" + endMarker;
    QCOMPARE(QApplication::clipboard()->text().toUtf8(), expected);
}

void tst_FrmMap::deletingRestoresThePicture()
{
    frmMap* w = makeWindow();
    QVERIFY(w->imgSpecs(picture("plain.jpg", QSize(300, 200))));
    const QImage before = w->mapee()->picture();
    for (const char* tool : {"cmdSquare", "cmdCircle"}) {
        w->findChild<QToolButton*>(tool)->click();
        drag({100, 100}, {{120, 110}, {140, 130}}, {143, 131});
        QCOMPARE(w->document().areaList().size(), 1);
        QVERIFY(w->mapee()->picture() != before);
        m_dialog.answers = {{{}, {}, {}, true}};
        click({110, 105});
        QVERIFY(w->document().areaList().isEmpty());
        QCOMPARE(w->mapee()->picture(), before);
    }
}

void tst_FrmMap::cancelChangesNothing()
{
    frmMap* w = makeWindow();
    QVERIFY(w->imgSpecs(picture("plain.jpg", QSize(300, 200))));
    drag({10, 10}, {}, {100, 100});
    m_dialog.answers = {{"x.htm", "", ""}, {{}, {}, {}, false, true}, {"y.htm", "top", ""}};
    click({50, 50});
    const QByteArray edited = w->document().areaList().first();
    const QImage picture = w->mapee()->picture();
    click({50, 50});
    QCOMPARE(w->document().areaList().first(), edited);
    QCOMPARE(w->document().hrefList().first(), QByteArray("x.htm"));
    QCOMPARE(w->mapee()->picture(), picture);
    QCOMPARE(w->tools().radius, 0.0f);
    click({50, 50}); // a second edit replaces the whole tail
    const QByteArray tail = R"(HREF="y.htm" Target="top)";
    QVERIFY(w->document().areaList().first().endsWith(tail));
}

void tst_FrmMap::popupMenuEnablesWhatCanBeDone()
{
    frmMap* w = makeWindow();
    QVERIFY(w->imgSpecs(picture("plain.jpg", QSize(300, 200))));
    auto* menu = w->findChild<QMenu*>("mnuFile");
    QStringList enabled;
    auto popUp = [&] {
        enabled.clear();
        QTimer::singleShot(0, menu, [&] {
            for (QAction* a : menu->actions())
                if (a->isEnabled() && !a->isSeparator())
                    enabled << a->objectName();
            menu->close();
        });
        QTest::mouseClick(w->mapee(), Qt::RightButton, {}, QPoint(50, 50));
    };
    popUp();
    QCOMPARE(enabled, QStringList({"mnuFileOpen", "mnuFileHelp", "mnuFileDelete", "mnuFileClose"}));
    drag({10, 10}, {}, {100, 100});
    popUp();
    QCOMPARE(enabled,
             QStringList({"mnuFileOpen", "mnuFileSave1", "mnuFileSave2File0", "mnuFileSave2File1",
                          "mnuFileSave2File2", "mnuFileHelp", "mnuFileDelete", "mnuFileClose"}));
    // The release after the popup only clears skipMouse; then clicks work again.
    QVERIFY(!w->tools().skipMouse);
}

QTEST_MAIN(tst_FrmMap)
#include "tst_frmmap.moc"
