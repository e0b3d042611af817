#include "editor/frmhref.h"
#include "editor/picturebutton.h"
#include "editor/widgetareadialog.h"
#include "map/mapdocument.h"
#include "platform/rounding.h"
#include "session/areadialog.h"
#include "support/fixedscreen.h"
#include "support/layoutcheck.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <cstdlib>
#include <memory>
#include <utility>

using namespace tavlo;
using Texts = QByteArrayList; // HREF, TARGET, ALT

namespace {

const QByteArray deleted = "(delete)";

// An answer as one text: the record tail for Enter, "" for Cancel.
QByteArray said(const AreaAnswer& answer)
{
    return answer.choice == AreaAnswer::Choice::Delete ? deleted : answer.tmpHREF;
}

// Whether b shows its down picture rather than its up one, along its middle row: the
// 73-pixel pictures are centred on the 71-pixel button.
bool showsDown(PictureButton* b)
{
    const QImage shown = b->grab().toImage();
    const QImage down = b->downImage().toImage(), up = b->upImage().toImage();
    const int dx = (down.width() - b->width()) / 2, y = b->height() / 2;
    const int dy = (down.height() - b->height()) / 2;
    for (int x = 0; x < b->width(); ++x) {
        const QRgb p = shown.pixel(x, y);
        if (p == down.pixel(x + dx, y + dy) && p != up.pixel(x + dx, y + dy))
            return true;
    }
    return false;
}

} // namespace

class TestFrmHref : public QObject {
    Q_OBJECT

    // The caller's texts, which outlive each dialog.
    AreaAnswer m_answer;
    QByteArray m_curHREF, m_curT, m_curAlt;
    std::unique_ptr<frmHREF> m_dialog;

    template <typename T = QWidget> T* child(const QString& name) const
    {
        return m_dialog->findChild<T*>(name);
    }
    QLineEdit* box(const char* name) const { return child<QLineEdit>(name); }
    PictureButton* button(const char* name) const { return child<PictureButton>(name); }
    Texts current() const { return {m_curHREF, m_curT, m_curAlt}; }

    bool open(QRect mainFrame = {100, 50, 600, 400}, QSize screen = {1024, 768})
    {
        m_dialog =
            std::make_unique<frmHREF>(m_answer, m_curHREF, m_curT, m_curAlt, mainFrame, screen);
        m_dialog->show();
        return QTest::qWaitForWindowActive(m_dialog.get());
    }
    static void press(int count, Qt::Key key)
    {
        for (int i = 0; i < count; ++i)
            QTest::keyClick(QApplication::focusWidget(), key);
    }

private slots:
    void init()
    {
        m_answer = {AreaAnswer::Choice::Enter, "previous answer"};
        m_curHREF = m_curT = m_curAlt = {};
    }
    void cleanup() { m_dialog.reset(); }

    void prefill_data()
    {
        QTest::addColumn<Texts>("texts");
        QTest::addColumn<Texts>("shown");
        const Texts fresh{defaultHref, targetPrompt, altPrompt};
        QTest::newRow("fresh area") << fresh << fresh;
        QTest::newRow("no texts yet") << Texts{"", "", ""} << fresh;
        QTest::newRow("filled in")
            << Texts{"caf\xc3\xa9", "_top", "Home"} << Texts{"caf\xc3\xa9", "_top", "Home"};
    }

    void prefill()
    {
        QFETCH(Texts, texts);
        QFETCH(Texts, shown);
        m_curHREF = texts[0], m_curT = texts[1], m_curAlt = texts[2];
        QVERIFY(open());
        QCOMPARE((Texts{box("txtHREF")->text().toUtf8(), box("txtTarget")->text().toUtf8(),
                        box("txtAlt")->text().toUtf8()}),
                 shown);
        QCOMPARE(QApplication::focusWidget(), box("txtHREF"));
        QCOMPARE(box("txtHREF")->selectedText().toUtf8(), shown[0]);
    }

