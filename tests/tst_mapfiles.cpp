#include "app/endwindow.h"
#include "editor/areadialog.h"
#include "editor/frmmap.h"
#include "editor/mapee.h"
#include "markup/htmlpage.h"
#include "markup/markupwriter.h"
#include "markup/modopendlg.h"
#include "markup/modpreview.h"
#include "platform/screeninfo.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"
#include "support/scriptedendwindow.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <unistd.h>

using namespace tavlo;
using tavlo::test::RecordingPause;
using tavlo::test::RecordingPrompts;
using tavlo::test::ScriptedEndWindow;

namespace {

class ScriptedFileDialogs final : public FileDialogs {
public:
    QString showFileDialog(bool isOpen, int kind, const QString&) override
    {
        asked.append({isOpen, kind});
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    QStringList paths;
    QList<std::pair<bool, int>> asked;
};

class FakeBrowser final : public Browser {
public:
    QString findHandler() override { return handler; }
    bool open(const QString& file) override
    {
        opened.append(file);
        return starts;
    }
    QString handler = QStringLiteral("firefox.desktop");
    bool starts = true;
    QStringList opened;
};

class LinkDialog final : public AreaDialog {
public:
    QByteArray run(QByteArray& curHREF, QByteArray& curT, QByteArray& curAlt) override
    {
        curHREF = href;
        curT.clear();
        curAlt.clear();
        return href;
    }
    QByteArray href = "edited.htm";
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class tst_MapFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void saveReopenEditAndWriteBack();
    void savedFileKinds_data();
    void savedFileKinds();
    void failedSaveLosesNothing_data();
    void failedSaveLosesNothing();
    void missingImageIsAskedFor();
    void clipboardCarriesTheFileBytes();
    void drops_data();
    void drops();
    void closing();
    void preview_data();
    void preview();
    void keys_data();
    void keys();
    void keysWaitForAPicture();

private:
    void drawThreeAreas();
    QString picture(const QString& name);

    QTemporaryDir m_dir;
    RecordingPrompts m_prompts;
    RecordingPause m_pause;
    FixedScreen m_screen{QSize(1280, 1024)};
    ScriptedFileDialogs m_files;
    ScriptedEndWindow m_end;
    FakeBrowser m_browser;
    LinkDialog m_links;
    std::unique_ptr<frmMap> m_w;
};

void tst_MapFiles::init()
{
    m_prompts = {};
    m_pause = {};
    m_files = {};
    m_end = {};
    m_browser = {};
    m_w = std::make_unique<frmMap>(
        MapEnvironment{&m_prompts, &m_links, &m_pause, &m_screen, &m_files, &m_end, &m_browser});
    m_w->show();
}

void tst_MapFiles::cleanup()
{
    m_w.reset();
}

QString tst_MapFiles::picture(const QString& name)
{
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(QColor(200, 180, 90));
    const QString path = m_dir.filePath(name);
    image.save(path, "JPG");
    return path;
}

void tst_MapFiles::drawThreeAreas()
{
    QVERIFY(m_w->imgSpecs(picture("site.jpg")));
    AreaTools& t = m_w->tools();
    t.curShape = AreaTools::Rectangle;
    t.press(Qt::LeftButton, {10, 10});
    t.move(Qt::LeftButton, {60, 40});
    t.release(Qt::LeftButton, {60, 40});
    t.curShape = AreaTools::Circle;
    t.press(Qt::LeftButton, {150, 100});
    t.move(Qt::LeftButton, {180, 100});
    t.release(Qt::LeftButton, {180, 100});
    t.curShape = AreaTools::Polygon;
    for (QPointF p : {QPointF(200, 20), QPointF(280, 30), QPointF(250, 80), QPointF(202, 22)}) {
        t.press(Qt::LeftButton, p);
        t.release(Qt::LeftButton, p);
    }
    QCOMPARE(m_w->document().areaList().size(), 3);
}

void tst_MapFiles::saveReopenEditAndWriteBack()
{
    drawThreeAreas();
    // Latin-1, a NUL byte and a bare LF must all survive.
    const QByteArray before("<p>Caf\xe9 \0 before</p>\n", 21);
    const QString page = m_dir.filePath("page.htm");
    m_files.paths = {page};
    m_w->mnuFileSave2File_Click(1);
    QCOMPARE(m_end.shown, 1);
    QVERIFY(!m_w->document().hasUnsavedWork());
    const QByteArray saved = readAll(page);
    QVERIFY(saved.startsWith("<HTML>\r\n") && saved.endsWith("</HTML>\r\n"));

    // Someone edits the page around the map.
    const qsizetype body = saved.indexOf("<BODY>\r\n") + 8;
    writeAll(page, saved.left(body) + before + saved.mid(body));
    const QByteArray edited = readAll(page);

    // The map comes back area by area on its picture, which sits beside the page.
    QDir(m_dir.path()).mkdir("images");
    QFile::copy(m_dir.filePath("site.jpg"), m_dir.filePath("images/site.jpg"));
    m_pause.pauses.clear();
    m_files.paths = {page};
    m_w->mnuFileOpen_Click();
    QCOMPARE(m_w->document().areaList().size(), 3);
    QCOMPARE(m_pause.pauses, QList<int>({200, 200, 200}));
    QVERIFY(m_w->pageOpen());
    QCOMPARE(m_w->imgPath(), m_dir.filePath("images/site.jpg"));

    // The release of the click that closed the open dialog is swallowed.
    QVERIFY(m_w->tools().skipDrop);
    m_w->tools().release(Qt::LeftButton, {20, 20});
    m_w->tools().press(Qt::LeftButton, {20, 20});
    m_w->tools().release(Qt::LeftButton, {20, 20});
    QCOMPARE(m_w->document().hrefList().first(), QByteArray("edited.htm"));

    const QString copy = m_dir.filePath("page2.htm");
    m_files.paths = {copy};
    m_w->mnuFileSave2File_Click(3);
    const QByteArray written = readAll(copy);
    // Every byte outside the map is as it was; the map changed; one line break more.
    const qsizetype start = edited.indexOf("<!-- Tavlo start");
    const qsizetype end = edited.indexOf("<!-- end Tavlo") + 49;
    QCOMPARE(written.left(start), edited.left(start));
    QVERIFY(written.endsWith(edited.mid(end) + "\r\n"));
    QVERIFY(written.contains(R"(HREF="edited.htm">)"));
    QVERIFY(!m_w->pageOpen());
}

void tst_MapFiles::savedFileKinds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("TAVL") << 0 << "map.tavl";
    QTest::newRow("text") << 2 << "map.txt";
}

void tst_MapFiles::savedFileKinds()
{
    QFETCH(int, index);
    QFETCH(QString, name);
    drawThreeAreas();
    const QByteArray block = m_w->savedMapBlock();
    m_files.paths = {m_dir.filePath(name)};
    m_w->mnuFileSave2File_Click(index);
    QCOMPARE(readAll(m_dir.filePath(name)), block + "\r\n");
    QCOMPARE(m_files.asked.first(), std::make_pair(false, index));
}

void tst_MapFiles::failedSaveLosesNothing_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("a folder") << "a folder.htm";
    QTest::newRow("in a folder that is gone") << "gone/map.htm";
}

