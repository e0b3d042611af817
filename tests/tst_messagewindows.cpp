#include "app/frmalert.h"
#include "app/frmmsg.h"
#include "app/frmmsgsm.h"
#include "app/modbase.h"
#include "app/modgrad.h"
#include "app/widgetprompts.h"
#include "platform/rounding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <memory>

using namespace tavlo;

namespace {

std::unique_ptr<QDialog> makeWindow(const QString& name, QWidget* owner)
{
    if (name == "frmMsg")
        return std::make_unique<frmMsg>(owner);
    if (name == "frmMsgSm")
        return std::make_unique<frmMsgSm>(owner);
    return std::make_unique<frmAlert>(owner);
}

// Runs `act` on the modal window once exec() has shown it; the window is accepted
// afterwards if `act` left it open, so that exec() always returns.
void whenModal(const std::function<void(QDialog*)>& act)
{
    QTimer::singleShot(0, [act] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal)
            return;
        act(modal);
        if (modal->isVisible())
            modal->accept();
    });
}

} // namespace

class TestMessageWindows : public QObject {
    Q_OBJECT

private slots:

    void bandColours_data()
    {
        QTest::addColumn<QColor>("start");
        QTest::addColumn<int>("band");
        QTest::addColumn<QColor>("expected");
        const QColor blue(0, 0, 255), magenta(187, 0, 187), red(255, 0, 0);
        QTest::newRow("blue first") << blue << 0 << QColor(0, 0, 255);
        QTest::newRow("blue second") << blue << 1 << QColor(0, 0, 251);
        QTest::newRow("blue top") << blue << 62 << QColor(0, 0, 7);
        QTest::newRow("magenta 47th") << magenta << 46 << QColor(3, 0, 3);
        QTest::newRow("magenta 48th reaches 0") << magenta << 47 << QColor(0, 0, 0);
        QTest::newRow("red top") << red << 62 << QColor(7, 0, 0);
    }

    void bandColours()
    {
        QFETCH(QColor, start);
        QFETCH(int, band);
        QFETCH(QColor, expected);
        const auto bands =
            gradBands(QSize(8280, 5010), start.red(), start.green(), start.blue(), false);
        QCOMPARE(bands.size(), 63);
        QCOMPARE(bands.at(band).colour, expected);
    }

    void bandRects_data()
    {
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<bool>("fromTop");
        QTest::addColumn<QRect>("first");
        QTest::addColumn<int>("lastTop");
        // 5010 / 63 = 79.52: the bands overrun the top edge by 30 twips.
        QTest::newRow("frmMsg") << QSize(8280, 5010) << false << QRect(0, 4930, 8280, 80) << -30;
        QTest::newRow("frmMsgSm") << QSize(6420, 1635) << false << QRect(0, 1609, 6420, 26) << -3;
        // 3555 / 63 = 56.43: 27 twips at the top stay unpainted.
        QTest::newRow("frmAlert") << QSize(6330, 3555) << false << QRect(0, 3499, 6330, 56) << 27;
        QTest::newRow("over 32767 twips")
            << QSize(40000, 40000) << false << QRect(0, 39365, 40000, 635) << -5;
        QTest::newRow("from top") << QSize(8280, 5010) << true << QRect(0, 0, 8280, 80) << 4960;
    }

    void bandRects()
    {
        QFETCH(QSize, outer);
        QFETCH(bool, fromTop);
        QFETCH(QRect, first);
        QFETCH(int, lastTop);
        const auto bands = gradBands(outer, 0, 0, 255, fromTop);
        QCOMPARE(bands.size(), 63);
        QCOMPARE(bands.first().rect, first);
        QCOMPARE(bands.last().rect.top(), lastTop);
        for (qsizetype i = 1; i < bands.size(); ++i) {
            const QRect prev = bands.at(i - 1).rect, cur = bands.at(i).rect;
            QCOMPARE(cur.size(), first.size());
            QCOMPARE(fromTop ? cur.top() : cur.bottom() + 1,
                     fromTop ? prev.bottom() + 1 : prev.top());
        }
    }

