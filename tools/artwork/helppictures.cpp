// Pictures of the help window: the two mouse banners, the two lists whose entries the
// pointer is tested against, the two field pictures and the three headers.
#include "paint.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>

#include <vector>

namespace tavlo {

namespace {

const QColor kFrame(153, 153, 255);
const QColor kHighlight(255, 255, 0);
const QColor kListText(226, 228, 255);
const QColor kDialog(64, 64, 64);
const QColor kCaption(224, 224, 224);

void panel(QPainter& p, QRectF r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(34, 38, 82));
    g.setColorAt(1, QColor(16, 18, 42));
    p.setPen(QPen(withAlpha(kFrame, 170), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 6, 6);
}

// --- Banners -------------------------------------------------------------------------------

void mouse(QPainter& p, QRectF body, bool right)
{
    // Cable.
    QPainterPath cable;
    cable.moveTo(body.center().x(), body.top());
    cable.cubicTo(body.center().x(), body.top() - 3, body.center().x() + 5, body.top() - 2,
                  body.center().x() + 4, body.top() - 6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(170, 170, 190), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);

    QPainterPath shell;
    shell.addRoundedRect(body, body.width() / 2, body.width() / 2 * 1.1);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, QColor(250, 250, 255));
    g.setColorAt(1, QColor(170, 172, 190));
    p.setPen(QPen(QColor(60, 62, 80), 1));
    p.setBrush(g);
    p.drawPath(shell);

    // The two buttons fill the top 40 per cent of the shell; one of them lights up.
    const qreal split = body.top() + body.height() * 0.42;
    const QRectF half(right ? body.center().x() : body.left(), body.top(), body.width() / 2,
                      split - body.top());
    p.save();
    p.setClipPath(shell);
    QLinearGradient lit(half.topLeft(), half.bottomLeft());
    lit.setColorAt(0, QColor(255, 255, 150));
    lit.setColorAt(1, kHighlight.darker(115));
    p.setPen(Qt::NoPen);
    p.setBrush(lit);
    p.drawRect(half);
    p.restore();
    p.setPen(QPen(QColor(60, 62, 80), 1));
    p.drawLine(QPointF(body.left() + 0.5, split), QPointF(body.right() - 0.5, split));
    p.drawLine(QPointF(body.center().x(), body.top() + 0.5), QPointF(body.center().x(), split));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shell);
}

// --- Lists ---------------------------------------------------------------------------------

struct Entry {
    QString text;
    QRect band; // left, top, right, bottom bounds in pixels (exclusive)
    QFont font;
    QPointF baseline; // where the word is drawn
};

