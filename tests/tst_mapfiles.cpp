#include "editor/mapee.h"
#include "platform/filewrite.h"
#include "platform/utf8text.h"
#include "support/drawing.h"
#include "support/files.h"
#include "support/mapwindow.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <optional>

using namespace tavlo;
using namespace tavlo::test;

class tst_MapFiles : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MapWindow> m_e;

    frmMap& w() { return m_e->w; }
    QString picture(const QString& name) { return savePicture(m_dir.filePath(name)); }

    void drawThreeAreas()
    {
        QVERIFY(w().imgSpecs(picture("site.jpg")));
        AreaTools& t = w().tools();
        t.shapeChosen(AreaTools::Rectangle);
        drag(t, {{10, 10}, {60, 40}, {60, 40}});
        t.shapeChosen(AreaTools::Circle);
        drag(t, {{150, 100}, {180, 100}, {180, 100}});
        t.shapeChosen(AreaTools::Polygon);
        clickEach(t, {{200, 20}, {280, 30}, {250, 80}, {202, 22}});
        QCOMPARE(w().document().areaList().size(), 3);
    }

    // The picture where a saved page looks for it: in images/ beside the page.
    void pictureBesideThePage()
    {
        QDir(m_dir.path()).mkdir("images");
        QFile::copy(m_dir.filePath("site.jpg"), m_dir.filePath("images/site.jpg"));
    }

