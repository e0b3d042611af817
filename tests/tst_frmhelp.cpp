#include "help/frmhelp.h"
#include "help/helpbands.h"

#include <QLabel>
#include <QTest>

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
        QTest::newRow("between Clipboard and HTML") << true << QPointF(60, 37) << -1;
        QTest::newRow("y 100 is in neither") << true << QPointF(100, 100) << -1;
        QTest::newRow("x 78 is outside HREF") << false << QPointF(78, 10) << -1;
        QTest::newRow("y 47 is in neither") << false << QPointF(50, 47) << -1;
        QTest::newRow("y 72 is in neither") << false << QPointF(50, 72) << -1;
        QTest::newRow("Delete, inside its corner") << false << QPointF(130.5, 118.5) << 4;
        QTest::newRow("beside the buttons") << false << QPointF(150, 60) << -1;
    }

    void bands()
    {
        QFETCH(bool, right);
        QFETCH(QPointF, pixel);
        QFETCH(int, entry);
        QCOMPARE(right ? rightEntryAt(pixel) : leftEntryAt(pixel), entry);
    }

    void hoverRightList_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("height");
        const QString saveAsText = "Useful for when you are drawing up several maps and wish to "
                                   "keep them in separate text files. As with \"Save As HTML\", "
                                   "dialog opens for file name and location.";
        const QString exit = "  To close Tavlo.\n\nIf your current map is as yet unsaved, "
                             "prompt to save will pop up before Tavlo closes.";
        QTest::newRow("Open") << QPoint(100, 10)
                              << "If you would rather use a dialog box to open an image file, "
                                 "rather than use drag and drop."
                              << 80;
        QTest::newRow("Save to Clipboard")
            << QPoint(60, 28)
            << "Saves your current mapping to the clipboard. Paste into whatever you wish." << 80;
        QTest::newRow("Save As Text") << QPoint(60, 72) << saveAsText << 127;
        QTest::newRow("Exit") << QPoint(100, 109) << exit << 127;
        QTest::newRow("between bands")
            << QPoint(60, 37) << "Choices available when you click on the right mouse button."
            << 53;
    }

    void hoverRightList()
    {
        QFETCH(QPoint, pos);
        QFETCH(QString, text);
        QFETCH(int, height);
        hover("img_rList", {60, 47}); // Save As HTML first, so every row changes something
        hover("img_rList", pos);
        QCOMPARE(label("txtRight")->text(), text);
        QCOMPARE(label("txtRight")->height(), height);
    }

    void hoverLeftList_data()
    {
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("image");
        QTest::newRow("HREF") << QPoint(100, 11)
                              << "Space to enter the URL link for the area of the map clicked upon."
                              << "imgHREF"
                              << ":/images/field_href.png";
        QTest::newRow("Target") << QPoint(100, 35)
                                << "Space to enter a TARGET for above URL. Can be left blank."
                                << "imgTarget"
                                << ":/images/field_target.png";
        QTest::newRow("Enter") << QPoint(50, 60)
                               << "Saves the values entered into HREF (and TARGET, if any.)"
                               << "imgButtons"
                               << ":/images/enter_up.png";
        QTest::newRow("Cancel")
            << QPoint(50, 85)
            << "Cancels anything entered in HREF and TARGET spaces. Returns you to the map."
            << "imgButtons"
            << ":/images/cancel_up.png";
        QTest::newRow("Delete") << QPoint(100, 108) << "DELETES THE SELECTED AREA OF THE MAP."
                                << "imgButtons"
                                << ":/images/delete_up.png";
        QTest::newRow("none") << QPoint(150, 60)
                              << "Choices available when you click on the left mouse button."
                              << ""
                              << "";
    }

    void hoverLeftList()
    {
        QFETCH(QPoint, pos);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QFETCH(QString, image);
        hover("img_lList", {100, 12}); // HREF, then Enter: two pictures have been shown
        hover("img_lList", {50, 59});
        hover("img_lList", pos);
        QCOMPARE(label("txtLeft")->text(), text);
        // At least its 800 twips, and tall enough for its whole text.
        const QLabel* box = label("txtLeft");
        QVERIFY(box->height() >= std::max(53, box->heightForWidth(box->width())));
        QVERIFY(box->height() == 53 || text.startsWith("Cancels"));
        QStringList visible;
        for (const char* name : {"imgHREF", "imgTarget", "imgButtons"}) {
            if (label(name)->isVisible())
                visible << name;
        }
        QCOMPARE(visible, shown.isEmpty() ? QStringList() : QStringList{shown});
        if (!shown.isEmpty())
            QCOMPARE(label(qPrintable(shown))->pixmap().toImage(), picture(image));
    }

    void regions_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QColor>("upper");
        QTest::addColumn<QColor>("lower");
        const QString f = ":/images/header_f.png", r = ":/images/header_r.png",
                      l = ":/images/header_l.png";
        QTest::newRow("between the panels")
            << "picBG1"
            << "frmHelp" << QPoint(300, 181) << f << normal << normal;
        QTest::newRow("header") << "picBG1"
                                << "picHeader" << QPoint(20, 10) << f << normal << normal;
        QTest::newRow("upper text box") << "picBG2"
                                        << "txtRight" << QPoint(20, 20) << r << lit << normal;
        QTest::newRow("lower banner") << "picBG1"
                                      << "imgL_Mouse" << QPoint(10, 60) << l << normal << lit;
        QTest::newRow("upper panel") << "picBG2"
                                     << "picBG1" << QPoint(345, 60) << r << lit << normal;
        QTest::newRow("right list") << "picBG2"
                                    << "img_rList" << QPoint(60, 47) << r << lit << normal;
        QTest::newRow("lower panel") << "picBG1"
                                     << "picBG2" << QPoint(345, 60) << l << normal << lit;
        QTest::newRow("left list") << "picBG1"
                                   << "img_lList" << QPoint(150, 60) << l << normal << lit;
    }

    void regions()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QPoint, pos);
        QFETCH(QString, header);
        QFETCH(QColor, upper);
        QFETCH(QColor, lower);
        hover(from, {345, 60});
        hover(to, pos);
        QCOMPARE(label("picHeader")->pixmap().toImage(), picture(header));
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
        QCOMPARE(m_help->size(), QSize(555, 335));
        QCOMPARE(m_help->minimumSize(), m_help->maximumSize());
        QCOMPARE(m_help->pos(), QPoint(40, 30));
        QCOMPARE(m_help->parentWidget(), nullptr);
        const Qt::WindowFlags flags = m_help->windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(label("picHeader")->pixmap().toImage(), picture(":/images/header_f.png"));
        const QString design = "Choices available when you click on the right-mouse button.\n";
        QCOMPARE(label("txtRight")->text(), design);
        QCOMPARE(label("txtLeft")->text(), design);
        for (const char* name : {"imgHREF", "imgTarget", "imgButtons"})
            QVERIFY(!label(name)->isVisible());
    }

    void escapeCloses()
    {
        QTest::keyClick(m_help.get(), Qt::Key_Escape);
        QVERIFY(!m_help->isVisible());
        QCOMPARE(m_help->result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestFrmHelp)
#include "tst_frmhelp.moc"
