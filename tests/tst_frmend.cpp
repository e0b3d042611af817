#include "app/frmend.h"
#include "app/widgetendwindow.h"
#include "app/widgetfiledialogs.h"
#include "session/filedialogs.h"
#include "session/messages.h"
#include "support/layoutcheck.h"
#include "support/recordingpause.h"
#include "support/recordingprompts.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace tavlo;

namespace {

// Runs act on the modal window once exec() has shown it.
void whenModal(const std::function<void(QWidget*)>& act)
{
    QTimer::singleShot(0, [act] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
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

} // namespace

class tst_FrmEnd : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> m_main;
    QTemporaryDir m_dir;
    test::RecordingPause m_pause;
    test::RecordingPrompts m_prompts;

private slots:
    void init()
    {
        m_pause = {};
        m_prompts = {};
        m_main = std::make_unique<QWidget>();
        m_main->setGeometry(200, 150, 500, 400);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void cleanup() { m_main.reset(); }

    void look()
    {
        frmEnd window(m_main.get(), m_pause);
        window.show();
        QCOMPARE(window.geometry().center(), m_main->frameGeometry().center());
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(test::layoutFault(&window), QString());
        QTest::keyClick(&window, Qt::Key_Escape); // does nothing
        QVERIFY(window.isVisible());
    }

    void choices_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<EndChoice>("choice");
        QTest::newRow("Enter") << "Enter" << EndChoice::Quit;
        QTest::newRow("Quit") << "cmdQuit" << EndChoice::Quit;
        QTest::newRow("Preview") << "cmdPreview" << EndChoice::Preview;
        QTest::newRow("Another") << "cmdIgnore" << EndChoice::Another;
        QTest::newRow("closed otherwise") << "close" << EndChoice::Another;
    }

    void choices()
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

    void farewellStrip()
    {
        frmEnd window(m_main.get(), m_pause);
        window.show();
        window.findChild<QPushButton*>("cmdQuit")->click();
        QCOMPARE(window.result(), int(EndChoice::Quit));
        const QRect main = m_main->frameGeometry();
        QCOMPARE(window.geometry(), QRect(main.x() + 3, main.y() + 3, main.width() - 7, 18));
        QCOMPARE(m_pause.pauses, QList<int>{500});
        QCOMPARE(m_pause.eventRuns, 2);
        // The picture is gone and "See You" is painted in the text colour, after fifteen
        // blanks.
        const QImage shown = window.grab().toImage();
        const QColor back = window.palette().color(QPalette::Highlight);
        const QColor ink = window.palette().color(QPalette::HighlightedText);
        QCOMPARE(shown.pixelColor(0, 0), back);
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

    void openDialog_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen"); // "" when refused
        const auto row = [](const char* name, const char* typed, const char* chosen) {
            QTest::newRow(name) << QString(typed) << QString(chosen);
        };
        row("existing file", "photo.jpg", "photo.jpg");
        row("typed without suffix", "photo", "photo.jpg");
        row("missing file", "gone.jpg", "");
    }

    void openDialog()
    {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QVERIFY(QFile(m_dir.filePath("photo.jpg")).open(QIODevice::WriteOnly));
        WidgetFileDialogs dialogs(m_main.get(), m_prompts);
        QString title, folder;
        qsizetype filters = 0;
        whenModal([&](QWidget* modal) {
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                title = dialog->windowTitle();
                folder = dialog->directory().absolutePath();
                filters = dialog->nameFilters().size();
            }
            answerFileDialog(modal, typed);
        });
        const QString path = dialogs.showFileDialog(true, 0, m_dir.filePath("logo.gif"));
        QCOMPARE(title, QString("Open File..."));
        QCOMPARE(folder, m_dir.path());
        QCOMPARE(filters, 3);
        QCOMPARE(path, chosen.isEmpty() ? QString() : m_dir.filePath(chosen));
        const MessageText note = messageText(Message::OpenError);
        QCOMPARE(m_prompts.shown.size(), chosen.isEmpty() ? 1 : 0);
        if (chosen.isEmpty()) {
            QCOMPARE(m_prompts.shown.first().texts, QStringList({note.title, note.text}));
            QCOMPARE(m_prompts.lastIcon, MsgIcon::Exclamation);
        }
    }

    void saveAsksBeforeReplacing()
    {
        QVERIFY(QFile(m_dir.filePath("map.tavl")).open(QIODevice::WriteOnly));
        WidgetFileDialogs dialogs(m_main.get(), m_prompts);
        QString asked;
        whenModal([&](QWidget* modal) {
            // The question comes up inside the dialog's accept().
            whenModal([&](QWidget* question) {
                if (auto* box = qobject_cast<QMessageBox*>(question)) {
                    asked = box->text();
                    box->button(QMessageBox::Yes)->click();
                } else {
                    question->close();
                }
            });
            answerFileDialog(modal, "map");
        });
        QCOMPARE(dialogs.showFileDialog(false, 0, m_dir.filePath("logo.gif")),
                 m_dir.filePath("map.tavl"));
        QVERIFY(asked.contains("already exists"));
    }
};

QTEST_MAIN(tst_FrmEnd)
#include "tst_frmend.moc"