    void enter_data()
    {
        QTest::addColumn<QByteArray>("oldHref");
        QTest::addColumn<Texts>("typed");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<Texts>("after");
        const auto row = [](const char* name, QByteArray old, Texts typed, QByteArray answer,
                            Texts after) {
            QTest::newRow(name) << old << typed << answer << after;
        };
        const QByteArray t = targetPrompt, a = altPrompt;
        row("fresh area", "#", {"#", t, a}, "#", {"#", "", ""});
        row("# keeps the old HREF", "page.htm", {"#", t, a}, "#", {"page.htm", "", ""});
        row("empty HREF, TARGET", "#", {"", "_top", a}, "\" Target=\"_top", {"", "_top", ""});
        row("all three", "#", {"a.htm", "main", "Home"}, "a.htm\" Target=\"main\" ALT=\"Home",
            {"a.htm", "main", "Home"});
        row("phrase inside", "#", {"a", "x, if you would like...", "y"}, "a\" ALT=\"y",
            {"a", "", "y"});
        row("capital I is filled in", "#", {"#", "If you would like...", a},
            "#\" Target=\"If you would like...", {"#", "If you would like...", ""});
        row("quote and brackets escaped", "#", {"a\"b<c>", "x\"y", "<b>"},
            "a&quot;b&lt;c&gt;\" Target=\"x&quot;y\" ALT=\"&lt;b&gt;", {"a\"b<c>", "x\"y", "<b>"});
        row("nothing is Cancel", "page.htm", {"", t, a}, "", {"", "", ""});
        row("UTF-8", "#", {"caf\xc3\xa9", t, a}, "caf\xc3\xa9", {"caf\xc3\xa9", "", ""});
    }

