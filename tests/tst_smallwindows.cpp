// The program's small windows: help, what next, uninstall help, the area dialog, the
// message windows and the file dialogs, each beside one main window.
#include "app/frmalert.h"
#include "app/frmdelete.h"
#include "app/frmmsg.h"
#include "app/frmmsgsm.h"
#include "app/widgetendwindow.h"
#include "app/widgetfiledialogs.h"
#include "app/widgetprompts.h"
#include "editor/frmhref.h"
#include "editor/picturebutton.h"
#include "geometry/helpbands.h"
#include "help/frmhelp.h"
#include "map/area.h"
#include "platform/keystore.h"
#include "session/cleanup.h"
#include "session/filedialogs.h"
#include "session/messages.h"
#include "support/layoutcheck.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>
#include <utility>

using namespace tavlo;
using Texts = QByteArrayList; // HREF, TARGET, ALT

namespace {

// Runs act on the modal window once exec() has shown it; a dialog that act leaves open is
// accepted afterwards, so that exec() always returns.
void whenModal(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(0, [act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        act(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && dialog->isVisible())
            dialog->accept();
    });
}

// Of the title bar's buttons, only the close box.
bool onlyCloseBox(const QWidget* window)
{
    const Qt::WindowFlags flags = window->windowFlags();
    return flags.testFlag(Qt::WindowCloseButtonHint) &&
           !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// A box's title and text as the catalogue has them.
QStringList boxOf(Message message)
{
    return {messageText(message).title, messageText(message).text};
}

// A key store and association folders of their own, under a temporary folder, holding
// everything Tavlo registers, a per-user key included.
struct Registry {
    QTemporaryDir dir;
    KeyStore store{dir.filePath("store/registry.ini")};
    AssociationFolders folders{dir.filePath("data"), dir.filePath("config")};

    Registry()
    {
        regAssoc(store, QStringLiteral("/usr/bin/tavlo"), folders);
        store.createKey(RegRoot::CurrentUser, QStringLiteral("Software\\Quillmore\\Tavlo\\User"));
    }
    // Tavlo's keys and association files still there.
    int left() const
    {
        int left = 0;
        for (const TavloKey& key : tavloKeys)
            left += store.keyExists(key.root, key.path.toString());
        for (const char* file : {"/mime/packages/tavlo.xml", "/applications/tavlo.desktop"})
            left += QFile::exists(folders.dataDir + file);
        QFile list(folders.configDir + "/mimeapps.list");
        return left +
               (list.open(QIODevice::ReadOnly) && list.readAll().contains("application/x-tavlo"));
    }
};

const QByteArray deleted = "(delete)";

// An area dialog's answer as one text: the record tail for Enter, "" for Cancel.
QByteArray said(const AreaAnswer& answer)
{
    return answer.choice == AreaAnswer::Choice::Delete ? deleted : answer.tmpHREF;
}

// Whether b shows its down picture rather than its up one, along its middle row: the
// pictures are centred on the button, which is a little smaller.
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

std::unique_ptr<QDialog> makeMessageWindow(const QString& name)
{
    if (name == "frmMsg")
        return std::make_unique<frmMsg>(nullptr);
    if (name == "frmMsgSm")
        return std::make_unique<frmMsgSm>(nullptr);
    return std::make_unique<frmAlert>(nullptr);
}

} // namespace

class tst_SmallWindows : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> m_main; // shown before every test
    test::RecordingPause m_pause;
    test::RecordingPrompts m_prompts;
    QTemporaryDir m_dir;
    std::unique_ptr<frmHelp> m_help;
    // The area dialog and its caller's texts, which outlive it.
    std::unique_ptr<frmHREF> m_href;
    AreaAnswer m_answer;
    QByteArray m_curHREF, m_curT, m_curAlt;

    // The help window has no owner; the main window, hidden, is not under the pointer.
    bool openHelp()
    {
        m_main->hide();
        m_help = std::make_unique<frmHelp>(QPoint(40, 30));
        m_help->show();
        return QTest::qWaitForWindowExposed(m_help.get());
    }
    QLabel* helpLabel(const char* name) const { return m_help->findChild<QLabel*>(name); }