void tst_MapFiles::failedSaveLosesNothing()
{
    QFETCH(QString, target);
    drawThreeAreas();
    QDir(m_dir.path()).mkdir("a folder.htm");
    const QString path = m_dir.filePath(target);
    m_files.paths = {path};
    m_w->mnuFileSave2File_Click(1);
    QCOMPARE(m_end.shown, 0);
    QCOMPARE(m_w->document().areaList().size(), 3);
    QCOMPARE(m_prompts.shown.size(), 1);
    QCOMPARE(m_prompts.shown[0].texts[0], QStringLiteral("We have a problem..."));
    QVERIFY(m_prompts.shown[0].texts[1].endsWith(path));
    QVERIFY(!m_prompts.shown[0].texts[2].isEmpty());
}

void tst_MapFiles::missingImageIsAskedFor()
{
    drawThreeAreas();
    const QString map = m_dir.filePath("lost.tavl");
    m_files.paths = {map};
    m_w->mnuFileSave2File_Click(0); // addresses images/site.jpg, which is not there
    QFile::remove(m_dir.filePath("images/site.jpg"));

    m_prompts.alertAnswer = false;
    QVERIFY(!m_w->txtSpecs(map, "tavl"));
    QCOMPARE(m_prompts.shown.last().texts[0], QStringLiteral("Image path problem..."));

    m_prompts.alertAnswer = true;
    m_files.paths = {m_dir.filePath("site.jpg")};
    QVERIFY(m_w->txtSpecs(map, "tavl"));
    QCOMPARE(m_prompts.shown.last().texts[0], QStringLiteral("Keep in mind..."));
    QCOMPARE(m_files.asked.last(), std::make_pair(true, 1));
    QCOMPARE(m_w->document().areaList().size(), 3);
    QVERIFY(!m_w->pageOpen()); // a map file is no page to write back into
}