    void enter()
    {
        QFETCH(QByteArray, oldHref);
        QFETCH(Texts, typed);
        QFETCH(QByteArray, answer);
        QFETCH(Texts, after);
        m_curHREF = oldHref;
        QVERIFY(open());
        box("txtHREF")->setText(QString::fromUtf8(typed[0]));
        box("txtTarget")->setText(QString::fromUtf8(typed[1]));
        box("txtAlt")->setText(QString::fromUtf8(typed[2]));
        QTest::mouseClick(button("picEnter"), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(said(m_answer), answer);
        QCOMPARE(current(), after);
    }

    // Each opening answers afresh: a close by the window manager right after an Enter, or a
    // Cancel right after a Delete, answers "". Only Enter takes the typed HREF.
    void runAnswersEachOpening()
    {
        QWidget mainWindow;
        mainWindow.setGeometry(100, 50, 600, 400);
        test::FixedScreen screen({1024, 768});
        WidgetAreaDialog areaDialog(&mainWindow, screen);
        const QList<std::pair<const char*, QByteArray>> openings = {
            {"picEnter", "typed.htm"}, {"window", ""}, {"picDelete", deleted}, {"picCancel", ""}};
        for (const auto& [way, answer] : openings) {
            QTimer::singleShot(0, [way = QString(way)] {
                QWidget* modal = QApplication::activeModalWidget();
                QVERIFY(qobject_cast<frmHREF*>(modal));
                modal->findChild<QLineEdit*>("txtHREF")->setText("typed.htm");
                if (way == "window")
                    modal->windowHandle()->close();
                else
                    QTest::mouseClick(modal->findChild<QWidget*>(way), Qt::LeftButton);
            });
            m_curHREF = "a.htm";
            QCOMPARE(said(areaDialog.run(m_curHREF, m_curT, m_curAlt)), answer);
            QCOMPARE(m_curHREF, answer == "typed.htm" ? answer : "a.htm");
        }
    }

    // tabs < 0: Shift+Tab. A text box that the keys reach has its whole text selected.
    void keys_data()
    {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QByteArray>("answer"); // null: the dialog stays open
        const auto row = [](const char* name, int tabs, Qt::Key key, const char* focused,
                            QByteArray answer = {}) {
            QTest::newRow(name) << tabs << int(key) << QString(focused) << answer;
        };
        row("Return on Enter", 3, Qt::Key_Return, "picEnter", "#");
        row("keypad Enter on Cancel", 4, Qt::Key_Enter, "picCancel", "");
        row("Return on Delete", -1, Qt::Key_Return, "picDelete", deleted);
        row("Return in txtTarget", 1, Qt::Key_Return, "txtTarget");
        row("Enter in txtAlt", 2, Qt::Key_Enter, "txtAlt");
        row("Escape in txtAlt", -4, Qt::Key_Escape, "txtAlt");
        row("Escape on Cancel", 4, Qt::Key_Escape, "picCancel");
        row("Space on Enter", 3, Qt::Key_Space, "picEnter");
        row("Tab wraps round", 6, Qt::Key_Return, "txtHREF");
    }

    void keys()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, focused);
        QFETCH(QByteArray, answer);
        QVERIFY(open());
        for (QLineEdit* b : m_dialog->findChildren<QLineEdit*>())
            b->deselect();
        press(std::abs(tabs), tabs < 0 ? Qt::Key_Backtab : Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus->objectName(), focused);
        if (auto* b = qobject_cast<QLineEdit*>(focus))
            QCOMPARE(b->selectedText(), b->text());
        QTest::keyClick(focus, Qt::Key(key));
        QCOMPARE(m_dialog->isVisible(), answer.isNull());
        QCOMPARE(said(m_answer), answer.isNull() ? QByteArray("previous answer") : answer);
    }

    void pictureStates()
    {
        QVERIFY(open());
        PictureButton* enter = button("picEnter");
        for (PictureButton* b : {enter, button("picCancel"), button("picDelete")}) {
            QCOMPARE(b->upImage().size(), QSize(73, 32));
            QCOMPARE(b->downImage().size(), QSize(73, 32));
            QVERIFY(!showsDown(b));
        }
        press(3, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), enter);
        QVERIFY(showsDown(enter));
        press(1, Qt::Key_Tab);
        QVERIFY(!showsDown(enter));
        QVERIFY(showsDown(button("picCancel")));
        // A right click is no click: the focus stays on a button that shows its up image,
        // and Enter there does nothing.
        QTest::mousePress(enter, Qt::RightButton);
        QVERIFY(showsDown(enter));
        QTest::mouseRelease(enter, Qt::RightButton);
        QVERIFY(!showsDown(enter));
        QCOMPARE(QApplication::focusWidget(), enter);
        QTest::keyClick(enter, Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("mainFrame");
        QTest::addColumn<QPoint>("expected");
        // Screen 1024 x 768 pixels, 11520 twips high.
        QTest::newRow("below") << QRect(100, 50, 600, 400) << QPoint(100, 450);
        // 641 pixels are 9615 twips, and 1900 more is 11515.
        QTest::newRow("just room below") << QRect(0, 41, 600, 600) << QPoint(0, 641);
        QTest::newRow("no room below") << QRect(0, 42, 600, 600) << QPoint(0, 643);
        QTest::newRow("past the right edge") << QRect(700, 0, 400, 300) << QPoint(516, 300);
        QTest::newRow("right edge, no room") << QRect(900, 100, 400, 700) << QPoint(516, 643);
    }

    void placement()
    {
        QFETCH(QRect, mainFrame);
        QFETCH(QPoint, expected);
        QVERIFY(open(mainFrame, {1024, 768}));
        QCOMPARE(m_dialog->pos(), expected);
    }

    // The frame and the background are painted by the dialog itself.
    void look()
    {
        QVERIFY(open({0, 0, 600, 400}));
        QCOMPARE(m_dialog->windowTitle(), "Add a URL and/or TARGET, or DELETE area.");
        QVERIFY(!m_dialog->parentWidget());
        QVERIFY(m_dialog->windowFlags() & Qt::FramelessWindowHint);
        for (const char* name : {"picEnter", "picCancel", "picDelete"})
            QVERIFY2(!button(name)->toolTip().isEmpty(), name);
        QCOMPARE(child<QLabel>("Label1")->text(), "Enter an HREF for the selected area.");
        QCOMPARE(tavlo::test::layoutFault(m_dialog.get()), QString());
        const QImage shot = m_dialog->grab().toImage();
        const QPoint corner(shot.width() - 1, shot.height() - 1);
        for (QPoint frame : {QPoint(0, 0), QPoint(1, 1), corner, corner - QPoint(1, 1)})
            QCOMPARE(shot.pixelColor(frame), QColor(204, 204, 204));
        for (QPoint back : {QPoint(2, 2), corner - QPoint(2, 2)})
            QCOMPARE(shot.pixelColor(back), QColor(64, 64, 64));
    }
};

QTEST_MAIN(TestFrmHref)
#include "tst_frmhref.moc"
