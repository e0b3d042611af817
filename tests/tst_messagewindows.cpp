#include "app/frmalert.h"
#include "app/frmmsg.h"
#include "app/frmmsgsm.h"
#include "app/widgetprompts.h"
#include "session/messages.h"
#include "support/layoutcheck.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
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
    // Every text of the catalogue that a message window shows, with the longest paths a
    // person is likely to have in its placeholders: each shows whole, nothing overlaps, and a
    // window whose texts fit its design size keeps that size.
    void textsFit_data()
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

    void paintedGradient_data()
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
        using Box = QMessageBox;
        QTest::newRow("plain") << MsgIcon::None << MsgButtons::Ok << Box::NoIcon << Box::Ok
                               << MsgAnswer::Ok;
        QTest::newRow("note") << MsgIcon::Information << MsgButtons::Ok << Box::Information
                              << Box::Ok << MsgAnswer::Ok;
        QTest::newRow("exclamation, yes") << MsgIcon::Exclamation << MsgButtons::YesNo
                                          << Box::Warning << Box::Yes << MsgAnswer::Yes;
        QTest::newRow("question, no")
            << MsgIcon::Question << MsgButtons::YesNo << Box::Question << Box::No << MsgAnswer::No;
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