void tst_MapFiles::drops_data()
{
    QTest::addColumn<QStringList>("files"); // "" stands for a text drag
    QTest::addColumn<bool>("keep");         // the answer to "keep working?"
    QTest::addColumn<QString>("shown");     // the first prompt's kind, or ""
    QTest::addColumn<bool>("opened");
    QTest::newRow("one picture") << QStringList{"other.jpg"} << false << "alert" << true;
    QTest::newRow("unsaved work kept") << QStringList{"other.jpg"} << true << "alert" << false;
    QTest::newRow("two files") << QStringList{"other.jpg", "site.jpg"} << false << "msgSm" << false;
    QTest::newRow("not files") << QStringList{""} << false << "box" << false;
    QTest::newRow("a folder") << QStringList{"images"} << false << "msg" << false;
}

void tst_MapFiles::drops()
{
    QFETCH(QStringList, files);
    QFETCH(bool, keep);
    QFETCH(QString, shown);
    QFETCH(bool, opened);
    drawThreeAreas();
    picture("other.jpg");
    QDir(m_dir.path()).mkdir("images");
    QMimeData data;
    if (files == QStringList{""}) {
        data.setText("some words");
    } else {
        QList<QUrl> urls;
        for (const QString& f : files)
            urls << QUrl::fromLocalFile(m_dir.filePath(f));
        data.setUrls(urls);
    }
    m_prompts.alertAnswer = keep;
    m_w->mapee_OLEDragDrop(&data);
    QCOMPARE(m_prompts.shown.value(0).kind, shown);
    QCOMPARE(m_w->imgPath().endsWith("other.jpg"), opened);
    QCOMPARE(m_w->document().areaList().size(), opened ? 0 : 3);
    QCOMPARE(m_w->document().hrefList().size(), opened ? 0 : 3);
}

void tst_MapFiles::closing()
{
    drawThreeAreas();
    const QSize size = m_w->size();
    m_prompts.alertAnswer = true; // keep working
    QVERIFY(!m_w->close());
    QCOMPARE(m_w->size(), size);
    QCOMPARE(m_prompts.shown.last().texts[0], QStringLiteral("Your last chance..."));
    m_w->resize(500, 400); // still lays itself out
    QCOMPARE(m_w->mapee()->pos(), QPoint(36, 0));

    m_prompts.alertAnswer = false;
    m_pause.pauses.clear();
    QVERIFY(m_w->close());
    QCOMPARE(m_w->windowTitle(), QStringLiteral("   ...later"));
    QCOMPARE(m_pause.pauses, QList<int>{300});
    QVERIFY(m_pause.eventRuns > 0);
}

void tst_MapFiles::preview_data()
{
    QTest::addColumn<QString>("handler");
    QTest::addColumn<bool>("starts");
    QTest::addColumn<bool>("writable"); // the temporary folder
    QTest::addColumn<QString>("headline");
    QTest::newRow("shown") << "firefox.desktop" << true << true << "";
    QTest::newRow("no browser") << "" << true << true << "Browser not found...";
    QTest::newRow("start fails") << "x" << false << true << "URL failed...";
    QTest::newRow("page cannot be written")
        << "x" << true << false << "Browser initialization failed.";
}

void tst_MapFiles::preview()
{
    QFETCH(QString, handler);
    QFETCH(bool, starts);
    QFETCH(bool, writable);
    QFETCH(QString, headline);
    drawThreeAreas();
    m_browser.handler = handler;
    m_browser.starts = starts;
    const bool tmpSet = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray tmp = qgetenv("TMPDIR");
    if (!writable) {
        // A file, not a folder: nothing can be made in it, by root neither.
        writeAll(m_dir.filePath("not a folder"), "x");
        qputenv("TMPDIR", QFile::encodeName(m_dir.filePath("not a folder")));
    }
    m_end.choice = EndChoice::Preview;
    m_files.paths = {m_dir.filePath("p.htm")};
    m_w->mnuFileSave2File_Click(1);
    if (tmpSet)
        qputenv("TMPDIR", tmp);
    else
        qunsetenv("TMPDIR");

    QCOMPARE(m_prompts.shown.value(0).texts.value(0), headline);
    QCOMPARE(m_browser.opened.size(), writable && !handler.isEmpty() ? 1 : 0);
    if (!headline.isEmpty())
        return;
    const QByteArray page = readAll(m_browser.opened.first());
    QCOMPARE(page, m_w->htmlOut() + "\r\n");
    // The picture is addressed by a URL that leads to the picture itself.
    const QByteArray src = page.mid(page.indexOf("<img src=\"") + 10).split('"').first();
    QCOMPARE(QUrl::fromEncoded(src, QUrl::StrictMode).toLocalFile(), m_w->imgPath());
}