    void controls_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control"); // empty: the window itself
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QColor>("colour"); // invalid: not checked
        const auto row = [](const char* window, const char* control, QRect twips, double points,
                            const char* style, QColor colour = {}) {
            QTest::addRow("%s %s", window, control) << QString(window) << QString(control) << twips
                                                    << points << QString(style) << colour;
        };
        const QColor yellow(255, 255, 0), white(255, 255, 255);
        row("frmMsg", "", {0, 0, 8280, 5010}, 12, "regular");
        row("frmMsg", "Label1", {270, 255, 5325, 810}, 27.75, "italic", yellow);
        row("frmMsg", "Label2", {1005, 1215, 6165, 2610}, 12, "regular", white);
        row("frmMsg", "Label3", {1365, 3990, 5880, 990}, 12, "bold", yellow);
        row("frmMsg", "cmdOK", {7305, 4380, 705, 450}, 12, "bold");
        row("frmMsgSm", "", {0, 0, 6420, 1635}, 12, "regular");
        row("frmMsgSm", "Label1", {120, 150, 5880, 570}, 26.25, "italic", yellow);
        row("frmMsgSm", "Label2", {90, 1095, 5235, 315}, 12, "regular", white);
        row("frmMsgSm", "cmdOK", {5595, 1035, 705, 450}, 12, "bold");
        row("frmAlert", "", {0, 0, 6330, 3555}, 12, "regular");
        row("frmAlert", "Label1", {90, 210, 5880, 810}, 27.75, "italic", yellow);
        row("frmAlert", "Label2", {195, 1350, 5940, 675}, 12, "regular", white);
        row("frmAlert", "Label3", {690, 2190, 3330, 915}, 12, "bold", white);
        row("frmAlert", "cmdYes", {4575, 2670, 825, 450}, 12, "bold");
        row("frmAlert", "cmdNo", {5535, 2670, 705, 450}, 12, "bold");
    }

    void controls()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QRect, twips);
        QFETCH(double, points);
        QFETCH(QString, style);
        QFETCH(QColor, colour);
        const auto dialog = makeWindow(window, nullptr);
        QWidget* widget = control.isEmpty() ? dialog.get() : dialog->findChild<QWidget*>(control);
        QVERIFY(widget);
        widget->ensurePolished();
        const QRect pixels(twipsToPixels(twips.x()), twipsToPixels(twips.y()),
                           twipsToPixels(twips.width()), twipsToPixels(twips.height()));
        QCOMPARE(widget->geometry(), pixels);
        const QFont font = widget->font();
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.pixelSize(), roundToInt(points * 96 / 72)); // points at 96 dpi
        QCOMPARE(font.italic() ? "italic" : font.bold() ? "bold" : "regular", style);
        if (colour.isValid())
            QCOMPARE(widget->palette().color(widget->foregroundRole()), colour);
        if (control == "Label2")
            QCOMPARE(qobject_cast<QLabel*>(widget)->alignment() & Qt::AlignHorizontal_Mask,
                     window == "frmMsg" ? Qt::AlignLeft : Qt::AlignHCenter);
    }

    // Every text the program puts into its message windows, with the longest paths a
    // person is likely to have: each shows whole, nothing overlaps, and a window whose texts
    // fit its design size keeps that size.
    void textsFit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("texts");
        const QString nl = "\r\n", problem = "We have a problem...";
        const QStringList paths{
            "/home/annelise/Documents/Web sites/Harbour walk/images/harbour front at night.jpeg",
            "/home/annelise/Documents/websites/harbour-walk/2024-summer/images/"
            "harbour-front-at-night-from-the-old-pier.jpg"};
        const auto row = [&](const char* name, const char* window, const QStringList& texts) {
            for (int i = 0; i < paths.size(); ++i) {
                QStringList withPath = texts;
                withPath.replaceInStrings("<path>", paths[i]);
                QTest::addRow("%s %s", name, i ? "long path" : "path")
                    << QString(window) << withPath;
                if (!texts.join("").contains("<path>"))
                    return;
            }
        };
        row("directory", "frmMsg",
            {"No directories, please...", nl + "Tavlo will not open a directory.",
             "Not much else to say on that one."});
        row("unrecognised kind", "frmMsg",
            {problem, nl + "Tavlo does not recognize the filetype in:" + nl + nl + "<path>",
             fileKindHint});
        row("could not open", "frmMsg",
            {problem, nl + "Tavlo could not open:" + nl + nl + "<path>", fileKindHint});
        row("could not read", "frmMsg",
            {problem, nl + "Tavlo could not open:" + nl + nl + "<path>", "Permission denied"});
        row("picture too large", "frmMsg",
            {problem,
             nl + "Tavlo maps pictures of up to 32767 by 32767 pixels;" + nl +
                 "this one is 65535 by 65535:" + nl + nl + "<path>",
             "Please choose a smaller picture."});
        row("decoded picture too large", "frmMsg",
            {problem,
             nl + "Tavlo maps pictures of up to 32767 by 32767 pixels:" + nl + nl + "<path>",
             fileKindHint});
        row("not a map", "frmMsg",
            {problem,
             "The file requested either:" + nl + nl + "1.) Contains no TAVL file, or" + nl +
                 "2.) the file has been corrupted in the following manner -- " + nl + nl +
                 "Copyright tag missing or altered." + nl + "Area tags missing or altered." + nl +
                 "Image tag missing or altered.",
             "  To edit an TAVL file -- all the tags," + nl +
                 " as well as comments, must be left intact."});
        row("bad coords", "frmMsg",
            {problem,
             nl + "The COORDS of area 32767 in" + nl + nl + "<path>" + nl + nl +
                 "are not whole numbers Tavlo can use:" + nl + "10, 10, 99999999999, 40",
             "Please correct the map, then open it again."});
        row("default image path", "frmMsg",
            {"Keep in mind...",
             nl + nl + "Tavlo will prepend the default path of " + nl +
                 "\"images/\" to the following image.",
             "Be sure to edit this later, if necessary."});
        row("save failed", "frmMsg",
            {problem, nl + "Tavlo could not save the map to:" + nl + nl + "<path>",
             "No space left on device"});
        row("no browser", "frmMsg",
            {"Browser not found...", nl + nl + "Tavlo Could not find associated Browser.",
             "Are you running something old, or should you contact Tavlo suppport?"});
        row("browser failed", "frmMsg",
            {"URL failed...", nl + nl + nl + "Web Page not Opened", ""});
        row("preview not written", "frmMsg",
            {"Browser initialization failed.", nl + nl + nl + "Web Page not Opened",
             "If problem persists, please contact Tavlo support."});
        row("several files dropped", "frmMsgSm",
            {problem, "Please enter only one file to map at time."});
        row("image missing", "frmAlert",
            {"Image path problem...",
             "The path to the image contained in" + nl +
                 "the map file is incorrect for your machine.",
             "Would you like the opportunity to" + nl +
                 "locate that image now, via an open dialog?"});
        row("unsaved work", "frmAlert",
            {"Your last chance...", "The present MAP is as yet unsaved.",
             "Would you like the opportunity to" + nl + "save your current work?"});
    }

    void textsFit()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, texts);
        const auto dialog = makeWindow(window, nullptr);
        const auto design = makeWindow(window, nullptr);
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

        // With the fonts of the style sheet, as shown.
        dialog->ensurePolished();
        design->ensurePolished();
        // As the label lays it out: its font, its alignment, wrapped at word ends.
        const auto cut = [](const QLabel* label, const QString& text) {
            const QRect room = label->contentsRect();
            const QRect used = QFontMetrics(label->font())
                                   .boundingRect(room, int(label->alignment()) | Qt::TextWordWrap,
                                                 QString(text).replace("\r\n", "\n"));
            return !room.contains(used);
        };
        bool fitsByDesign = true;
        for (int i = 0; i < labels.size(); ++i) {
            QLabel* label = labels[i];
            QVERIFY2(!cut(label, texts[i]), qPrintable(label->objectName()));
            const auto* unfitted = design->findChild<QLabel*>(label->objectName());
            fitsByDesign = fitsByDesign && !cut(unfitted, texts[i]);
        }
        const QList<QWidget*> controls = dialog->findChildren<QWidget*>(
            QRegularExpression("^(Label|cmd)"), Qt::FindDirectChildrenOnly);
        for (QWidget* control : controls) {
            QVERIFY2(dialog->rect().contains(control->geometry()),
                     qPrintable(control->objectName()));
            for (QWidget* other : controls)
                QVERIFY2(other == control || !other->geometry().intersects(control->geometry()),
                         qPrintable(control->objectName() + " " + other->objectName()));
        }
        QVERIFY(dialog->width() <= dialog->screen()->availableGeometry().width());
        if (fitsByDesign)
            QCOMPARE(dialog->size(), design->size());
    }

    void paintedGradient_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QSize>("size"); // empty: design size
        QTest::addColumn<QColor>("bottom");
        QTest::addColumn<QColor>("top"); // invalid: the window's own background
        QTest::newRow("frmMsg") << "frmMsg" << QSize() << QColor(0, 0, 255) << QColor(0, 0, 7);
        QTest::newRow("frmMsgSm") << "frmMsgSm" << QSize() << QColor(187, 0, 187)
                                  << QColor(0, 0, 0);
        QTest::newRow("frmAlert") << "frmAlert" << QSize() << QColor(255, 0, 0) << QColor();
        // 2300 pixels are 34500 twips; 34500 / 63 rounds to 548, so the top band overruns.
        QTest::newRow("frmAlert over 32767 twips")
            << "frmAlert" << QSize(300, 2300) << QColor(255, 0, 0) << QColor(7, 0, 0);
    }

    void paintedGradient()
    {
        QFETCH(QString, window);
        QFETCH(QSize, size);
        QFETCH(QColor, bottom);
        QFETCH(QColor, top);
        const auto dialog = makeWindow(window, nullptr);
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

    void prompts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("key"); // 0: closed some other way
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("tagOnClose");
        // An owner not shown yet (a refused file at start-up): the window is centred on the
        // screen instead.
        QTest::addColumn<bool>("ownerShown");
        QTest::newRow("frmAlert Enter is YES")
            << "frmAlert" << int(Qt::Key_Return) << true << "please" << true;
        QTest::newRow("frmAlert Escape is NO")
            << "frmAlert" << int(Qt::Key_Escape) << true << "left" << false;
        QTest::newRow("frmAlert closed is NO") << "frmAlert" << 0 << true << "left" << true;
        QTest::newRow("frmMsg Enter is OK")
            << "frmMsg" << int(Qt::Key_Return) << true << "left" << false;
        QTest::newRow("frmMsgSm Enter is OK")
            << "frmMsgSm" << int(Qt::Key_Enter) << true << "left" << true;
        QTest::newRow("frmMsg Escape stays")
            << "frmMsg" << int(Qt::Key_Escape) << false << "left" << true;
        QTest::newRow("frmMsgSm Escape stays")
            << "frmMsgSm" << int(Qt::Key_Escape) << false << "left" << false;
    }

    void prompts()
    {
        QFETCH(QString, window);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QFETCH(QString, tagOnClose);
        QFETCH(bool, ownerShown);
        QWidget owner;
        owner.setGeometry(100, 80, 500, 300);
        if (ownerShown)
            owner.show();
        const QPoint centre = ownerShown ? owner.frameGeometry().center()
                                         : owner.screen()->availableGeometry().center();
        owner.setProperty("Tag", QStringLiteral("left"));
        WidgetPrompts prompts(&owner);
        QString focused, label2, tag;
        bool closed = false;
        whenModal([&](QDialog* modal) {
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
        QTest::newRow("plain") << MsgIcon::None << MsgButtons::Ok << QMessageBox::NoIcon
                               << QMessageBox::Ok << MsgAnswer::Ok;
        QTest::newRow("note") << MsgIcon::Information << MsgButtons::Ok << QMessageBox::Information
                              << QMessageBox::Ok << MsgAnswer::Ok;
        QTest::newRow("exclamation, yes")
            << MsgIcon::Exclamation << MsgButtons::YesNo << QMessageBox::Warning << QMessageBox::Yes
            << MsgAnswer::Yes;
        QTest::newRow("question, no") << MsgIcon::Question << MsgButtons::YesNo
                                      << QMessageBox::Question << QMessageBox::No << MsgAnswer::No;
    }

    void messageBox()
    {
        QFETCH(MsgIcon, icon);
        QFETCH(MsgButtons, buttons);
        QFETCH(QMessageBox::Icon, boxIcon);
        QFETCH(QMessageBox::StandardButton, press);
        QFETCH(MsgAnswer, answer);
        QWidget owner;
        WidgetPrompts prompts(&owner);
        QString title, text;
        QMessageBox::Icon shownIcon = QMessageBox::Critical;
        QMessageBox::StandardButtons shownButtons;
        whenModal([&](QDialog* modal) {
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

QTEST_MAIN(TestMessageWindows)
#include "tst_messagewindows.moc"
