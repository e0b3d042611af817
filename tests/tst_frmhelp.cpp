#include "geometry/helpbands.h"
#include "help/frmhelp.h"
#include "platform/rounding.h"

#include <QLabel>
#include <QTest>

#include <map>
#include <memory>

using namespace tavlo;

namespace {

const QColor normal(153, 153, 255);
const QColor lit(255, 255, 0);

QImage picture(const QString& resource)
{
    return QPixmap(resource).toImage();
}

} // namespace

class TestFrmHelp : public QObject {
    Q_OBJECT

    std::unique_ptr<frmHelp> m_help;

    QWidget* widget(const QString& name) const
    {
        return name == QLatin1String("frmHelp") ? m_help.get() : m_help->findChild<QWidget*>(name);
    }
    QLabel* label(const char* name) const { return m_help->findChild<QLabel*>(name); }
    void hover(const QString& name, QPoint pos) const { QTest::mouseMove(widget(name), pos); }

private slots:
    void init()
    {
        m_help = std::make_unique<frmHelp>(QPoint(40, 30));
        m_help->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_help.get()));
    }
    void cleanup() { m_help.reset(); }

    void bands_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<QPointF>("pixel");
        QTest::addColumn<int>("entry");
        QTest::newRow("Open wins at y 21") << true << QPointF(100, 21) << 0;
        QTest::newRow("Open wins at y 22.5") << true << QPointF(100, 22.5) << 0;
        QTest::newRow("Save to Clipboard below Open") << true << QPointF(100, 23) << 1;
        QTest::newRow("x 83 is outside Open") << true << QPointF(83, 10) << -1;
        QTest::newRow("x 83.5 is inside Open") << true << QPointF(83.5, 10) << 0;
        QTest::newRow("y 100 is in neither") << true << QPointF(100, 100) << -1;
        QTest::newRow("x 78 is outside HREF") << false << QPointF(78, 10) << -1;
        QTest::newRow("y 47 is in neither") << false << QPointF(50, 47) << -1;
        QTest::newRow("y 72 is in neither") << false << QPointF(50, 72) << -1;
        QTest::newRow("Delete, inside its corner") << false << QPointF(130.5, 118.5) << 4;
    }

    void bands()
    {
        QFETCH(bool, right);
        QFETCH(QPointF, pixel);
        QFETCH(int, entry);
        QCOMPARE(right ? rightEntryAt(pixel) : leftEntryAt(pixel), entry);
    }

    // Every entry of both lists, and the space beside them, from the program's own tables.
    void hoverShowsEachEntry_data()
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

    void hoverShowsEachEntry()
    {
        QFETCH(bool, right);
        QFETCH(int, entry);
        const int count = right ? int(rightHelpEntries.size()) : int(leftHelpEntries.size());
        const auto centre = [&](int i) {
            const HelpBand b = right ? rightHelpEntries[i].band : leftHelpEntries[i].band;
            return QPoint((b.left + b.right) / 2, (b.top + b.bottom) / 2);
        };
        const QPoint pos = entry >= 0 ? centre(entry) : right ? QPoint(60, 37) : QPoint(150, 60);
        QCOMPARE(right ? rightEntryAt(pos) : leftEntryAt(pos), entry);
        // Another entry first, so that every row changes something.
        const QString list = right ? "img_rList" : "img_lList";
        hover(list, centre((entry + 1) % count));
        hover(list, pos);

        const char* text = right ? (entry < 0 ? rightDefaultText : rightHelpEntries[entry].text)
                                 : (entry < 0 ? leftDefaultText : leftHelpEntries[entry].text);
        const QLabel* box = label(right ? "txtRight" : "txtLeft");
        QCOMPARE(box->text(), QString::fromUtf8(text).replace("\r\n", "\n"));
        // Tall enough for the whole text.
        QVERIFY(box->height() >= box->heightForWidth(box->width()));
        if (right) {
            QCOMPARE(box->height(), twipsToPixels(entry < 0 ? rightDefaultHeightTwips
                                                            : rightHelpEntries[entry].heightTwips));
            return;
        }
        QVERIFY(box->height() >= twipsToPixels(leftHeightTwips));
        const LeftPicture picture = entry < 0 ? LeftPicture::None : leftHelpEntries[entry].picture;
        const std::map<LeftPicture, std::pair<const char*, const char*>> pictures{
            {LeftPicture::HrefField, {"imgHREF", ":/images/field_href.png"}},
            {LeftPicture::TargetField, {"imgTarget", ":/images/field_target.png"}},
            {LeftPicture::EnterButton, {"imgButtons", ":/images/enter_up.png"}},
            {LeftPicture::CancelButton, {"imgButtons", ":/images/cancel_up.png"}},
            {LeftPicture::DeleteButton, {"imgButtons", ":/images/delete_up.png"}}};
        QStringList visible;
        for (const char* name : {"imgHREF", "imgTarget", "imgButtons"}) {
            if (label(name)->isVisible())
                visible << name;
        }
        if (picture == LeftPicture::None) {
            QVERIFY(visible.isEmpty());
            return;
        }
        const auto [name, resource] = pictures.at(picture);
        QCOMPARE(visible, QStringList{name});
        QCOMPARE(label(name)->pixmap().toImage(), QPixmap(resource).toImage());
    }

    // The panel the pointer is over is lit: its frame yellow, its header picture shown.
    void regions_data()
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

    void regions()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QPoint, pos);
        QFETCH(QString, litPanel);
        const QColor upper = litPanel == "r" ? lit : normal, lower = litPanel == "l" ? lit : normal;
        hover(from, {345, 60});
        hover(to, pos);
        QCOMPARE(label("picHeader")->pixmap().toImage(),
                 picture(":/images/header_" + litPanel + ".png"));
        const QImage shot = m_help->grab().toImage();
        QCOMPARE(shot.pixelColor(10, 100), upper); // left edge of the upper inner frame
        QCOMPARE(shot.pixelColor(542, 100), upper);
        QCOMPARE(shot.pixelColor(10, 250), lower);
        QCOMPARE(shot.pixelColor(8, 250), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(300, 38), QColor(Qt::black));
    }

    void opensAsDesigned()
    {
        QCOMPARE(m_help->windowTitle(), QStringLiteral("Tavlo Help"));
        QCOMPARE(m_help->minimumSize(), m_help->maximumSize());
        QCOMPARE(m_help->pos(), QPoint(40, 30));
        QCOMPARE(m_help->parentWidget(), nullptr);
        const Qt::WindowFlags flags = m_help->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(label("picHeader")->pixmap().toImage(), picture(":/images/header_f.png"));
        const QString design = QString::fromUtf8(designText).replace("\r\n", "\n");
        QCOMPARE(label("txtRight")->text(), design);
        QCOMPARE(label("txtLeft")->text(), design);
        for (const char* name : {"imgHREF", "imgTarget", "imgButtons"})
            QVERIFY(!label(name)->isVisible());
        QTest::keyClick(m_help.get(), Qt::Key_Escape);
        QVERIFY(!m_help->isVisible());
        QCOMPARE(m_help->result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestFrmHelp)
#include "tst_frmhelp.moc"
