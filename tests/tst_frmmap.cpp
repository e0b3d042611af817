#include "editor/mapee.h"
#include "geometry/windowlayout.h"
#include "help/frmhelp.h"
#include "support/areas.h"
#include "support/drawing.h"
#include "support/mapwindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

using namespace tavlo;
using namespace tavlo::test;

namespace {

// Records the window's state each time the closing sequence lets events run.
class WatchingPause final : public Pause {
public:
    void pause(int) override {}
    void processEvents() override { states.append(window->windowState()); }
    QWidget* window = nullptr;
    QList<Qt::WindowStates> states;
};

} // namespace

class tst_FrmMap : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MapWindow> m_e;

    frmMap& w() { return m_e->w; }

    QString picture(const QString& name, QSize size, const char* format = "JPG")
    {
        const QString path = m_dir.filePath(name);
        if (!patternedPicture(size).save(path, format))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    // Mouse positions are in picture pixels; the canvas has a 1-pixel border.
    void drag(const QList<QPoint>& path)
    {
        const QPoint b(1, 1);
        QTest::mousePress(w().mapee(), Qt::LeftButton, {}, path.first() + b);
        for (QPoint p : path.sliced(1))
            QTest::mouseMove(w().mapee(), p + b);
        QTest::mouseRelease(w().mapee(), Qt::LeftButton, {}, path.last() + b);
    }
    void click(const QList<QPoint>& points)
    {
        for (QPoint p : points)
            QTest::mouseClick(w().mapee(), Qt::LeftButton, {}, p + QPoint(1, 1));
    }
    void pressTool(const char* name) { w().findChild<QToolButton*>(name)->click(); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void init() { m_e = std::make_unique<MapWindow>(QSize(1024, 768)); }
    void cleanup() { m_e.reset(); }

    void fit_data()
    {
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QSize>("twips");
        const auto row = [](const char* name, QSize canvas, bool moved, QSize twips) {
            QTest::newRow(name) << canvas << moved << twips;
        };
        // 1530 x 1230 twips fits; the strip raises the height to 3000 + 500. A picture too
        // wide for the screen is widePictureScrolls's.
        row("100 x 80 picture", {102, 82}, false, {2415, 3500});
        row("ratio exactly 1.3 is judged by its height", {962, 740}, true, {14860, 11020});
        row("ratio above 1.3 is judged by its width", {963, 740}, false, {15330, 11700});
    }

    void fit()
    {
        QFETCH(QSize, canvas);
        const WindowFit f = fitWindow(canvas, QSize(1024, 768));
        QTEST(f.moveToOrigin, "moved");
        QTEST(QSize(f.widthTwips, f.heightTwips), "twips");
    }

    void startsWithTheSplash()
    {
        QVERIFY(!w().imageLoaded());
        QVERIFY(!w().findChild<QScrollBar*>("HScroll1")->isVisible());
        QVERIFY(!w().findChild<QScrollBar*>("VScroll1")->isVisible());
        QCOMPARE(w().imgPath(), QDir::homePath() + '/');
    }

    void widePictureScrolls()
    {
        w().move(200, 100);
        QVERIFY(w().imgSpecs(picture("wide.jpg", QSize(2000, 1000))));
        QCOMPARE(w().pos(), QPoint(0, 0));
        QCOMPARE(w().size(), QSize(991, 735)); // 14860 x 11020 twips
        auto* h = w().findChild<QScrollBar*>("HScroll1");
        auto* v = w().findChild<QScrollBar*>("VScroll1");
        QVERIFY(h->isVisible() && v->isVisible());
        QCOMPARE(h->maximum(), 2002 - (991 - 13 - 36) - 2);
        QCOMPARE(v->maximum(), 1002 - v->height());

        h->setValue(100);
        v->setValue(40);
        QCOMPARE(w().mapee()->pos(), QPoint(36 - 100, -40));
        // A resize by hand brings the canvas home; the bars keep their positions.
        w().resize(900, 700);
        QCOMPARE(w().mapee()->pos(), QPoint(36, 0));
        QCOMPARE(h->value(), 100);
        QCOMPARE(v->value(), 40);
    }

    // The header reader does not know this kind; the decoder's size stands in.
    void imageTagOfAKindOnlyTheDecoderKnows()
    {
        QVERIFY(w().imgSpecs(picture("portable.gif", QSize(100, 80), "PPM")));
        QCOMPARE(w().session().imageTags().imgTag,
                 QByteArray("portable.gif\" width=100 height=80 border=0 USEMAP=\"#portable\">"));
    }

    void clipboard()
    {
        // Without a picture, then without an area: a note each, and nothing is saved.
        w().cmdMake_Click();
        picture("logo.jpg", QSize(120, 60));
        // Named relative to the current folder, as on a command line.
        const QString before = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QVERIFY(w().imgSpecs("logo.jpg"));
        w().cmdMake_Click();
        QCOMPARE(m_e->said(), QStringList({shownAs({Message::NothingToSave, {}}),
                                           shownAs({Message::NoAreaToSave, {}})}));
        QCOMPARE(m_e->prompts.lastIcon, MsgIcon::Information);
        QCOMPARE(m_e->end.shown, 0);

        w().document().addArea(test::rect(10, 10, 50, 40));
        const QByteArray block = w().session().savedMapBlock();
        w().cmdMake_Click();
        QCOMPARE(QApplication::clipboard()->text().toUtf8(), block);
        // A save empties the document; the preview addresses the picture by its folder.
        QVERIFY(w().document().hrefList().isEmpty());
        const QByteArray src =
            "<img src=\"" + QUrl::fromLocalFile(m_dir.path()).toEncoded() + "/logo.jpg\"";
        QVERIFY(w().session().htmlOut().contains(src));
        QDir::setCurrent(before);
    }

    void cancelChangesNothing()
    {
        QVERIFY(w().imgSpecs(picture("plain.jpg", QSize(300, 200))));
        drag({{10, 10}, {100, 100}});
        m_e->dialog.answers = {{"x.htm", "", ""}, {{}, {}, {}, false, true}, {"y.htm", "top", ""}};
        click({{50, 50}});
        const QByteArray edited = w().document().areaList().first();
        const QImage picture = w().mapee()->picture();
        click({{50, 50}});
        QCOMPARE(w().document().areaList().first(), edited);
        QCOMPARE(w().mapee()->picture(), picture);
        QCOMPARE(w().tools().circleRadius(), 0.0f);
        click({{50, 50}}); // a second edit replaces the whole tail
        QVERIFY(w().document().areaList().first().endsWith("HREF=\"y.htm\" Target=\"top"));
        // The dialog opens on the area's own link.
        QCOMPARE(m_e->dialog.shownWith, QList<QByteArray>({"#", "x.htm", "x.htm"}));
    }

    void fileMenuEnablesWhatCanBeDone()
    {
        QVERIFY(w().imgSpecs(picture("plain.jpg", QSize(300, 200))));
        auto* menu = w().findChild<QMenu*>("mnuFile");
        QStringList enabled;
        auto seeEnabled = [&] {
            enabled.clear();
            for (QAction* a : menu->actions())
                if (a->isEnabled() && !a->isSeparator())
                    enabled << a->objectName();
            menu->close();
        };
        auto popUp = [&] {
            QTimer::singleShot(0, menu, seeEnabled);
            QTest::mouseClick(w().mapee(), Qt::RightButton, {}, QPoint(50, 50));
        };
        auto fromMenuBar = [&] {
            QMenuBar* bar = w().menuBar();
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              bar->actionGeometry(menu->menuAction()).center());
            QTRY_VERIFY(menu->isVisible());
            seeEnabled();
        };
        const QStringList always{"mnuFileOpen", "mnuFileHelp", "mnuFileDelete", "mnuFileClose"};
        const QStringList withAreas{"mnuFileOpen",       "mnuFileSave1",      "mnuFileSave2File0",
                                    "mnuFileSave2File1", "mnuFileSave2File2", "mnuFileHelp",
                                    "mnuFileDelete",     "mnuFileClose"};
        popUp();
        QCOMPARE(enabled, always);
        drag({{10, 10}, {100, 100}});
        // The menu bar follows the same rule as the popup.
        fromMenuBar();
        QCOMPARE(enabled, withAreas);
        popUp();
        QCOMPARE(enabled, withAreas);
        // The release after the popup only clears skipMouse; then clicks work again.
        QVERIFY(!w().tools().mouseSkipped());
    }

    void firstDrawingAfterOpen_data()
    {
        QTest::addColumn<QString>("road");
        QTest::newRow("picture opened through the dialog") << "open";
        QTest::newRow("dialog cancelled") << "cancel";
        QTest::newRow("file dragged over and taken away") << "drag";
    }

    void firstDrawingAfterOpen()
    {
        QFETCH(QString, road);
        QVERIFY(w().imgSpecs(picture("first.jpg", QSize(300, 200))));
        const QString second = picture("second.jpg", QSize(320, 240));

        if (road == u"open") {
            m_e->open(second);
            QCOMPARE(w().imgPath(), second);
        } else if (road == u"cancel") {
            w().mnuFileOpen_Click();
        } else {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(second)});
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::NoButton, {});
            QApplication::sendEvent(w().mapee(), &enter);
            QDragLeaveEvent leave;
            QApplication::sendEvent(w().mapee(), &leave);
        }
        QVERIFY(w().tools().dropSkipped());
        const QImage before = w().mapee()->picture();

        // The click that closed the dialog never reaches the canvas: the next drawing
        // is the user's own.
        drag({{40, 30}, {90, 60}, {140, 100}, {160, 120}});
        QCOMPARE(w().document().areaList(),
                 QList<QByteArray>{"<AREA SHAPE=\"rect\" COORDS=\"40, 30, 160, 120\" HREF=\""});
        QVERIFY(w().mapee()->picture() != before);
        QCOMPARE(withoutAreas(w().mapee()->picture(), w().document()), before);
        // Moving on with no button held draws no band.
        QTest::mouseMove(w().mapee(), QPoint(200, 150));
        QCOMPARE(withoutAreas(w().mapee()->picture(), w().document()), before);
    }

    void openPolygonGoesWithThePicture_data()
    {
        QTest::addColumn<QString>("road");
        QTest::newRow("picture loaded") << "load";
        QTest::newRow("reload after a save") << "save";
    }

    void openPolygonGoesWithThePicture()
    {
        QFETCH(QString, road);
        const QString path = picture("plain.jpg", QSize(300, 200));
        QVERIFY(w().imgSpecs(path));
        if (road == u"save")
            drag({{200, 100}, {280, 180}});
        pressTool("cmdPoly");
        click({{150, 20}, {250, 60}});
        QCOMPARE(w().tools().polyCount(), 2);

        if (road == u"load") {
            QVERIFY(w().imgSpecs(path));
        } else {
            w().cmdMake_Click();
            QCOMPARE(m_e->end.shown, 1);
        }
        QVERIFY(!w().document().hasUnsavedWork());
        const QImage loaded = w().mapee()->picture();

        click({{10, 10}, {100, 10}, {100, 80}, {12, 12}});
        QCOMPARE(w().document().ptsList(), QList<QByteArray>{"10|10|100|10|100|80"});
        m_e->dialog.answers = {{{}, {}, {}, true}};
        click({{90, 20}});
        QVERIFY(w().document().areaList().isEmpty());
        QCOMPARE(w().mapee()->picture(), loaded);
    }

    void f1ShowsHelp()
    {
        w().tools().menuPopping();
        QString shown;
        QTimer::singleShot(0, &w(), [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal) {
                shown = QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
        QTest::keyClick(w().mapee(), Qt::Key_F1);
        QCOMPARE(shown, QString::fromLatin1(frmHelp::staticMetaObject.className()));
        QVERIFY(!w().tools().mouseSkipped());
    }

    void maximisedWindowIsRestoredBeforeItCollapses()
    {
        m_e.reset(); // closing the main window closes every other window
        RecordingPrompts prompts;
        WatchingPause pause;
        FixedScreen screen(QSize(1024, 768));
        ScriptedFileDialogs files;
        ScriptedEndWindow end;
        ScriptedAreaDialog dialog;
        frmMap w(MapEnvironment{&prompts, &dialog, &pause, &screen, &files, &end});
        pause.window = &w;
        w.showMaximized();
        QVERIFY(w.isMaximized());
        QVERIFY(w.close());
        QVERIFY(!pause.states.isEmpty());
        QCOMPARE(pause.states.first(), Qt::WindowNoState);
    }
};

QTEST_MAIN(tst_FrmMap)
#include "tst_frmmap.moc"