QRect band(int x0, int x1, int y0, int y1)
{
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QPointF centreIn(const QRect& b, const QString& s, const QFont& f, qreal dy = 0)
{
    return centredBaseline(QPointF((b.left() + b.right()) / 2.0, (b.top() + b.bottom()) / 2.0 + dy),
                           s, f);
}

std::vector<Entry> rightEntries()
{
    const QFont big = sans(12, true), item = sans(11, true);
    std::vector<Entry> e = {
        {"Open", band(83, 129, 1, 23), big, {}},
        {"Save to Clipboard", band(33, 145, 20, 36), item, {37, 31}},
        {"Save As HTML", band(33, 125, 38, 57), item, {37, 52}},
        {"Save As Text", band(33, 117, 64, 80), item, {37, 73}},
        {"Save in Original Page", band(33, 154, 80, 100), item, {37, 94}},
        {"Exit", band(86, 120, 100, 118), big, {}},
    };
    e[0].baseline = centreIn(e[0].band, e[0].text, big, -1) + QPointF(6, 0);
    e[5].baseline = centreIn(e[5].band, e[5].text, big) + QPointF(6, 0);
    return e;
}

std::vector<Entry> leftEntries()
{
    const QFont f = sans(11, true), b = sans(10, true);
    std::vector<Entry> e = {
        {"HREF", band(78, 126, 1, 22), f, {}},     {"Target", band(79, 126, 23, 47), f, {}},
        {"Enter", band(29, 73, 47, 71), b, {}},    {"Cancel", band(30, 72, 72, 97), b, {}},
        {"Delete", band(78, 131, 98, 119), b, {}},
    };
    for (Entry& x : e)
        x.baseline = centreIn(x.band, x.text, x.font);
    return e;
}

void drawEntry(QPainter& p, const Entry& e, const QColor& c)
{
    p.setFont(e.font);
    p.setPen(c);
    p.drawText(e.baseline, e.text);
}

// Small icons beside the right list's entries, in a 12 x 12 box at o.
void iconFolder(QPainter& p, QPointF o)
{
    p.setPen(QPen(QColor(150, 100, 10), 1));
    p.setBrush(QColor(240, 190, 60));
    QPainterPath f;
    f.moveTo(o + QPointF(0.5, 2.5));
    f.lineTo(o + QPointF(4.5, 2.5));
    f.lineTo(o + QPointF(5.5, 3.5));
    f.lineTo(o + QPointF(11.5, 3.5));
    f.lineTo(o + QPointF(11.5, 10.5));
    f.lineTo(o + QPointF(0.5, 10.5));
    f.closeSubpath();
    p.drawPath(f);
    p.setBrush(QColor(255, 220, 110));
    p.drawRect(QRectF(o + QPointF(0.5, 5.5), QSizeF(11, 5)));
}

void iconPage(QPainter& p, QPointF o, const QColor& mark, int kind)
{
    QPainterPath page;
    page.moveTo(o + QPointF(1.5, 0.5));
    page.lineTo(o + QPointF(7.5, 0.5));
    page.lineTo(o + QPointF(10.5, 3.5));
    page.lineTo(o + QPointF(10.5, 11.5));
    page.lineTo(o + QPointF(1.5, 11.5));
    page.closeSubpath();
    p.setPen(QPen(QColor(120, 124, 150), 1));
    p.setBrush(QColor(244, 246, 252));
    p.drawPath(page);
    p.setPen(QPen(mark, 1));
    if (kind == 0) { // clipboard
        p.setBrush(QColor(190, 140, 80));
        p.drawRect(QRectF(o + QPointF(3.5, -0.5), QSizeF(5, 2)));
        p.drawLine(o + QPointF(3.5, 5.5), o + QPointF(8.5, 5.5));
        p.drawLine(o + QPointF(3.5, 8.5), o + QPointF(8.5, 8.5));
    } else if (kind == 1) { // markup
        p.drawPolyline(QPolygonF({o + QPointF(5, 4.5), o + QPointF(3, 6.5), o + QPointF(5, 8.5)}));
        p.drawPolyline(QPolygonF({o + QPointF(7, 4.5), o + QPointF(9, 6.5), o + QPointF(7, 8.5)}));
    } else if (kind == 2) { // text
        for (int y = 4; y <= 9; y += 2)
            p.drawLine(o + QPointF(3.5, y + 0.5), o + QPointF(y == 9 ? 6.5 : 8.5, y + 0.5));
    } else { // back into its page
        p.drawPolyline(
            QPolygonF({o + QPointF(8.5, 5.5), o + QPointF(4.5, 5.5), o + QPointF(4.5, 9.5)}));
        p.drawPolyline(QPolygonF({o + QPointF(3, 8), o + QPointF(4.5, 9.5), o + QPointF(6, 8)}));
    }
}

void iconPower(QPainter& p, QPointF o)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 110, 96), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(o + QPointF(1.5, 1.5), QSizeF(9, 9)), 120 * 16, 300 * 16);
    p.drawLine(o + QPointF(6, 0.5), o + QPointF(6, 5.5));
}

void iconLink(QPainter& p, QPointF o)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(140, 200, 255), 1.6));
    p.save();
    p.translate(o + QPointF(6, 6));
    p.rotate(-45);
    p.drawRoundedRect(QRectF(-6.5, -2.5, 7, 5), 2.5, 2.5);
    p.drawRoundedRect(QRectF(-0.5, -2.5, 7, 5), 2.5, 2.5);
    p.restore();
}