void tst_MapFiles::clipboardCarriesTheFileBytes()
{
    // A page whose links hold Latin-1 bytes (and one only Windows-1252 knows).
    QDir(m_dir.path()).mkdir("images");
    picture("images/site.jpg");
    const QByteArray area =
        "<AREA SHAPE=\"rect\" COORDS=\"10, 10, 60, 40\" HREF=\"caf\xe9.htm\" ALT=\"\x80 cr\xe8me";
    const QString page = m_dir.filePath("latin.htm");
    writeAll(page, "<p>caf\xe9</p>\r\n" +
                       mapBlock(savedImageFolder, imageMarkup("site.jpg", 300, 200), {area}) +
                       "\r\n");
    QVERIFY(m_w->txtSpecs(page, ".htm"));
    m_w->cmdMake_Click();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QByteArray plain = data->data("text/plain");
    const QString text = QGuiApplication::clipboard()->text();

    QVERIFY(m_w->txtSpecs(page, ".htm"));
    m_files.paths = {m_dir.filePath("latin.tavl")};
    m_w->mnuFileSave2File_Click(0);
    QCOMPARE(plain + "\r\n", readAll(m_dir.filePath("latin.tavl")));
    QVERIFY(plain.contains("caf\xe9.htm"));
    QVERIFY(text.contains(QString::fromUtf8("caf\xc3\xa9.htm\" ALT=\"\xe2\x82\xac cr\xc3\xa8me")));
}

void tst_MapFiles::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<MsgAnswer>("answer"); // to the clipboard question
    QTest::addColumn<QString>("prompt");   // the first prompt's title or headline, or ""
    QTest::addColumn<int>("dialogKind");   // the file dialog asked for, or -1
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("clears"); // skipMouse
    QTest::newRow("F5 answered Yes")
        << int(Qt::Key_F5) << 0 << MsgAnswer::Yes << "Confirm Clipboard:" << -1 << true << true;
    QTest::newRow("F5 answered No")
        << int(Qt::Key_F5) << 0 << MsgAnswer::No << "Confirm Clipboard:" << -1 << false << false;
    QTest::newRow("F6") << int(Qt::Key_F6) << 0 << MsgAnswer::No << "" << 0 << true << true;
    QTest::newRow("Shift+F6 is F6")
        << int(Qt::Key_F6) << int(Qt::ShiftModifier) << MsgAnswer::No << "" << 0 << true << true;
    QTest::newRow("F7") << int(Qt::Key_F7) << 0 << MsgAnswer::No << "" << 1 << true << true;
    QTest::newRow("F8") << int(Qt::Key_F8) << 0 << MsgAnswer::No << "" << 2 << true << true;
    QTest::newRow("F9 without a page")
        << int(Qt::Key_F9) << 0 << MsgAnswer::No << "Tavlo Note" << -1 << false << true;
    QTest::newRow("F2 opens") << int(Qt::Key_F2) << 0 << MsgAnswer::No << "Your last chance..." << 0
                              << false << true;
    QTest::newRow("F3 does nothing")
        << int(Qt::Key_F3) << 0 << MsgAnswer::No << "" << -1 << false << false;
    QTest::newRow("F10 does nothing")
        << int(Qt::Key_F10) << 0 << MsgAnswer::No << "" << -1 << false << false;
}

void tst_MapFiles::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(MsgAnswer, answer);
    QFETCH(QString, prompt);
    QFETCH(int, dialogKind);
    QFETCH(bool, saved);
    QFETCH(bool, clears);
    drawThreeAreas();
    m_prompts.boxAnswer = answer;
    m_prompts.alertAnswer = false; // go on when asked to keep working
    m_files.paths = {m_dir.filePath("keyed.out")};
    m_w->tools().skipMouse = true;
    QTest::keyClick(m_w->mapee(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(m_prompts.shown.isEmpty() ? QString() : m_prompts.shown[0].texts[0], prompt);
    QCOMPARE(m_files.asked.isEmpty() ? -1 : m_files.asked[0].second, dialogKind);
    QCOMPARE(m_end.shown, saved ? 1 : 0);
    QCOMPARE(m_w->document().hasUnsavedWork(), !saved);
    QCOMPARE(m_w->tools().skipMouse, !clears);
}

void tst_MapFiles::keysWaitForAPicture()
{
    for (int key : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F9}) {
        QTest::keyClick(m_w.get(), Qt::Key(key));
        QVERIFY(m_prompts.shown.isEmpty());
        QVERIFY(m_files.asked.isEmpty());
    }
    m_prompts.alertAnswer = false;
    QTest::keyClick(m_w.get(), Qt::Key_Escape);
    QVERIFY(!m_w->isVisible());
}

QTEST_MAIN(tst_MapFiles)
#include "tst_mapfiles.moc"
