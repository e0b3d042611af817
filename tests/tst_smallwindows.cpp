// The program's small windows: help, what next, uninstall help, the area dialog, the
// message windows and the file dialogs, each beside one main window.
#include "app/frmalert.h"
#include "app/frmdelete.h"
#include "app/frmend.h"
#include "app/frmmsg.h"
#include "app/frmmsgsm.h"
#include "app/widgetendwindow.h"
#include "app/widgetfiledialogs.h"
#include "app/widgetprompts.h"
#include "editor/frmhref.h"
#include "editor/picturebutton.h"
#include "editor/widgetareadialog.h"
#include "geometry/helpbands.h"
#include "help/frmhelp.h"
#include "map/area.h"
#include "platform/keystore.h"
#include "platform/rounding.h"
#include "session/cleanup.h"
#include "session/filedialogs.h"
#include "session/messages.h"
#include "support/fixedscreen.h"
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
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
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

// Types name into the file dialog and accepts it; closes anything else.
void answerFileDialog(QWidget* modal, const QString& name)
{
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    if (!dialog) {
        modal->close();
        return;
    }
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own is protected
}

// Of the title bar's buttons, only the close box.
bool onlyCloseBox(const QWidget* window)
{
    const Qt::WindowFlags flags = window->windowFlags();
    return flags.testFlag(Qt::WindowCloseButtonHint) &&
           !(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// The help panels' frames.
const QColor normal(153, 153, 255);
const QColor lit(255, 255, 0);

QImage picture(const QString& resource)
{
    return QPixmap(resource).toImage();
}

// A box's title and text as the catalogue has them.
QStringList boxOf(Message message)
{
    return {messageText(message).title, messageText(message).text};
}

// A key store and association folders of their own, under a temporary folder.
struct Registry {
    QTemporaryDir dir;
    KeyStore store{dir.filePath("store/registry.ini")};
    AssociationFolders folders{dir.filePath("data"), dir.filePath("config")};

    void registerAll(bool perUser)
    {
        regAssoc(store, QStringLiteral("/usr/bin/tavlo"), folders);
        if (perUser)
            store.createKey(RegRoot::CurrentUser,
                            QStringLiteral("Software\\Quillmore\\Tavlo\\User"));
    }
    int keysLeft() const
    {
        return int(std::count_if(tavloKeys.begin(), tavloKeys.end(), [this](const TavloKey& k) {
            return store.keyExists(k.root, k.path.toString());
        }));
    }
    bool associationFileLeft() const
    {
        QFile list(folders.configDir + "/mimeapps.list");
        return QFile::exists(folders.dataDir + "/mime/packages/tavlo.xml") ||
               QFile::exists(folders.dataDir + "/applications/tavlo.desktop") ||
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
    QWidget* helpPart(const QString& name) const
    {
        return name == QLatin1String("frmHelp") ? m_help.get() : m_help->findChild<QWidget*>(name);
    }
    QLabel* helpLabel(const char* name) const { return m_help->findChild<QLabel*>(name); }
    void hover(const QString& name, QPoint pos) const { QTest::mouseMove(helpPart(name), pos); }

    // Shows a fresh uninstall window, presses its button and answers the question.
    void clickClear(Registry& registry, MsgAnswer answer)
    {
        frmDelete window(m_main.get(), registry.store, registry.folders, m_prompts);
        window.show();
        m_prompts.boxAnswer = answer;
        QTest::mouseClick(window.findChild<QPushButton*>("cmdClearReg"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }
    QList<QStringList> shownTexts() const
    {
        QList<QStringList> boxes;
        for (const auto& box : m_prompts.shown)
            boxes << box.texts;
        return boxes;
    }

    bool openHref(QRect mainFrame = {100, 50, 600, 400}, QSize screen = {1024, 768})
    {
        m_href =
            std::make_unique<frmHREF>(m_answer, m_curHREF, m_curT, m_curAlt, mainFrame, screen);
        m_href->show();
        return QTest::qWaitForWindowActive(m_href.get());
    }
    QLineEdit* box(const char* name) const { return m_href->findChild<QLineEdit*>(name); }
    PictureButton* button(const char* name) const
    {
        return m_href->findChild<PictureButton*>(name);
    }
    Texts current() const { return {m_curHREF, m_curT, m_curAlt}; }
    static void press(int count, Qt::Key key)
    {
        for (int i = 0; i < count; ++i)
            QTest::keyClick(QApplication::focusWidget(), key);
    }

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
        m_main.reset();
    }

    // Every entry of both help lists, and the space beside them, from the program's own
    // tables. A band's bounds lie outside it, half a pixel in lies inside, the line between
    // two entries one above the other belongs to neither, and where two overlap the earlier
    // wins.
    void helpHover_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("entry"); // -1: beside the entries
        for (int i = 0; i < int(rightHelpEntries.size()); ++i)
            QTest::addRow("right %s", rightHelpEntries[i].name) << true << i;
        for (int i = 0; i < int(leftHelpEntries.size()); ++i)
            QTest::addRow("left %s", leftHelpEntries[i].name) << false << i;
        QTest::newRow("right, between entries") << true << -1;
        QTest::newRow("left, beside the entries") << false << -1;
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
        const QString list = right ? "img_rList" : "img_lList";
        hover(list, centre((entry + 1) % count));
        hover(list, pos);

        const char* text = right ? (entry < 0 ? rightDefaultText : rightHelpEntries[entry].text)
                                 : (entry < 0 ? leftDefaultText : leftHelpEntries[entry].text);
        const QLabel* box = helpLabel(right ? "txtRight" : "txtLeft");
        QCOMPARE(box->text(), QString::fromUtf8(text).replace("\r\n", "\n"));
        // Tall enough for the whole text.
        QVERIFY(box->height() >= box->heightForWidth(box->width()));
        if (right) {
            QCOMPARE(box->height(), twipsToPixels(entry < 0 ? rightDefaultHeightTwips
                                                            : rightHelpEntries[entry].heightTwips));
            return;
        }
        QVERIFY(box->height() >= twipsToPixels(leftHeightTwips));
        // Beside the left list at most one picture shows: the entry's field or button.
        const LeftPicture shows = entry < 0 ? LeftPicture::None : leftHelpEntries[entry].picture;
        const std::map<LeftPicture, std::pair<const char*, const char*>> pictures{
            {LeftPicture::None, {"", ""}},
            {LeftPicture::HrefField, {"imgHREF", ":/images/field_href.png"}},
            {LeftPicture::TargetField, {"imgTarget", ":/images/field_target.png"}},
            {LeftPicture::EnterButton, {"imgButtons", ":/images/enter_up.png"}},
            {LeftPicture::CancelButton, {"imgButtons", ":/images/cancel_up.png"}},
            {LeftPicture::DeleteButton, {"imgButtons", ":/images/delete_up.png"}}};
        const auto [name, resource] = pictures.at(shows);
        for (const char* label : {"imgHREF", "imgTarget", "imgButtons"})
            QVERIFY2(helpLabel(label)->isVisible() == (qstrcmp(label, name) == 0), label);
        if (*name)
            QCOMPARE(helpLabel(name)->pixmap().toImage(), picture(resource));
    }

    // The help panel the pointer is over is lit: its frame yellow, its header picture shown.
    void helpPanelLit_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QString>("litPanel"); // "f" (neither), "r" (upper) or "l" (lower)
        const auto row = [](const char* name, const char* from, const char* to, QPoint pos,
                            const char* litPanel) {
            QTest::newRow(name) << QString(from) << QString(to) << pos << QString(litPanel);
        };
        row("between the panels", "picBG1", "frmHelp", {300, 181}, "f");
        row("header", "picBG1", "picHeader", {20, 10}, "f");
        row("upper text box", "picBG2", "txtRight", {20, 20}, "r");
        row("lower banner", "picBG1", "imgL_Mouse", {10, 60}, "l");
        row("upper panel", "picBG2", "picBG1", {345, 60}, "r");
        row("right list", "picBG2", "img_rList", {60, 47}, "r");
        row("lower panel", "picBG1", "picBG2", {345, 60}, "l");
        row("left list", "picBG1", "img_lList", {150, 60}, "l");
    }

    void helpPanelLit()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QPoint, pos);
        QFETCH(QString, litPanel);
        QVERIFY(openHelp());
        const QColor upper = litPanel == "r" ? lit : normal, lower = litPanel == "l" ? lit : normal;
        hover(from, {345, 60});
        hover(to, pos);
        QCOMPARE(helpLabel("picHeader")->pixmap().toImage(),
                 picture(":/images/header_" + litPanel + ".png"));
        // Across the middle of each panel's text box: black ground, the white outer frame and
        // the inner frame in the panel's colour, never in the other.
        const QImage shot = m_help->grab().toImage();
        for (const auto& [name, colour] : {std::pair{"txtRight", upper}, {"txtLeft", lower}}) {
            const QLabel* box = helpLabel(name);
            QSet<QRgb> seen;
            for (int x = 0, y = box->mapTo(m_help.get(), box->rect().center()).y();
                 x < shot.width(); ++x)
                seen << shot.pixel(x, y);
            const QRgb other = (colour == lit ? normal : lit).rgb();
            QVERIFY(seen.contains(colour.rgb()) && !seen.contains(other));
            QVERIFY(seen.contains(QColor(Qt::white).rgb()) &&
                    seen.contains(QColor(Qt::black).rgb()));
        }
    }

    void helpOpensAsDesigned()
    {
        QVERIFY(openHelp());
        QCOMPARE(m_help->minimumSize(), m_help->maximumSize());
        QCOMPARE(m_help->pos(), QPoint(40, 30));
        QCOMPARE(m_help->parentWidget(), nullptr);
        QVERIFY(onlyCloseBox(m_help.get()));
        QCOMPARE(helpLabel("picHeader")->pixmap().toImage(), picture(":/images/header_f.png"));
        const QString design = QString::fromUtf8(designText).replace("\r\n", "\n");
        QCOMPARE(helpLabel("txtRight")->text(), design);
        QCOMPARE(helpLabel("txtLeft")->text(), design);
        for (const char* name : {"imgHREF", "imgTarget", "imgButtons"})
            QVERIFY(!helpLabel(name)->isVisible());
        QTest::keyClick(m_help.get(), Qt::Key_Escape);
        QVERIFY(!m_help->isVisible());
        QCOMPARE(m_help->result(), int(QDialog::Rejected));
    }

    // The what-next window over the main window's centre ignores Escape; Quit shrinks it to
    // a strip that says goodbye.
    void endWindowAndFarewell()
    {
        frmEnd window(m_main.get(), m_pause);
        window.show();
        QCOMPARE(window.geometry().center(), m_main->frameGeometry().center());
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(test::layoutFault(&window), QString());
        QTest::keyClick(&window, Qt::Key_Escape);
        QVERIFY(window.isVisible());

        window.findChild<QPushButton*>("cmdQuit")->click();
        QCOMPARE(window.result(), int(EndChoice::Quit));
        // Just inside the main window's top edge, nearly as wide, a line of text high.
        const QRect main = m_main->frameGeometry(), strip = window.geometry();
        QVERIFY(main.contains(strip));
        QVERIFY(strip.top() - main.top() < 5 && strip.width() > main.width() - 10);
        QVERIFY(strip.height() < 2 * QFontMetrics(window.font()).height());
        QCOMPARE(m_pause.pauses, QList<int>{500});
        QCOMPARE(m_pause.eventRuns, 2);
        // The picture is gone and "See You" is painted in the text colour, after fifteen
        // blanks.
        const QImage shown = window.grab().toImage();
        QCOMPARE(shown.pixelColor(0, 0), window.palette().color(QPalette::Highlight));
        const QColor ink = window.palette().color(QPalette::HighlightedText);
        int inked = 0;
        int left = shown.width();
        int right = -1;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                if (shown.pixelColor(x, y) != ink)
                    continue;
                ++inked;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        QVERIFY(inked > 20);
        const QFontMetrics metrics(window.font());
        const int blanks = metrics.horizontalAdvance(QString(15, u' '));
        QVERIFY(left >= blanks);
        QVERIFY(left <= blanks + metrics.horizontalAdvance(u'S'));
        QVERIFY(right < blanks + metrics.horizontalAdvance(QStringLiteral("See You")));
    }

    void endChoices_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<EndChoice>("choice");
        QTest::newRow("Enter") << "Enter" << EndChoice::Quit;
        QTest::newRow("Quit") << "cmdQuit" << EndChoice::Quit;
        QTest::newRow("Preview") << "cmdPreview" << EndChoice::Preview;
        QTest::newRow("Another") << "cmdIgnore" << EndChoice::Another;
        QTest::newRow("closed otherwise") << "close" << EndChoice::Another;
    }

    void endChoices()
    {
        QFETCH(QString, action);
        QFETCH(EndChoice, choice);
        WidgetEndWindow end(m_main.get(), m_pause);
        whenModal([action](QWidget* modal) {
            if (action == "Enter")
                QTest::keyClick(modal, Qt::Key_Return);
            else if (action == "close")
                modal->close();
            else
                modal->findChild<QPushButton*>(action)->click();
        });
        QCOMPARE(end.run(), choice);
        // Only Quit says goodbye.
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
        const auto row = [](const char* name, bool isOpen, const char* typed, const char* chosen) {
            QTest::newRow(name) << isOpen << QString(typed) << QString(chosen);
        };
        row("open an existing file", true, "photo.jpg", "photo.jpg");
        row("open, typed without suffix", true, "photo", "photo.jpg");
        row("open a missing file", true, "gone.jpg", "");
        row("save over a map", false, "map", "map.tavl");
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
        QString title, folder, asked;
        QStringList filters;
        whenModal([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                title = dialog->windowTitle();
                folder = dialog->directory().absolutePath();
                filters = dialog->nameFilters();
            }
            // The question comes up inside the dialog's accept().
            if (!isOpen) {
                whenModal([&](QWidget* question) {
                    if (auto* box = qobject_cast<QMessageBox*>(question)) {
                        asked = box->text();
                        box->button(QMessageBox::Yes)->click();
                    }
                });
            }
            answerFileDialog(modal, typed);
        });
        QCOMPARE(dialogs.showFileDialog(isOpen, 0, picture),
                 chosen.isEmpty() ? QString() : m_dir.filePath(chosen));
        const DialogSetup setup = fileDialogSetup(isOpen, 0, picture);
        QCOMPARE(title, setup.title);
        QCOMPARE(filters, setup.filters);
        QCOMPARE(folder, m_dir.path());
        QCOMPARE(asked.contains("already exists"), !isOpen);
        QCOMPARE(shownTexts(), chosen.isEmpty() ? QList<QStringList>{boxOf(Message::OpenError)}
                                                : QList<QStringList>{});
        if (chosen.isEmpty())
            QCOMPARE(m_prompts.lastIcon, MsgIcon::Exclamation);
    }

    // The uninstall window's button clears every key and association file Tavlo made, after
    // asking; what it cannot clear it names, and only that.
    void deleteClear_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("perUser");
        QTest::addColumn<int>("earlierCleanups");
        QTest::addColumn<QString>("leftover"); // "subkey", "folder" or none
        QTest::addColumn<QString>("named");    // in the note about the leftover
        const auto row = [](const char* name, MsgAnswer answer, bool perUser, int earlier,
                            const char* leftover = "", const char* named = "") {
            QTest::newRow(name) << answer << perUser << earlier << QString(leftover)
                                << QString(named);
        };
        const auto yes = MsgAnswer::Yes;
        row("yes, association", yes, false, 0);
        row("yes, association and per-user key", yes, true, 0);
        row("yes, second clean-up, nothing left", yes, false, 1);
        row("no deletes nothing", MsgAnswer::No, true, 0);
        row("a subkey Tavlo does not know", yes, false, 0, "subkey", "HKEY_CLASSES_ROOT\\Tavlo");
        row("mimeapps.list is a folder", yes, false, 0, "folder", "/config/mimeapps.list");
    }

    void deleteClear()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, perUser);
        QFETCH(int, earlierCleanups);
        QFETCH(QString, leftover);
        QFETCH(QString, named);
        Registry registry;
        registry.registerAll(perUser);
        const int registered = perUser ? 7 : 5;
        QCOMPARE(registry.keysLeft(), registered);
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
        QCOMPARE(shownTexts().size(), yes ? 2 : 1);
        QCOMPARE(shownTexts().first(), boxOf(Message::ClearRegistry));
        if (!leftover.isEmpty()) {
            QCOMPARE(shownTexts()[1][0], messageText(Message::RegistryNotCleared).title);
            QCOMPARE(m_prompts.lastIcon, MsgIcon::Exclamation);
            const QString note = shownTexts()[1][1];
            QVERIFY2(note.contains(named), qPrintable(note));
            QVERIFY2(!note.contains(".tavl"), qPrintable(note)); // what did go is not named
            return;
        }
        QCOMPARE(registry.keysLeft(), yes ? 0 : registered);
        QCOMPARE(registry.associationFileLeft(), !yes);
        if (yes)
            QCOMPARE(shownTexts()[1], boxOf(Message::RegistryCleared));
        QCOMPARE(m_prompts.lastIcon, MsgIcon::None);
    }

    // The uninstall window: its top right corner on the owner's; closed, it hands the owner
    // back the focus.
    void deleteWindow_data()
    {
        QTest::addColumn<QRect>("mainGeometry");
        QTest::newRow("wide main window") << QRect(300, 200, 800, 600);
        QTest::newRow("narrow, at the left edge: no correction") << QRect(0, 40, 300, 200);
    }

    void deleteWindow()
    {
        QFETCH(QRect, mainGeometry);
        Registry registry;
        m_main->setGeometry(mainGeometry);
        frmDelete window(m_main.get(), registry.store, registry.folders, m_prompts);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(onlyCloseBox(&window));
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY(window.findChild<QPushButton*>("cmdClearReg")->isDefault());
        const QString about = window.findChild<QLabel*>("lblAbout")->text();
        QVERIFY(!about.isEmpty() && !about.contains('\r'));
        QCOMPARE(test::layoutFault(&window), QString());
        // Along the bottom row the gradient grows from black to its last colour, never darker
        // to the right; white lines of its frame run down the left and along the top, clear
        // of the controls.
        const QImage image = window.grab().toImage();
        const int w = image.width(), h = image.height();
        QCOMPARE(image.pixelColor(0, h - 1), QColor(Qt::black));
        QCOMPARE(image.pixelColor(w - 1, h - 1),
                 gradLineColours(window.width() * twipsPerPixel, 0, 0, 0).constLast());
        QRect controls;
        for (const QWidget* control : window.findChildren<QWidget*>())
            controls |= control->geometry();
        bool row = false, column = false;
        for (int x = 1; x < w; ++x) {
            QVERIFY(image.pixelColor(x, h - 1).blue() >= image.pixelColor(x - 1, h - 1).blue());
            row |= x < controls.left() && image.pixelColor(x, h / 2) == Qt::white;
        }
        for (int y = 0; y < controls.top(); ++y)
            column |= image.pixelColor(w / 2, y) == Qt::white;
        QVERIFY(row && column);

        window.show();
        const QRect main = m_main->frameGeometry(), own = window.frameGeometry();
        QCOMPARE(own.top(), main.top());
        QCOMPARE(own.right(), main.right());
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.close(); // the close box
        QVERIFY(!window.isVisible());
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(m_prompts.shown.isEmpty());
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
    }

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
        row("empty HREF, TARGET", {"", "", ""}, {"", "_top", a}, "\" Target=\"_top",
            {"", "_top", ""});
        row("all three", {"#", "", ""}, {"a.htm", "main", "Home"},
            "a.htm\" Target=\"main\" ALT=\"Home", {"a.htm", "main", "Home"});
        row("phrase inside", {"#", "", ""}, {"a", "x, if you would like...", "y"}, "a\" ALT=\"y",
            {"a", "", "y"});
        row("capital I is filled in", {"#", "", ""}, {"#", "If you would like...", a},
            "#\" Target=\"If you would like...", {"#", "If you would like...", ""});
        row("quote and brackets escaped", {"#", "", ""}, {"a\"b<c>", "x\"y", "<b>"},
            "a&quot;b&lt;c&gt;\" Target=\"x&quot;y\" ALT=\"&lt;b&gt;", {"a\"b<c>", "x\"y", "<b>"});
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
        const Texts prompts{defaultHref, targetPrompt, altPrompt};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(boxes[i]->text().toUtf8(), old[i].isEmpty() ? prompts[i] : old[i]);
        QCOMPARE(QApplication::focusWidget(), boxes[0]);
        QCOMPARE(boxes[0]->selectedText(), boxes[0]->text());
        for (int i = 0; i < 3; ++i)
            boxes[i]->setText(QString::fromUtf8(typed[i]));
        QTest::mouseClick(button("picEnter"), Qt::LeftButton);
        QVERIFY(!m_href->isVisible());
        QCOMPARE(said(m_answer), answer);
        QCOMPARE(current(), after);
    }

    // Each opening answers afresh: a close by the window manager right after an Enter, or a
    // Cancel right after a Delete, answers "". Only Enter takes the typed HREF.
    void hrefRunAnswersEachOpening()
    {
        test::FixedScreen screen({1024, 768});
        WidgetAreaDialog areaDialog(m_main.get(), screen);
        const QList<std::pair<const char*, QByteArray>> openings = {
            {"picEnter", "typed.htm"}, {"window", ""}, {"picDelete", deleted}, {"picCancel", ""}};
        for (const auto& [way, answer] : openings) {
            whenModal([way = QString(way)](QWidget* modal) {
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

    void hrefKeys()
    {
        QFETCH(int, tabs);
        QFETCH(int, key);
        QFETCH(QString, focused);
        QFETCH(QByteArray, answer);
        QVERIFY(openHref());
        for (QLineEdit* b : m_href->findChildren<QLineEdit*>())
            b->deselect();
        press(std::abs(tabs), tabs < 0 ? Qt::Key_Backtab : Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QCOMPARE(focus->objectName(), focused);
        if (auto* b = qobject_cast<QLineEdit*>(focus))
            QCOMPARE(b->selectedText(), b->text());
        QTest::keyClick(focus, Qt::Key(key));
        QCOMPARE(m_href->isVisible(), answer.isNull());
        QCOMPARE(said(m_answer), answer.isNull() ? QByteArray("previous answer") : answer);
    }

    void hrefPictureStates()
    {
        QVERIFY(openHref());
        PictureButton* enter = button("picEnter");
        for (PictureButton* b : {enter, button("picCancel"), button("picDelete")})
            QVERIFY(!showsDown(b));
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
        QVERIFY(m_href->isVisible());
    }

    void hrefPlacementAndLook_data()
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

    // Placed by the main window's frame; the frame and the background are painted by the
    // dialog itself.
    void hrefPlacementAndLook()
    {
        QFETCH(QRect, mainFrame);
        QVERIFY(openHref(mainFrame, {1024, 768}));
        QTEST(m_href->pos(), "expected");
        QVERIFY(!m_href->parentWidget());
        QVERIFY(m_href->windowFlags() & Qt::FramelessWindowHint);
        for (const char* name : {"picEnter", "picCancel", "picDelete"})
            QVERIFY2(!button(name)->toolTip().isEmpty(), name);
        QCOMPARE(test::layoutFault(m_href.get()), QString());
        const QImage shot = m_href->grab().toImage();
        const QPoint corner(shot.width() - 1, shot.height() - 1);
        for (QPoint frame : {QPoint(0, 0), QPoint(1, 1), corner, corner - QPoint(1, 1)})
            QCOMPARE(shot.pixelColor(frame), QColor(204, 204, 204));
        for (QPoint back : {QPoint(2, 2), corner - QPoint(2, 2)})
            QCOMPARE(shot.pixelColor(back), QColor(64, 64, 64));
    }

    // Every text of the catalogue that a message window shows, with the longest paths a
    // person is likely to have in its placeholders: each shows whole, nothing overlaps, and a
    // window whose texts fit its design size keeps that size.
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
    }

    void messageTextsFit()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, texts);
        const auto dialog = makeMessageWindow(window);
        const auto design = makeMessageWindow(window);
        auto labels = dialog->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        std::sort(labels.begin(), labels.end(),
                  [](QLabel* a, QLabel* b) { return a->objectName() < b->objectName(); });
        QCOMPARE(labels.size(), texts.size());
        if (window == "frmMsgSm")
            static_cast<frmMsgSm*>(dialog.get())->setLabels(texts[0], texts[1]);
        else if (window == "frmMsg")
            static_cast<frmMsg*>(dialog.get())->setLabels(texts[0], texts[1], texts[2]);
        else
            static_cast<frmAlert*>(dialog.get())->setLabels(texts[0], texts[1], texts[2]);

        QCOMPARE(test::layoutFault(dialog.get()), QString());
        design->ensurePolished();
        bool fitsByDesign = true;
        for (int i = 0; i < labels.size(); ++i) {
            const auto* unfitted = design->findChild<QLabel*>(labels[i]->objectName());
            fitsByDesign = fitsByDesign && !test::textCut(unfitted, texts[i]);
        }
        QVERIFY(dialog->width() <= dialog->screen()->availableGeometry().width());
        if (fitsByDesign)
            QCOMPARE(dialog->size(), design->size());
    }

    void messageGradient_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("size"); // empty: design size
        QTest::addColumn<QColor>("bottom");
        QTest::addColumn<QColor>("top"); // invalid: the window's own background
        const auto row = [](const char* window, QSize size, QColor bottom, QColor top) {
            QTest::addRow("%s %dx%d", window, size.width(), size.height())
                << QString(window) << size << bottom << top;
        };
        row("frmMsg", {}, QColor(0, 0, 255), QColor(0, 0, 7));
        row("frmMsgSm", {}, QColor(187, 0, 187), QColor(0, 0, 0));
        row("frmAlert", {}, QColor(255, 0, 0), {});
        // 2300 pixels are 34500 twips; 34500 / 63 rounds to 548, so the top band overruns.
        row("frmAlert", {300, 2300}, QColor(255, 0, 0), QColor(7, 0, 0));
    }

    void messageGradient()
    {
        QFETCH(QString, window);
        QFETCH(QSize, size);
        QFETCH(QColor, bottom);
        QFETCH(QColor, top);
        const auto dialog = makeMessageWindow(window);
        if (size.isValid())
            dialog->resize(size);
        const QImage image = dialog->grab().toImage();
        QCOMPARE(image.size(), dialog->size());
        QCOMPARE(image.pixelColor(1, image.height() - 1), bottom);
        QCOMPARE(image.pixelColor(1, 0),
                 top.isValid() ? top : dialog->palette().color(QPalette::Window));
        const auto brightness = [&](int y) {
            return qMax(image.pixelColor(1, y).red(), image.pixelColor(1, y).blue());
        };
        const int firstUnpainted = top.isValid() ? 0 : 2;
        for (int y = image.height() - 1; y > firstUnpainted; --y)
            QVERIFY2(brightness(y - 1) <= brightness(y), qPrintable(QString::number(y)));
    }

    void messagePrompts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("key"); // 0: closed some other way
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("tagOnClose");
        // An owner not shown yet (a refused file at start-up): the window is centred on the
        // screen instead.
        QTest::addColumn<bool>("ownerShown");
        const auto row = [](const char* name, Qt::Key key, bool closes, const char* tag,
                            bool ownerShown) {
            QTest::newRow(name) << QString(name).section(' ', 0, 0) << int(key) << closes
                                << QString(tag) << ownerShown;
        };
        row("frmAlert Enter is YES", Qt::Key_Return, true, "please", true);
        row("frmAlert Escape is NO", Qt::Key_Escape, true, "left", false);
        row("frmAlert closed is NO", Qt::Key(0), true, "left", true);
        row("frmMsg Enter is OK", Qt::Key_Return, true, "left", false);
        row("frmMsgSm Enter is OK", Qt::Key_Enter, true, "left", true);
        row("frmMsg Escape stays", Qt::Key_Escape, false, "left", true);
        row("frmMsgSm Escape stays", Qt::Key_Escape, false, "left", false);
    }

    void messagePrompts()
    {
        QFETCH(QString, window);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QFETCH(QString, tagOnClose);
        QFETCH(bool, ownerShown);
        QWidget hidden;
        QWidget& owner = ownerShown ? *m_main : hidden;
        const QPoint centre = ownerShown ? owner.frameGeometry().center()
                                         : owner.screen()->availableGeometry().center();
        owner.setProperty("Tag", QStringLiteral("left"));
        WidgetPrompts prompts(&owner);
        QString focused, label2, tag;
        bool closed = false;
        whenModal([&](QWidget* modal) {
            QCOMPARE(modal->parentWidget(), &owner);
            QCOMPARE(modal->geometry().center(), centre);
            focused = modal->focusWidget() ? modal->focusWidget()->objectName() : QString();
            label2 = modal->findChild<QLabel*>("Label2")->text();
            if (key)
                QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key(key));
            else
                modal->close();
            closed = !modal->isVisible();
            tag = owner.property("Tag").toString();
        });
        bool yes = false;
        if (window == "frmMsg")
            prompts.showMsg("Head", "one\r\ntwo <b>", "three");
        else if (window == "frmMsgSm")
            prompts.showMsgSm("Head", "one\r\ntwo <b>");
        else
            yes = prompts.askAlert("Head", "one\r\ntwo <b>", "three");
        QCOMPARE(focused, window == "frmAlert" ? "cmdYes" : "cmdOK");
        QCOMPARE(label2, "one\ntwo <b>");
        QCOMPARE(closed, closes);
        QCOMPARE(tag, tagOnClose);
        // A YES is read once: the owner's Tag is cleared for the next question.
        QCOMPARE(yes, tagOnClose == "please");
        QCOMPARE(owner.property("Tag").toString(), yes ? "" : "left");
        QVERIFY(owner.findChildren<QDialog*>().isEmpty());
    }

    void messageBox_data()
    {
        QTest::addColumn<MsgIcon>("icon");
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<QMessageBox::Icon>("boxIcon");
        QTest::addColumn<QMessageBox::StandardButton>("press");
        QTest::addColumn<MsgAnswer>("answer");
        using Box = QMessageBox;
        const auto ok = MsgButtons::Ok, yesNo = MsgButtons::YesNo;
        QTest::newRow("plain") << MsgIcon::None << ok << Box::NoIcon << Box::Ok << MsgAnswer::Ok;
        QTest::newRow("note") << MsgIcon::Information << ok << Box::Information << Box::Ok
                              << MsgAnswer::Ok;
        QTest::newRow("exclamation, yes")
            << MsgIcon::Exclamation << yesNo << Box::Warning << Box::Yes << MsgAnswer::Yes;
        QTest::newRow("question, no")
            << MsgIcon::Question << yesNo << Box::Question << Box::No << MsgAnswer::No;
    }

    void messageBox()
    {
        QFETCH(MsgIcon, icon);
        QFETCH(MsgButtons, buttons);
        QFETCH(QMessageBox::Icon, boxIcon);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(MsgAnswer, answer);
        WidgetPrompts prompts(m_main.get());
        QString title, text;
        QMessageBox::Icon shownIcon = QMessageBox::Critical;
        QMessageBox::StandardButtons shownButtons;
        whenModal([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            title = box->windowTitle();
            text = box->text();
            shownIcon = box->icon();
            shownButtons = box->standardButtons();
            box->button(press)->click();
        });
        QCOMPARE(prompts.messageBox("Tavlo Note", "Line one\r\nline two", icon, buttons), answer);
        QCOMPARE(title, "Tavlo Note");
        QCOMPARE(text, "Line one\nline two");
        QCOMPARE(shownIcon, boxIcon);
        QCOMPARE(shownButtons, buttons == MsgButtons::Ok
                                   ? QMessageBox::StandardButtons(QMessageBox::Ok)
                                   : QMessageBox::Yes | QMessageBox::No);
    }
};

QTEST_MAIN(tst_SmallWindows)
#include "tst_smallwindows.moc"