void iconTarget(QPainter& p, QPointF o)
{
    const QPointF c = o + QPointF(6, 6);
    p.setPen(QPen(QColor(255, 120, 100), 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 5.5, 5.5);
    p.drawEllipse(c, 2.8, 2.8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 100));
    p.drawEllipse(c, 1.1, 1.1);
}

void iconTick(QPainter& p, QPointF o)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 230, 130), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(
        QPolygonF({o + QPointF(1.5, 6.5), o + QPointF(4.5, 9.5), o + QPointF(10.5, 2.5)}));
}

void iconCross(QPainter& p, QPointF o)
{
    p.setPen(QPen(QColor(255, 110, 96), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(o + QPointF(2.5, 2.5), o + QPointF(9.5, 9.5));
    p.drawLine(o + QPointF(9.5, 2.5), o + QPointF(2.5, 9.5));
}

void iconBin(QPainter& p, QPointF o)
{
    p.setPen(QPen(QColor(170, 190, 230), 1));
    p.setBrush(QColor(70, 90, 140));
    p.drawRect(QRectF(o + QPointF(2.5, 3.5), QSizeF(7, 8)));
    p.drawLine(o + QPointF(1, 2.5), o + QPointF(11, 2.5));
    p.drawLine(o + QPointF(4.5, 1), o + QPointF(7.5, 1));
    p.drawLine(o + QPointF(4.5, 5.5), o + QPointF(4.5, 9.5));
    p.drawLine(o + QPointF(7.5, 5.5), o + QPointF(7.5, 9.5));
}

void pill(QPainter& p, QRectF r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(bottom.darker(150), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 50));
    p.drawRoundedRect(QRectF(r.left() + 1.5, r.top() + 1, r.width() - 3, r.height() / 2 - 1), 3, 3);
}

void field(QPainter& p, QRectF r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 252));
    p.drawRect(r);
    p.setPen(QPen(QColor(120, 120, 130), 1));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(QPen(QColor(210, 210, 216), 1));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

bool checkBands(const QString& picture, const std::vector<Entry>& entries, QSize size)
{
    bool ok = true;
    for (const Entry& e : entries) {
        QImage img = canvas(size.width(), size.height());
        QPainter p(&img);
        p.setRenderHint(QPainter::TextAntialiasing);
        drawEntry(p, e, Qt::white);
        p.end();
        const QRect ink = inkRect(img, img.rect(), Qt::transparent);
        const QRect& b = e.band;
        const bool inside = ink.left() > b.left() && ink.right() < b.right() &&
                            ink.top() > b.top() && ink.bottom() < b.bottom();
        if (!inside) {
            QTextStream(stderr) << picture << ": \"" << e.text << "\" ink x " << ink.left() << ".."
                                << ink.right() << " y " << ink.top() << ".." << ink.bottom()
                                << " leaves its band x " << b.left() << ".." << b.right() << " y "
                                << b.top() << ".." << b.bottom() << "\n";
            ok = false;
        }
    }
    return ok;
}

} // namespace