    // Shows a fresh uninstall window, presses its button and answers the question. The
    // window's top right corner lies on the owner's, even where that leaves it partly off the
    // screen (an owner narrower than it at the left edge); it stays on top until closed, and
    // then hands the owner back the focus.
    void clickClear(Registry& registry, MsgAnswer answer)
    {
        m_main->setGeometry(0, 40, 300, 200);
        frmDelete window(m_main.get(), registry.store, registry.folders, m_prompts);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(onlyCloseBox(&window));
        QVERIFY(!window.windowIcon().isNull());
        const QString about = window.findChild<QLabel*>("lblAbout")->text();
        QVERIFY(!about.isEmpty() && !about.contains('\r'));
        QCOMPARE(test::layoutFault(&window), QString());
        // Along the bottom row the gradient grows from black, never darker to the right.
        const QImage image = window.grab().toImage();
        const int w = image.width(), h = image.height();
        QCOMPARE(image.pixelColor(0, h - 1), QColor(Qt::black));
        for (int x = 1; x < w; ++x)
            QVERIFY(image.pixelColor(x, h - 1).blue() >= image.pixelColor(x - 1, h - 1).blue());
        QVERIFY(image.pixelColor(w - 1, h - 1).blue() > 0);

        window.show();
        const QRect main = m_main->frameGeometry(), own = window.frameGeometry();
        QCOMPARE(own.top(), main.top());
        QCOMPARE(own.right(), main.right());
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        m_prompts.boxAnswer = answer;
        QTest::mouseClick(window.findChild<QPushButton*>("cmdClearReg"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    }

    bool openHref(QRect mainFrame = {100, 50, 600, 400}, QSize screen = {1024, 768})
    {
        m_href =
            std::make_unique<frmHREF>(m_answer, m_curHREF, m_curT, m_curAlt, mainFrame, screen);
        m_href->show();
        return QTest::qWaitForWindowActive(m_href.get());
    }
    QLineEdit* box(const char* name) const { return m_href->findChild<QLineEdit*>(name); }

private slots:
    void init()
    {
        m_pause = {};
        m_prompts = {};
        m_answer = {AreaAnswer::Choice::Enter, "previous answer"};
        m_curHREF = m_curT = m_curAlt = {};
        m_main = std::make_unique<QWidget>();
        m_main->setGeometry(200, 150, 500, 400);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void cleanup()
    {
        m_help.reset();
        m_href.reset();
    }

    // Every entry of both help lists, and the space beside them, from the program's own
    // tables. A band's bounds lie outside it, half a pixel in lies inside, the line between
    // two entries one above the other belongs to neither, and where two overlap the earlier
    // wins. The entry's text shows whole; beside the left list, the entry's own picture.
    void helpHover_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("entry"); // -1: beside the entries
        for (int i = -1; i < int(rightHelpEntries.size()); ++i)
            QTest::addRow("right %s", i < 0 ? "beside" : rightHelpEntries[i].name) << true << i;
        for (int i = -1; i < int(leftHelpEntries.size()); ++i)
            QTest::addRow("left %s", i < 0 ? "beside" : leftHelpEntries[i].name) << false << i;
    }

    void helpHover()
    {
        QFETCH(bool, right);
        QFETCH(int, entry);
        QVERIFY(openHelp());
        const int count = right ? int(rightHelpEntries.size()) : int(leftHelpEntries.size());
        const auto band = [&](int i) {
            return right ? rightHelpEntries[i].band : leftHelpEntries[i].band;
        };
        const auto centre = [&](int i) {
            return QPoint((band(i).left + band(i).right) / 2, (band(i).top + band(i).bottom) / 2);
        };
        const auto at = [&](double x, double y) {
            return right ? rightEntryAt({x, y}) : leftEntryAt({x, y});
        };
        const QPoint pos = entry >= 0 ? centre(entry) : right ? QPoint(60, 37) : QPoint(150, 60);
        QCOMPARE(at(pos.x(), pos.y()), entry);
        if (entry >= 0) {
            const HelpBand a = band(qMax(entry - 1, 0)), b = band(entry);
            QVERIFY(at(b.left, pos.y()) != entry && at(b.right, pos.y()) != entry);
            QVERIFY(at(pos.x(), b.bottom) != entry);
            QCOMPARE(at(b.left + 0.5, pos.y()), entry);
            QCOMPARE(at(b.right - 0.5, b.bottom - 0.5), entry);
            if (entry > 0 && a.bottom <= b.top)
                QCOMPARE(at(pos.x(), (a.bottom + b.top) / 2.0), -1);
            if (entry > 0 && a.top < b.top && b.top < a.bottom)
                QCOMPARE(at(qMax(a.left, b.left) + 0.5, b.top + 0.5), entry - 1);
        }
        // Another entry first, so that every row changes something.
        QWidget* list = m_help->findChild<QWidget*>(right ? "img_rList" : "img_lList");
        QTest::mouseMove(list, centre((entry + 1) % count));
        QTest::mouseMove(list, pos);

        const char* text = right ? (entry < 0 ? rightDefaultText : rightHelpEntries[entry].text)
                                 : (entry < 0 ? leftDefaultText : leftHelpEntries[entry].text);
        const QLabel* box = helpLabel(right ? "txtRight" : "txtLeft");
        QCOMPARE(box->text(), QString::fromUtf8(text).replace("\r\n", "\n"));
        QVERIFY(box->height() >= box->heightForWidth(box->width()));
        if (right)
            return;
        const LeftPicture shows = entry < 0 ? LeftPicture::None : leftHelpEntries[entry].picture;
        QCOMPARE(helpLabel("imgHREF")->isVisible(), shows == LeftPicture::HrefField);
        QCOMPARE(helpLabel("imgTarget")->isVisible(), shows == LeftPicture::TargetField);
        QCOMPARE(helpLabel("imgButtons")->isVisible(), shows >= LeftPicture::EnterButton);
        if (shows >= LeftPicture::EnterButton) {
            // The area dialog's own button at rest: picEnter for the entry Enter.
            const frmHREF dialog(m_answer, m_curHREF, m_curT, m_curAlt, {}, {});
            const auto* shown =
                dialog.findChild<PictureButton*>(QString("pic") + leftHelpEntries[entry].name);
            QCOMPARE(helpLabel("imgButtons")->pixmap().toImage(), shown->upImage().toImage());
        }
    }

    // The help panel the pointer is over, or over a control of, is lit: its frame yellow,
    // its header picture shown. Over the header neither is.
    void helpPanelLit_data()
    {
        QTest::addColumn<QString>("to");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QString>("litPanel"); // "f" (neither), "r" (upper) or "l" (lower)
        QTest::newRow("header") << "picHeader" << QPoint(20, 10) << "f";
        QTest::newRow("upper text box") << "txtRight" << QPoint(20, 20) << "r";
        QTest::newRow("right list") << "img_rList" << QPoint(60, 47) << "r";
        QTest::newRow("lower banner") << "imgL_Mouse" << QPoint(10, 60) << "l";
        QTest::newRow("left list") << "img_lList" << QPoint(150, 60) << "l";
    }

    void helpPanelLit()
    {
        QFETCH(QString, to);
        QFETCH(QPoint, pos);
        QFETCH(QString, litPanel);
        QVERIFY(openHelp());
        // The other panel lit first, so that every row changes something.
        QTest::mouseMove(m_help->findChild<QWidget*>(litPanel == "r" ? "picBG2" : "picBG1"),
                         {345, 60});
        QTest::mouseMove(m_help->findChild<QWidget*>(to), pos);
        QCOMPARE(helpLabel("picHeader")->pixmap().toImage(),
                 QPixmap(":/images/header_" + litPanel + ".png").toImage());
        // Across the middle of each panel's text box: yellow only in the lit one's frame.
        const QImage shot = m_help->grab().toImage();
        for (const auto& [name, panel] : {std::pair{"txtRight", "r"}, {"txtLeft", "l"}}) {
            const QLabel* box = helpLabel(name);
            bool yellow = false;
            for (int x = 0, y = box->mapTo(m_help.get(), box->rect().center()).y();
                 x < shot.width(); ++x)
                yellow |= shot.pixelColor(x, y) == QColor(Qt::yellow);
            QVERIFY2(yellow == (litPanel == panel), name);
        }
    }

    void helpOpensAsDesigned()
    {
        QVERIFY(openHelp());
        QCOMPARE(m_help->minimumSize(), m_help->maximumSize());
        QCOMPARE(m_help->pos(), QPoint(40, 30));
        QCOMPARE(m_help->parentWidget(), nullptr);
        QVERIFY(onlyCloseBox(m_help.get()));
        QCOMPARE(helpLabel("picHeader")->pixmap().toImage(),
                 QPixmap(":/images/header_f.png").toImage());
        for (const char* name : {"txtRight", "txtLeft"})
            QCOMPARE(helpLabel(name)->text(), QString(designText).replace("\r\n", "\n"));
        for (const char* name : {"imgHREF", "imgTarget", "imgButtons"})
            QVERIFY(!helpLabel(name)->isVisible());
        QTest::keyClick(m_help.get(), Qt::Key_Escape);
        QVERIFY(!m_help->isVisible());
        QCOMPARE(m_help->result(), int(QDialog::Rejected));
    }

    // The what-next window over the main window's centre ignores Escape, Enter is Quit. Only
    // Quit says goodbye: in a strip just inside the main window's top edge, nearly as wide and
    // a line of text high, shown before the pause, the picture gone, the text in its colour.
    void endChoices_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<EndChoice>("choice");
        QTest::newRow("Enter") << "Enter" << EndChoice::Quit;
        QTest::newRow("Preview") << "cmdPreview" << EndChoice::Preview;
        QTest::newRow("closed otherwise") << "close" << EndChoice::Another;
    }

    void endChoices()
    {
        QFETCH(QString, action);
        QFETCH(EndChoice, choice);
        WidgetEndWindow end(m_main.get(), m_pause);
        whenModal([&](QWidget* window) {
            QCOMPARE(window->geometry().center(), m_main->frameGeometry().center());
            QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
            QCOMPARE(test::layoutFault(window), QString());
            QTest::keyClick(window, Qt::Key_Escape);
            QVERIFY(window->isVisible());
            if (action == "Enter")
                QTest::keyClick(window, Qt::Key_Return);
            else if (action == "close")
                window->close();
            else
                window->findChild<QPushButton*>(action)->click();
            if (choice != EndChoice::Quit)
                return;
            const QRect main = m_main->frameGeometry(), strip = window->geometry();
            QVERIFY(main.contains(strip));
            QVERIFY(strip.top() - main.top() < 5 && strip.width() > main.width() - 10);
            QVERIFY(strip.height() < 2 * QFontMetrics(window->font()).height());
            QCOMPARE(m_pause.eventRuns, 2);
            const QImage shown = window->grab().toImage();
            QCOMPARE(shown.pixelColor(0, 0), window->palette().color(QPalette::Highlight));
            const QColor ink = window->palette().color(QPalette::HighlightedText);
            int inked = 0;
            for (int i = 0; i < shown.width() * shown.height(); ++i)
                inked += shown.pixelColor(i % shown.width(), i / shown.width()) == ink;
            QVERIFY(inked > 20);
        });
        QCOMPARE(end.run(), choice);
        QCOMPARE(m_pause.pauses, choice == EndChoice::Quit ? QList<int>{500} : QList<int>{});
    }

    // A file dialog shows its setup and starts in the picture's folder; a typed name gets the
    // suffix, a missing file to open is refused with the catalogue's note, and a save asks
    // before it replaces a file.
    void fileDialog_data()
    {
        QTest::addColumn<bool>("isOpen");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen"); // "" when refused
        QTest::newRow("open, typed without suffix") << true << "photo" << QString("photo.jpg");
        QTest::newRow("open a missing file") << true << "gone.jpg" << QString();
        QTest::newRow("save over a map") << false << "map" << QString("map.tavl");
    }

    void fileDialog()
    {
        QFETCH(bool, isOpen);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        for (const char* name : {"photo.jpg", "map.tavl"})
            QVERIFY(QFile(m_dir.filePath(name)).open(QIODevice::WriteOnly));
        WidgetFileDialogs dialogs(m_main.get(), m_prompts);
        const QString picture = m_dir.filePath("logo.gif");
        const FileDialogFor dialogFor = isOpen ? FileDialogFor::OpenFile : FileDialogFor::SaveTavl;
        const DialogSetup setup = fileDialogSetup(dialogFor, picture);
        QString asked;
        whenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->nameFilters(), setup.filters);
            QCOMPARE(dialog->directory().absolutePath(), m_dir.path());
            // The question comes up inside the dialog's accept().
            if (!isOpen) {
                whenModal([&](QWidget* question) {
                    auto* box = qobject_cast<QMessageBox*>(question);
                    QVERIFY(box);
                    asked = box->text();
                    box->button(QMessageBox::Yes)->click();
                });
            }
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own is protected
        });
        QCOMPARE(dialogs.showFileDialog(dialogFor, picture),
                 chosen.isEmpty() ? QString() : m_dir.filePath(chosen));
        QCOMPARE(asked.contains("already exists"), !isOpen);
        QCOMPARE(m_prompts.shown.size(), chosen.isEmpty() ? 1 : 0);
        if (chosen.isEmpty())
            QCOMPARE(m_prompts.shown[0].texts, boxOf(Message::OpenError));
    }

    // The uninstall window's button clears every key and association file Tavlo made, after
    // asking; what it cannot clear it names, and only that. The window is checked as it is
    // shown and closed.
    void deleteClear_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<int>("earlierCleanups");
        QTest::addColumn<QString>("leftover"); // "subkey", "folder" or none
        QTest::addColumn<QString>("named");    // in the note about the leftover
        const auto yes = MsgAnswer::Yes;
        const QString none;
        QTest::newRow("yes") << yes << 0 << none << none;
        QTest::newRow("yes, second clean-up, nothing left") << yes << 1 << none << none;
        QTest::newRow("no deletes nothing") << MsgAnswer::No << 0 << none << none;
        QTest::newRow("a subkey Tavlo does not know")
            << yes << 0 << QString("subkey") << "HKEY_CLASSES_ROOT\\Tavlo";
        QTest::newRow("mimeapps.list is a folder")
            << yes << 0 << QString("folder") << "/config/mimeapps.list";
    }

    void deleteClear()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(int, earlierCleanups);
        QFETCH(QString, leftover);
        QFETCH(QString, named);
        Registry registry;
        const int registered = registry.left();
        QVERIFY(registered > 0);
        for (int i = 0; i < earlierCleanups; ++i)
            clickClear(registry, MsgAnswer::Yes);
        if (leftover == "subkey") {
            registry.store.createKey(RegRoot::ClassesRoot, QStringLiteral("Tavlo\\DefaultIcon"));
        } else if (leftover == "folder") {
            const QString list = registry.folders.configDir + "/mimeapps.list";
            QVERIFY(QFile::remove(list) && QDir().mkpath(list));
        }
        m_prompts.shown.clear();

        clickClear(registry, answer);
        const bool yes = answer == MsgAnswer::Yes;
        const auto& shown = m_prompts.shown;
        QCOMPARE(shown.size(), yes ? 2 : 1);
        QCOMPARE(shown[0].texts, boxOf(Message::ClearRegistry));
        if (leftover.isEmpty()) {
            QCOMPARE(registry.left(), yes ? 0 : registered);
            if (yes)
                QCOMPARE(shown[1].texts, boxOf(Message::RegistryCleared));
            return;
        }
        const QString note = shown[1].texts[1];
        QCOMPARE(shown[1].texts[0], messageText(Message::RegistryNotCleared).title);
        QVERIFY2(note.contains(named) && !note.contains(".tavl"), qPrintable(note));
    }

    // The boxes show the area's texts or their prompts, the HREF's selected. A right click on
    // Enter is no click: the button shows its up picture again but keeps the focus, and
    // Return there does nothing. A left click answers with the record tail and keeps what
    // was typed, placeholders left out.
    void hrefEnter_data()
    {
        QTest::addColumn<Texts>("old");
        QTest::addColumn<Texts>("typed");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<Texts>("after");
        const auto row = [](const char* name, Texts old, Texts typed, QByteArray answer,
                            Texts after) {
            QTest::newRow(name) << old << typed << answer << after;
        };
        const QByteArray t = targetPrompt, a = altPrompt;
        const QByteArray cafe = "caf\xc3\xa9";
        row("fresh area", {defaultHref, t, a}, {"#", t, a}, "#", {"#", "", ""});
        row("# keeps the old HREF", {"page.htm", "", ""}, {"#", t, a}, "#", {"page.htm", "", ""});
        row("empty HREF, TARGET and ALT", {"#", "", ""}, {"", "main", "Home"},
            "\" Target=\"main\" ALT=\"Home", {"", "main", "Home"});
        row("phrase inside", {"#", "", ""}, {"a", "x, if you would like...", "y"}, "a\" ALT=\"y",
            {"a", "", "y"});
        row("capital I is filled in", {"#", "", ""}, {"#", "If you would like...", a},
            "#\" Target=\"If you would like...", {"#", "If you would like...", ""});
        row("nothing is Cancel", {"page.htm", "", ""}, {"", t, a}, "", {"", "", ""});
        row("UTF-8, filled in", {cafe, "_top", "Home"}, {cafe, t, a}, cafe, {cafe, "", ""});
    }

    void hrefEnter()
    {
        QFETCH(Texts, old);
        QFETCH(Texts, typed);
        QFETCH(QByteArray, answer);
        QFETCH(Texts, after);
        m_curHREF = old[0], m_curT = old[1], m_curAlt = old[2];
        QVERIFY(openHref());
        const QList<QLineEdit*> boxes{box("txtHREF"), box("txtTarget"), box("txtAlt")};
        QCOMPARE(boxes[0]->selectedText(), boxes[0]->text());
        auto* enter = m_href->findChild<PictureButton*>("picEnter");
        QTest::mousePress(enter, Qt::RightButton);
        QVERIFY(showsDown(enter));
        QTest::mouseRelease(enter, Qt::RightButton);
        QVERIFY(!showsDown(enter));
        QCOMPARE(QApplication::focusWidget(), enter);
        QTest::keyClick(enter, Qt::Key_Return);
        QVERIFY(m_href->isVisible());
        const Texts prompts{defaultHref, targetPrompt, altPrompt};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(boxes[i]->text().toUtf8(), old[i].isEmpty() ? prompts[i] : old[i]);
            boxes[i]->setText(QString::fromUtf8(typed[i]));
        }
        QTest::mouseClick(enter, Qt::LeftButton);
        QVERIFY(!m_href->isVisible());
        QCOMPARE(said(m_answer), answer);
        QCOMPARE((Texts{m_curHREF, m_curT, m_curAlt}), after);
    }

    // tabs < 0: Shift+Tab; no key: closed by the window manager. A text box that the keys
    // reach has its whole text selected, a button its down picture. Only Return or keypad
    // Enter on a button answers, each opening afresh; Escape closes nothing. Only Enter takes
    // the HREF typed.
    void hrefKeys_data()
    {
        QTest::addColumn<int>("tabs");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QByteArray>("answer"); // null: the dialog stays open
        const auto row = [](const char* name, int tabs, Qt::Key key, const char* focused,
                            QByteArray answer = {}) {
            QTest::newRow(name) << tabs << int(key) << QString(focused) << answer;
        };
        row("keypad Enter on Cancel", 4, Qt::Key_Enter, "picCancel", "");
        row("Return on Delete", -1, Qt::Key_Return, "picDelete", deleted);
        row("closed by the window manager", 0, Qt::Key(0), "txtHREF", "");
        row("Return in txtTarget", 1, Qt::Key_Return, "txtTarget");
        row("Escape on Cancel", 4, Qt::Key_Escape, "picCancel");
        row("Space on Enter", 3, Qt::Key_Space, "picEnter");
        row("Tab wraps round", 6, Qt::Key_Return, "txtHREF");
    }

    void hrefKeys()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, focused);
        QFETCH(QByteArray, answer);
        QVERIFY(openHref());
        box("txtHREF")->setText("typed.htm");
        for (int i = 0; i < qAbs(tabs); ++i)
            QTest::keyClick(QApplication::focusWidget(), tabs < 0 ? Qt::Key_Backtab : Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus->objectName(), focused);
        if (auto* b = qobject_cast<QLineEdit*>(focus); b && tabs)
            QCOMPARE(b->selectedText(), b->text());
        for (PictureButton* b : m_href->findChildren<PictureButton*>())
            QCOMPARE(showsDown(b), b == focus);
        if (key)
            QTest::keyClick(focus, Qt::Key(key));
        else
            m_href->windowHandle()->close();
        QCOMPARE(m_href->isVisible(), answer.isNull());
        QCOMPARE(said(m_answer), answer.isNull() ? QByteArray("previous answer") : answer);
        QCOMPARE(m_curHREF, QByteArray());
    }

    void hrefPlacementAndLook_data()
    {
        QTest::addColumn<QRect>("mainFrame");
        QTest::addColumn<QPoint>("expected");
        // Screen 1024 x 768 pixels, 11520 twips high.
        // 641 pixels are 9615 twips, and 1900 more is 11515.
        QTest::newRow("just room below") << QRect(0, 41, 600, 600) << QPoint(0, 641);
        QTest::newRow("no room below") << QRect(0, 42, 600, 600) << QPoint(0, 643);
        QTest::newRow("right edge, no room") << QRect(900, 100, 400, 700) << QPoint(516, 643);
    }

    // Placed by the main window's frame; a frame of two pixels, corners included, painted by
    // the dialog itself round its background.
    void hrefPlacementAndLook()
    {
        QFETCH(QRect, mainFrame);
        QVERIFY(openHref(mainFrame, {1024, 768}));
        QTEST(m_href->pos(), "expected");
        QVERIFY(!m_href->parentWidget());
        QVERIFY(m_href->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(test::layoutFault(m_href.get()), QString());
        const QImage shot = m_href->grab().toImage();
        const QPoint corner(shot.width() - 1, shot.height() - 1);
        for (QPoint frame : {QPoint(1, 1), corner, corner - QPoint(1, 1)})
            QCOMPARE(shot.pixel(frame), shot.pixel(0, 0));
        QVERIFY(shot.pixel(2, 2) != shot.pixel(0, 0));
    }

    // Every text of the catalogue that a message window shows, with the longest paths a
    // person is likely to have in its placeholders, and a text taller than any screen: each
    // shows whole, nothing overlaps, and a window whose texts fit its design size keeps that
    // size. The bands behind are brightest at the bottom and never darker further down, at
    // any height (a window over 32767 twips high too).
    void messageTextsFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("texts");
        const QStringList paths{
            "/home/annelise/Documents/Web sites/Harbour walk/images/harbour front at night.jpeg",
            "/home/annelise/Documents/websites/harbour-walk/2024-summer/images/"
            "harbour-front-at-night-from-the-old-pier.jpg"};
        const char* windows[] = {"frmMsg", "frmMsgSm", "frmAlert"};
        for (int m = 0; m < messageCount; ++m) {
            const MessageText& shown = messageText(Message(m));
            if (shown.form == MessageForm::Box)
                continue;
            for (const QString& path : paths) {
                const MessageText t = filledIn({Message(m), QStringList(9, path)});
                QStringList texts{t.title, t.text, t.detail};
                if (shown.form == MessageForm::MsgSm)
                    texts.removeLast();
                QTest::addRow("message %d, %d-character paths", m, int(path.size()))
                    << QString(windows[int(shown.form)]) << texts;
                if (t.text == shown.text && t.detail == shown.detail)
                    break;
            }
        }
        QTest::newRow("120 lines")
            << "frmAlert" << QStringList{"Head", QString("line\r\n").repeated(120), ""};
    }

    void messageTextsFit()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, texts);
        const auto dialog = makeMessageWindow(window);
        const auto design = makeMessageWindow(window);
        if (window == "frmMsgSm")
            static_cast<frmMsgSm*>(dialog.get())->setLabels(texts[0], texts[1]);
        else if (window == "frmMsg")
            static_cast<frmMsg*>(dialog.get())->setLabels(texts[0], texts[1], texts[2]);
        else
            static_cast<frmAlert*>(dialog.get())->setLabels(texts[0], texts[1], texts[2]);

        QCOMPARE(test::layoutFault(dialog.get()), QString());
        QVERIFY(dialog->width() <= dialog->screen()->availableGeometry().width());
        design->ensurePolished();
        bool fitsByDesign = true;
        for (int i = 0; i < texts.size(); ++i) {
            const auto* label = design->findChild<QLabel*>(QStringLiteral("Label%1").arg(i + 1));
            fitsByDesign &= label->contentsRect().contains(test::textRect(label, texts[i]));
        }
        if (fitsByDesign)
            QCOMPARE(dialog->size(), design->size());

        const QImage image = dialog->grab().toImage();
        const QColor ground = dialog->palette().color(QPalette::Window);
        int y = image.height() - 1;
        QVERIFY(image.pixelColor(1, y) != ground);
        for (; y > 0 && image.pixelColor(1, y - 1) != ground; --y)
            QVERIFY(image.pixelColor(1, y - 1).value() <= image.pixelColor(1, y).value());
    }

    // Each message window sits on its owner's centre (the screen's while the owner is not
    // shown yet, as for a refused file at start-up), the focus on its first button, the
    // text's line breaks kept. Enter answers; Escape is NO in the alert and does nothing in
    // the others. A YES is read once: the owner's Tag is cleared for the next question.
    void messagePrompts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("key"); // 0: closed some other way
        QTest::addColumn<bool>("ownerShown");
        QTest::addColumn<bool>("yes");
        const auto row = [](const char* name, Qt::Key key, bool ownerShown, bool yes) {
            QTest::newRow(name) << QString(name).section(' ', 0, 0) << int(key) << ownerShown
                                << yes;
        };
        row("frmAlert Enter is YES", Qt::Key_Return, true, true);
        row("frmAlert Escape is NO", Qt::Key_Escape, false, false);
        row("frmAlert closed is NO", Qt::Key(0), true, false);
        row("frmMsgSm keypad Enter is OK", Qt::Key_Enter, true, false);
        row("frmMsg Escape stays", Qt::Key_Escape, true, false);
    }

    void messagePrompts()
    {
        QFETCH(QString, window);
        QFETCH(int, key);
        QFETCH(bool, ownerShown);
        QFETCH(bool, yes);
        QWidget hidden;
        QWidget& owner = ownerShown ? *m_main : hidden;
        const QPoint centre = ownerShown ? owner.frameGeometry().center()
                                         : owner.screen()->availableGeometry().center();
        owner.setProperty("Tag", QStringLiteral("left"));
        WidgetPrompts prompts(&owner);
        bool closed = false;
        whenModal([&](QWidget* modal) {
            QCOMPARE(modal->parentWidget(), &owner);
            QCOMPARE(modal->geometry().center(), centre);
            QCOMPARE(modal->focusWidget()->objectName(), window == "frmAlert" ? "cmdYes" : "cmdOK");
            QCOMPARE(modal->findChild<QLabel*>("Label2")->text(), "one\ntwo <b>");
            if (key)
                QTest::keyClick(modal->focusWidget(), Qt::Key(key));
            else
                modal->close();
            closed = !modal->isVisible();
            QCOMPARE(owner.property("Tag").toString(), yes ? "please" : "left");
        });
        bool answered = false;
        if (window == "frmMsg")
            prompts.showMsg("Head", "one\r\ntwo <b>", "three");
        else if (window == "frmMsgSm")
            prompts.showMsgSm("Head", "one\r\ntwo <b>");
        else
            answered = prompts.askAlert("Head", "one\r\ntwo <b>", "three");
        QCOMPARE(closed, key != Qt::Key_Escape || window == "frmAlert");
        QCOMPARE(answered, yes);
        QCOMPARE(owner.property("Tag").toString(), yes ? "" : "left");
        QVERIFY(owner.findChildren<QDialog*>().isEmpty());
    }

    // The box shows the text with its line breaks, the icon and the two buttons asked for,
    // and answers No when No is pressed.
    void messageBoxNo()
    {
        WidgetPrompts prompts(m_main.get());
        whenModal([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QCOMPARE(box->text(), "Line one\nline two");
            QCOMPARE(box->icon(), QMessageBox::Warning);
            QCOMPARE(box->buttons().size(), 2);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(prompts.messageBox("Note", "Line one\r\nline two", MsgIcon::Exclamation,
                                    MsgButtons::YesNo),
                 MsgAnswer::No);
    }
};

QTEST_MAIN(tst_SmallWindows)
#include "tst_smallwindows.moc"