private slots:
    void init() { m_e = std::make_unique<MapWindow>(); }
    void cleanup() { m_e.reset(); }

    // A map saved as a page, the page edited around it and opened again: the map is
    // written back with every byte outside it kept, unless the page changed once more
    // since it was opened, which writing back would undo.
    void writeBack_data()
    {
        QTest::addColumn<QByteArray>("above"); // put before the page while it is open
        QTest::addColumn<bool>("gone");
        QTest::newRow("unchanged") << QByteArray() << false;
        QTest::newRow("edited") << QByteArray("<p>new</p>\r\n") << false;
        QTest::newRow("gone") << QByteArray() << true;
    }

    void writeBack()
    {
        QFETCH(QByteArray, above);
        QFETCH(bool, gone);
        drawThreeAreas();
        const QString page = m_dir.filePath("page.htm");
        m_e->save(SaveKind::Html, page);
        QCOMPARE(m_e->end.shown, 1);
        const QByteArray saved = readAll(page);
        // Latin-1, a NUL byte and a bare LF must all survive.
        const qsizetype body = saved.indexOf("<BODY>\r\n") + 8;
        const QByteArray edited =
            saved.left(body) + QByteArray("<p>Caf\xe9 \0 before</p>\n", 21) + saved.mid(body);
        writeAll(page, edited);

        // The map comes back area by area on its picture, which sits beside the page.
        pictureBesideThePage();
        m_e->pause.pauses.clear();
        m_e->open(page);
        QCOMPARE(w().document().areaList().size(), 3);
        QCOMPARE(m_e->pause.pauses, QList<int>({200, 200, 200}));
        QVERIFY(w().session().pageOpen());
        QCOMPARE(w().imgPath(), m_dir.filePath("images/site.jpg"));
        // The release of the click that closed the open dialog is swallowed.
        m_e->dialog.answers = {{"edited.htm", {}, {}}};
        QVERIFY(w().tools().dropSkipped());
        w().tools().release(Qt::LeftButton, {20, 20});
        clickEach(w().tools(), {{20, 20}});
        QCOMPARE(w().document().hrefList().first(), QByteArray("edited.htm"));

        if (gone)
            QVERIFY(QFile::remove(page));
        else
            writeAll(page, above + edited);
        const QByteArray before = readAll(page);
        m_e->end.shown = 0;
        m_e->files.paths = {page};
        w().Form_KeyDown(Qt::Key_F9);
        const bool changed = gone || !above.isEmpty();
        QCOMPARE(m_e->end.shown, changed ? 0 : 1);
        QCOMPARE(QFile::exists(page), !gone);
        QCOMPARE(w().session().pageOpen(), changed);
        if (changed) {
            QCOMPARE(readAll(page), before);
            QCOMPARE(w().document().areaList().size(), 3);
            QCOMPARE(m_e->said(), QStringList{shownAs({Message::PageChanged, {page}})});
            return;
        }
        // Every byte outside the map is as it was; the map changed; one line break more.
        const QByteArray written = readAll(page);
        const qsizetype start = edited.indexOf(startMarker);
        const qsizetype end = edited.indexOf(endMarker) + endMarker.size();
        QCOMPARE(written.left(start), edited.left(start));
        QVERIFY(written.endsWith(edited.mid(end) + "\r\n"));
        QVERIFY(written.contains("HREF=\"edited.htm\">"));
    }

    void failedSaveLosesNothing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("failingStep"); // a WriteStep, or -1 for none
        QTest::addColumn<QString>("reason");  // a word of the message's last line
        QTest::newRow("a folder") << "a folder.htm" << -1 << "folder";
        QTest::newRow("in a folder that is gone") << "gone/map.htm" << -1 << "No such file";
        // Every failing step of the write is tst_platform's; the window tells of any alike.
        QTest::newRow("disk full")
            << "old.htm" << int(WriteStep::Rename) << "No space left on device";
    }

    void failedSaveLosesNothing()
    {
        QFETCH(QString, target);
        QFETCH(int, failingStep);
        drawThreeAreas();
        QTemporaryDir out;
        QDir(out.path()).mkdir("a folder.htm");
        writeAll(out.filePath("old.htm"), "old page");
        const QString path = out.filePath(target);
        if (failingStep >= 0)
            simulateWriteFailure(WriteStep(failingStep));
        m_e->save(SaveKind::Html, path);
        simulateWriteFailure(std::nullopt);
        QCOMPARE(readAll(out.filePath("old.htm")), QByteArray("old page"));
        QCOMPARE(m_e->end.shown, 0);
        QCOMPARE(w().document().areaList().size(), 3);
        // The system's words for the fault make the message's last line.
        const QString said = m_e->prompts.shown.value(0).texts.value(2);
        QCOMPARE(m_e->said(), QStringList{shownAs({Message::SaveFailed, {path, said}})});
        QFETCH(QString, reason);
        QVERIFY2(said.contains(reason), qPrintable(said));
        // No half-written file is left behind, in the folder or beside it.
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"a folder.htm", "old.htm"}));
        QVERIFY(QDir(out.filePath("a folder.htm")).isEmpty());
    }

    // A picture deleted while its map is open: the save is kept, the reload after it says
    // why it failed, and no outline, tint or unfinished polygon stays on the canvas.
    void pictureGoneBeforeTheReload()
    {
        drawThreeAreas();
        const QImage clean =
            QImage(m_dir.filePath("site.jpg")).convertToFormat(QImage::Format_RGB32);
        clickEach(w().tools(), {{20, 150}, {90, 160}, {60, 190}});
        QVERIFY(QFile::remove(m_dir.filePath("site.jpg")));
        m_e->files.paths = {m_dir.filePath("map.tavl")};
        w().Form_KeyDown(Qt::Key_F6);
        QVERIFY(readAll(m_dir.filePath("map.tavl")).contains("COORDS="));
        QCOMPARE(m_e->end.shown, 1);
        const Note gone{Message::CouldNotOpen, {m_dir.filePath("site.jpg")}};
        QCOMPARE(m_e->said(), QStringList{shownAs(gone)});
        QCOMPARE(w().mapee()->picture(), clean);
        QVERIFY(!w().document().hasUnsavedWork());
    }

    void drops_data()
    {
        QTest::addColumn<QStringList>("files"); // "" stands for a text drag
        QTest::addColumn<bool>("keep");         // the answer to "keep working?"
        QTest::addColumn<QString>("shown");     // the first prompt's kind, or ""
        QTest::addColumn<bool>("opened");
        QTest::newRow("one picture") << QStringList{"other.jpg"} << false << "alert" << true;
        QTest::newRow("unsaved work kept") << QStringList{"other.jpg"} << true << "alert" << false;
        QTest::newRow("two files")
            << QStringList{"other.jpg", "site.jpg"} << false << "msgSm" << false;
        QTest::newRow("not files") << QStringList{""} << false << "box" << false;
        QTest::newRow("a folder") << QStringList{"images"} << false << "msg" << false;
    }

    void drops()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, opened);
        drawThreeAreas();
        picture("other.jpg");
        QDir(m_dir.path()).mkdir("images");
        QMimeData data;
        if (files == QStringList{""})
            data.setText("some words");
        for (const QString& f : files)
            if (!f.isEmpty())
                data.setUrls(data.urls() << QUrl::fromLocalFile(m_dir.filePath(f)));
        QFETCH(bool, keep);
        m_e->prompts.alertAnswer = keep;
        w().mapee_OLEDragDrop(&data);
        QTEST(m_e->prompts.shown.value(0).kind, "shown");
        QCOMPARE(w().imgPath().endsWith("other.jpg"), opened);
        QCOMPARE(w().document().areaList().size(), opened ? 0 : 3);
        QCOMPARE(w().document().hrefList().size(), opened ? 0 : 3);
    }

    void closing()
    {
        drawThreeAreas();
        const QSize size = w().size();
        m_e->prompts.alertAnswer = true; // keep working
        QVERIFY(!w().close());
        QCOMPARE(w().size(), size);
        QCOMPARE(m_e->said().last(), shownAs({Message::UnsavedWork, {}}));
        w().resize(500, 400); // still lays itself out
        QCOMPARE(w().mapee()->pos(), QPoint(36, 0));

        m_e->prompts.alertAnswer = false;
        m_e->pause.pauses.clear();
        QVERIFY(w().close());
        QCOMPARE(w().windowTitle(), QStringLiteral("   ...later"));
        QCOMPARE(m_e->pause.pauses, QList<int>{300});
        QVERIFY(m_e->pause.eventRuns > 0);
    }

    void preview_data()
    {
        QTest::addColumn<QString>("handler");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<bool>("writable"); // the temporary folder
        QTest::addColumn<QString>("said");  // the message, "" for none
        const auto said = [](Message m) { return shownAs({m, {}}); };
        QTest::newRow("shown") << "firefox.desktop" << true << true << QString();
        QTest::newRow("no browser") << "" << true << true << said(Message::NoBrowser);
        QTest::newRow("start fails") << "x" << false << true << said(Message::UrlFailed);
        QTest::newRow("page cannot be written")
            << "x" << true << false << said(Message::PreviewNotWritten);
    }

    void preview()
    {
        QFETCH(QString, handler);
        QFETCH(bool, starts);
        QFETCH(bool, writable);
        QFETCH(QString, said);
        drawThreeAreas();
        m_e->browser.handler = handler;
        m_e->browser.starts = starts;
        m_e->end.choice = EndChoice::Preview;
        {
            std::optional<ScopedEnv> tmp;
            if (!writable) {
                // A file, not a folder: nothing can be made in it, by root neither.
                writeAll(m_dir.filePath("not a folder"), "x");
                tmp.emplace("TMPDIR", QFile::encodeName(m_dir.filePath("not a folder")));
            }
            m_e->save(SaveKind::Html, m_dir.filePath("p.htm"));
        }
        QCOMPARE(m_e->said().value(0), said);
        QCOMPARE(m_e->browser.opened.size(), writable && !handler.isEmpty() ? 1 : 0);
        if (!said.isEmpty())
            return;
        const QByteArray page = readAll(m_e->browser.opened.first());
        QCOMPARE(page, w().session().htmlOut() + "\r\n");
        // The picture is addressed by a URL that leads to the picture itself.
        const QByteArray src = page.mid(page.indexOf("<img src=\"") + 10).split('"').first();
        QCOMPARE(QUrl::fromEncoded(src, QUrl::StrictMode).toLocalFile(), w().imgPath());
    }

    void clipboardCarriesTheFileText()
    {
        // A page whose links hold Latin-1 bytes (and one only Windows-1252 knows).
        QDir(m_dir.path()).mkdir("images");
        picture("images/site.jpg");
        const QByteArray area = "<AREA SHAPE=\"rect\" COORDS=\"10, 10, 60, 40\" "
                                "HREF=\"caf\xe9.htm\" ALT=\"\x80 cr\xe8me";
        const QString page = m_dir.filePath("latin.htm");
        writeAll(page, "<p>caf\xe9</p>\r\n" +
                           mapBlock(savedImageFolder, imageMarkup("site.jpg", 300, 200), {area}) +
                           "\r\n");
        QVERIFY(w().txtSpecs(page, ".htm"));
        w().cmdMake_Click();
        const QByteArray plain = QGuiApplication::clipboard()->mimeData()->data("text/plain");

        QVERIFY(w().txtSpecs(page, ".htm"));
        m_e->save(SaveKind::Tavl, m_dir.filePath("latin.tavl"));
        const QByteArray saved = readAll(m_dir.filePath("latin.tavl"));
        QVERIFY(saved.contains("caf\xe9.htm"));
        // The file's characters, as UTF-8.
        QCOMPARE(plain + "\r\n", utf8Of(saved));
        QVERIFY(plain.contains("caf\xc3\xa9.htm\" ALT=\"\xe2\x82\xac cr\xc3\xa8me"));
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<MsgAnswer>("answer"); // to the clipboard question
        QTest::addColumn<QString>("prompt");   // the first message, or ""
        QTest::addColumn<int>("dialogKind");   // the file dialog asked for, or -1
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("clears"); // skipMouse
        const auto row = [](const char* name, Qt::Key key, MsgAnswer answer, const QString& prompt,
                            int dialogKind, bool saved, bool clears, int modifiers = 0) {
            QTest::newRow(name) << int(key) << modifiers << answer << prompt << dialogKind << saved
                                << clears;
        };
        const MsgAnswer yes = MsgAnswer::Yes, no = MsgAnswer::No;
        const int open = int(FileDialogFor::OpenFile), tavl = int(FileDialogFor::SaveTavl);
        const QString confirm = shownAs({Message::ConfirmClipboard, {}});
        row("F5 answered Yes", Qt::Key_F5, yes, confirm, -1, true, true);
        row("F5 answered No", Qt::Key_F5, no, confirm, -1, false, false);
        row("F6", Qt::Key_F6, no, "", tavl, true, true);
        row("Shift+F6 is F6", Qt::Key_F6, no, "", tavl, true, true, Qt::ShiftModifier);
        row("F8", Qt::Key_F8, no, "", int(FileDialogFor::SaveText), true, true);
        row("F9 without a page", Qt::Key_F9, no, shownAs({Message::NoOpenedPage, {}}), -1, false,
            true);
        row("F2 opens", Qt::Key_F2, no, shownAs({Message::UnsavedWork, {}}), open, false, true);
        row("F10 does nothing", Qt::Key_F10, no, "", -1, false, false);
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, saved);
        QFETCH(bool, clears);
        drawThreeAreas();
        m_e->prompts.boxAnswer = answer;
        m_e->prompts.alertAnswer = false; // go on when asked to keep working
        m_e->files.paths = {m_dir.filePath("keyed.out")};
        w().tools().menuPopping();
        QTest::keyClick(w().mapee(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(m_e->said().value(0), "prompt");
        QTEST(m_e->files.asked.isEmpty() ? -1 : int(m_e->files.asked[0]), "dialogKind");
        QCOMPARE(m_e->end.shown, saved ? 1 : 0);
        QCOMPARE(w().document().hasUnsavedWork(), !saved);
        QCOMPARE(w().tools().mouseSkipped(), !clears);
    }

    void keysWaitForAPicture()
    {
        for (int key : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F9}) {
            QTest::keyClick(&w(), Qt::Key(key));
            QVERIFY(m_e->prompts.shown.isEmpty());
            QVERIFY(m_e->files.asked.isEmpty());
        }
        m_e->prompts.alertAnswer = false;
        QTest::keyClick(&w(), Qt::Key_Escape);
        QVERIFY(!w().isVisible());
    }
};

QTEST_MAIN(tst_MapFiles)
#include "tst_mapfiles.moc"