QImage drawBanner(bool right)
{
    QImage img = canvas(32, 124, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    panel(p, QRectF(0.5, 0.5, 31, 123));
    mouse(p, QRectF(8.5, 12.5, 15, 26), right);

    // The word reads upwards along the banner.
    const QString word = right ? "Right" : "Left";
    QFont f = sans(16, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    p.translate(16, 84);
    p.rotate(-90);
    QLinearGradient g(0, -8, 0, 8);
    p.setFont(f);
    p.setPen(QColor(192, 192, 255));
    p.drawText(centredBaseline(QPointF(0, 0), word, f), word);
    p.end();
    return img;
}

QImage drawRightList()
{
    QImage img = canvas(169, 120, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    panel(p, QRectF(0.5, 0.5, 168, 119));
    const auto entries = rightEntries();
    // Open and Exit stand apart, centred; the four ways of saving form a list between them.
    iconFolder(p, entries[0].baseline + QPointF(-16, -10));
    const QColor marks[] = {{120, 90, 50}, {230, 120, 40}, {90, 100, 130}, {40, 150, 80}};
    for (int i = 1; i <= 4; ++i)
        iconPage(p, QPointF(17, entries[i].baseline.y() - 10), marks[i - 1], i - 1);
    iconPower(p, entries[5].baseline + QPointF(-16, -10));
    for (const Entry& e : entries)
        drawEntry(p, e, (e.text == "Open" || e.text == "Exit") ? QColor(255, 255, 255) : kListText);
    p.end();
    return img;
}

QImage drawLeftList()
{
    QImage img = canvas(167, 120, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    panel(p, QRectF(0.5, 0.5, 166, 119));
    const auto e = leftEntries();
    // The two text fields, then the dialog's three buttons in their own colours.
    field(p, QRectF(81.5, 3.5, 42, 16));
    field(p, QRectF(81.5, 27.5, 42, 16));
    pill(p, QRectF(31.5, 50.5, 39, 18), QColor(128, 62, 176), QColor(72, 26, 112));
    pill(p, QRectF(31.5, 75.5, 39, 18), QColor(168, 38, 34), QColor(102, 14, 12));
    pill(p, QRectF(82.5, 100.5, 45, 17), QColor(52, 112, 210), QColor(20, 62, 140));
    iconLink(p, QPointF(64, 5.5));
    iconTarget(p, QPointF(64, 29.5));
    iconTick(p, QPointF(78, 53.5));
    iconCross(p, QPointF(78, 78.5));
    iconBin(p, QPointF(66, 102.5));
    drawEntry(p, e[0], QColor(30, 30, 60));
    drawEntry(p, e[1], QColor(30, 30, 60));
    drawEntry(p, e[2], Qt::white);
    drawEntry(p, e[3], Qt::white);
    drawEntry(p, e[4], Qt::white);
    p.end();
    return img;
}

QImage drawField(bool target)
{
    QImage img = canvas(261, 37, kDialog);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont f = sans(11, true);
    p.setFont(f);
    p.setPen(kCaption);
    p.drawText(QPointF(6, 12), target ? "Enter a TARGET for the link, if any."
                                      : "Enter an HREF for the selected area.");
    const QRect box(4, 17, 253, 18);
    p.fillRect(box, Qt::white);
    p.fillRect(QRect(box.left(), box.top(), box.width(), 1), QColor(128, 128, 128));
    p.fillRect(QRect(box.left(), box.top(), 1, box.height()), QColor(128, 128, 128));
    p.fillRect(QRect(box.left() + 1, box.top() + 1, box.width() - 2, 1), QColor(40, 40, 40));
    p.fillRect(QRect(box.left() + 1, box.top() + 1, 1, box.height() - 2), QColor(40, 40, 40));
    p.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), QColor(224, 224, 224));
    p.fillRect(QRect(box.right(), box.top(), 1, box.height()), QColor(224, 224, 224));
    if (!target) {
        p.setPen(Qt::black);
        p.drawText(QPointF(8, 30), "#");
    }
    p.end();
    return img;
}

QImage drawHeader(Header which)
{
    const QString text = which == Header::Functions ? "Tavlo Mouse Functions"
                         : which == Header::Right   ? "Right-Click Functions"
                                                    : "Left-Click Functions";
    QImage img = canvas(330, 27, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = sans(19, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    const QPointF base = centredBaseline(QPointF(165, 13), text, f);
    QPainterPath word;
    word.addText(base, f, text);
    QLinearGradient g(0, 4, 0, 22);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, kFrame);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(word);

    // Rules either side of the words, fading outwards.
    const QRectF ink = word.boundingRect();
    for (int side = 0; side < 2; ++side) {
        const qreal x0 = side ? ink.right() + 10 : ink.left() - 10;
        const qreal x1 = side ? 324 : 6;
        QLinearGradient r(x0, 0, x1, 0);
        r.setColorAt(0, withAlpha(kFrame, 220));
        r.setColorAt(1, withAlpha(kFrame, 0));
        p.fillRect(QRectF(std::min(x0, x1), 13, std::abs(x1 - x0), 1), r);
    }
    p.end();
    return img;
}

bool checkListBands()
{
    const bool r = checkBands("rlist.png", rightEntries(), {169, 120});
    const bool l = checkBands("llist.png", leftEntries(), {167, 120});
    return r && l;
}

} // namespace tavlo
