#include "geometry/helpbands.h"
#include "help/frmhelp.h"
#include "platform/rounding.h"

#include <QLabel>
#include <QSet>
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

    // Every entry of both lists, and the space beside them, from the program's own tables.
    // A band's bounds lie outside it, half a pixel in lies inside, the line between two
    // entries one above the other belongs to neither, and where two overlap the earlier wins.
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
        // Across the middle of each panel's text box: black ground, the white outer frame and
        // the inner frame in the panel's colour, never in the other.
        const QImage shot = m_help->grab().toImage();
        for (const auto& [box, colour] : {std::pair{"txtRight", upper}, {"txtLeft", lower}}) {
            QSet<QRgb> seen;
            for (int x = 0, y = label(box)->mapTo(m_help.get(), label(box)->rect().center()).y();
                 x < shot.width(); ++x)
                seen << shot.pixel(x, y);
            const QRgb other = (colour == lit ? normal : lit).rgb();
            QVERIFY(seen.contains(colour.rgb()) && !seen.contains(other));
            QVERIFY(seen.contains(QColor(Qt::white).rgb()) &&
                    seen.contains(QColor(Qt::black).rgb()));
        }
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
