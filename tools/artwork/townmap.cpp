// An illustrated plan of a small town: a river with two bridges, streets, a church, the market
// place with its town hall, a park, an old mill and the railway station, with their names.
#include "paint.h"
#include "pictures.h"
#include "scenery.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>
#include <vector>

namespace tavlo {

namespace {

const QColor kGround(244, 239, 225);
const QColor kCasing(176, 164, 142);
const QColor kMinor(255, 255, 252);
const QColor kMain(253, 226, 150);
const QColor kBuilding(220, 204, 178);
const QColor kBuildingEdge(172, 152, 122);
const QColor kGreen(194, 224, 166);
const QColor kLeaf(104, 158, 84);
const QColor kWater(122, 184, 214);
const QColor kInk(70, 58, 46);

struct Street {
    QPainterPath path;
    qreal width;
    bool main;
};

QPainterPath riverPath()
{
    QPainterPath r;
    r.moveTo(-20, 188);
    r.cubicTo(100, 168, 180, 200, 250, 230);
    r.cubicTo(320, 262, 400, 270, 470, 262);
    r.cubicTo(540, 254, 600, 238, 660, 246);
    return r;
}

qreal yAt(const QPainterPath& path, qreal x)
{
    qreal best = 1e9, y = 0;
    for (int i = 0; i <= 2000; ++i) {
        const QPointF pt = path.pointAtPercent(i / 2000.0);
        if (std::abs(pt.x() - x) < best) {
            best = std::abs(pt.x() - x);
            y = pt.y();
        }
    }
    return y;
}

QPainterPath line(std::initializer_list<QPointF> pts)
{
    QPainterPath p;
    bool first = true;
    for (const QPointF& pt : pts) {
        if (first)
            p.moveTo(pt);
        else
            p.lineTo(pt);
        first = false;
    }
    return p;
}

QPainterPath stroked(const QPainterPath& path, qreal width)
{
    QPainterPathStroker s;
    s.setWidth(width);
    s.setCapStyle(Qt::FlatCap);
    s.setJoinStyle(Qt::RoundJoin);
    return s.createStroke(path);
}

std::vector<Street> streets()
{
    std::vector<Street> s;
    auto add = [&](QPainterPath p, qreal w, bool main) { s.push_back({p, w, main}); };
    add(line({{320, -10}, {320, 318}}), 12, true); // High Street, Station Rd
    add(line({{-10, 92}, {470, 92}}), 10, true);   // Mill Street
    QPainterPath church;
    church.moveTo(206, 92);
    church.cubicTo(180, 60, 120, 40, 80, -10);
    add(church, 8, false);                         // Church Lane
    add(line({{430, -10}, {430, 92}}), 8, false);  // Park Road
    add(line({{-10, 140}, {320, 140}}), 7, false); // Water Lane
    add(line({{120, 140}, {120, 92}}), 6, false);
    add(line({{320, 190}, {410, 190}, {440, 214}}), 7, false); // Quay Walk
    add(line({{-10, 296}, {640, 296}}), 8, false);             // Rail side road
    add(line({{200, 296}, {200, 250}}), 6, false);
    add(line({{460, 296}, {460, 278}}), 6, false);
    add(line({{20, 40}, {320, 40}}), 7, false); // Bell Street
    QPainterPath meadow;
    meadow.moveTo(-10, 232);
    meadow.cubicTo(90, 216, 200, 250, 314, 296);
    add(meadow, 7, false); // Meadow Way
    return s;
}

void river(QPainter& p, const QPainterPath& r)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(170, 204, 190), 40, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(r);
    p.setPen(QPen(QColor(150, 196, 222), 32, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(r);
    p.setPen(QPen(kWater, 26, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(r);
    p.setPen(QPen(QColor(104, 168, 204), 12, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(r);
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.2, Qt::DashLine, Qt::FlatCap));
    p.drawPath(r.translated(0, -6));
    p.drawPath(r.translated(0, 6));
}

void park(QPainter& p, QPainterPath& taken)
{
    QPainterPath area;
    area.moveTo(440, 6);
    area.lineTo(634, 6);
    area.lineTo(634, 228);
    area.cubicTo(580, 240, 540, 250, 470, 252);
    area.lineTo(440, 214);
    area.closeSubpath();
    taken.addPath(area);
    p.setPen(QPen(QColor(132, 176, 104), 1.2));
    QLinearGradient g(440, 0, 634, 250);
    g.setColorAt(0, kGreen.lighter(104));
    g.setColorAt(1, kGreen.darker(104));
    p.setBrush(g);
    p.drawPath(area);

    // Pond with a little island.
    const QRectF pond(500, 88, 84, 50);
    p.setPen(QPen(QColor(90, 150, 180), 1));
    QRadialGradient pg(pond.center() + QPointF(-10, 6), 50);
    pg.setColorAt(0, QColor(160, 210, 232));
    pg.setColorAt(1, QColor(104, 168, 204));
    p.setBrush(pg);
    p.drawEllipse(pond);
    p.setBrush(kGreen);
    p.setPen(QPen(QColor(132, 176, 104), 0.8));
    p.drawEllipse(QPointF(556, 108), 8, 5);

    // Paths.
    p.setBrush(Qt::NoBrush);
    QPainterPath walk;
    walk.moveTo(440, 40);
    walk.cubicTo(480, 50, 490, 80, 494, 112);
    walk.cubicTo(498, 150, 540, 150, 590, 144);
    walk.cubicTo(620, 140, 630, 120, 634, 100);
    QPainterPath walk2;
    walk2.moveTo(494, 112);
    walk2.cubicTo(470, 150, 470, 200, 490, 246);
    QPainterPath walk3;
    walk3.moveTo(470, 50);
    walk3.cubicTo(520, 40, 560, 30, 600, 6);
    for (const QPainterPath* w : {&walk, &walk2, &walk3}) {
        p.setPen(QPen(QColor(206, 196, 168), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(*w);
        p.setPen(QPen(QColor(246, 240, 222), 3.4, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(*w);
    }
    // Bandstand.
    p.setPen(QPen(QColor(140, 90, 60), 1));
    p.setBrush(QColor(230, 120, 80));
    p.drawEllipse(QPointF(540, 190), 7, 7);
    p.setPen(QPen(QColor(255, 230, 210), 0.8));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(QPointF(540, 190), QPointF(540 + 6 * std::cos(a), 190 + 6 * std::sin(a)));
    }

    Dice dice(77);
    int seed = 100;
    auto cluster = [&](QPointF c, int n, qreal spread) {
        for (int i = 0; i < n; ++i) {
            const QPointF t =
                c + QPointF(dice.uniform(-spread, spread), dice.uniform(-spread, spread) * 0.7);
            drawTree(p, t, dice.uniform(5.5, 8.5), kLeaf, seed++);
        }
    };
    cluster(QPointF(470, 24), 4, 16);
    cluster(QPointF(610, 40), 4, 16);
    cluster(QPointF(610, 196), 4, 14);
    cluster(QPointF(468, 150), 3, 10);
    cluster(QPointF(540, 60), 2, 12);
    cluster(QPointF(590, 166), 2, 8);
}

void churchyard(QPainter& p, QPainterPath& taken)
{
    const QRectF yard(150, 100, 92, 34);
    taken.addRect(yard.adjusted(-2, -2, 2, 2));
    p.setPen(QPen(QColor(132, 176, 104), 1));
    p.setBrush(kGreen);
    p.drawRect(yard);
    // Graves.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 170, 160));
    for (int i = 0; i < 7; ++i) {
        p.drawRect(QRectF(156 + i * 5, 126, 2.5, 4));
        p.drawRect(QRectF(198 + i * 5, 126, 2.5, 4));
    }
    drawTree(p, QPointF(234, 109), 6, kLeaf, 201);
    drawTree(p, QPointF(158, 108), 5, kLeaf, 202);

    // Cross-shaped church, tower to the west.
    const QColor roof(120, 126, 138);
    auto ridgeRect = [&](QRectF r, bool alongX) {
        p.setPen(QPen(roof.darker(170), 0.8));
        if (alongX) {
            p.setBrush(roof.darker(118));
            p.drawRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2));
            p.setBrush(roof.lighter(112));
            p.drawRect(QRectF(r.left(), r.center().y(), r.width(), r.height() / 2));
        } else {
            p.setBrush(roof.lighter(112));
            p.drawRect(QRectF(r.left(), r.top(), r.width() / 2, r.height()));
            p.setBrush(roof.darker(118));
            p.drawRect(QRectF(r.center().x(), r.top(), r.width() / 2, r.height()));
        }
    };
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 60, 60));
    p.drawRect(QRectF(174, 107, 52, 14).translated(2, 2));
    p.drawRect(QRectF(204, 100, 12, 28).translated(2, 2));
    ridgeRect(QRectF(174, 107, 52, 14), true);
    ridgeRect(QRectF(204, 100, 12, 28), false);
    // Tower with a spire.
    const QRectF t(162, 106, 14, 16);
    const QPointF apex = t.center();
    auto tri = [&](QPointF a, QPointF b, const QColor& c) {
        p.setPen(QPen(QColor(60, 60, 70), 0.6));
        p.setBrush(c);
        p.drawPolygon(QPolygonF({a, b, apex}));
    };
    tri(t.topLeft(), t.topRight(), QColor(110, 114, 126));
    tri(t.topRight(), t.bottomRight(), QColor(96, 100, 112));
    tri(t.bottomRight(), t.bottomLeft(), QColor(160, 164, 174));
    tri(t.bottomLeft(), t.topLeft(), QColor(140, 144, 156));
    p.setPen(QPen(QColor(210, 170, 60), 1.2));
    p.drawLine(apex + QPointF(-2, 0), apex + QPointF(2, 0));
    p.drawLine(apex + QPointF(0, -2), apex + QPointF(0, 2));
}

void marketPlace(QPainter& p, QPainterPath& taken)
{
    const QRectF sq(327, 100, 76, 50);
    taken.addRect(sq.adjusted(-2, -2, 2, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(232, 220, 196));
    p.drawRect(sq);
    p.setPen(QPen(QColor(214, 200, 172), 0.6));
    for (qreal x = sq.left() + 6; x < sq.right(); x += 6)
        p.drawLine(QPointF(x, sq.top()), QPointF(x, sq.bottom()));
    for (qreal y = sq.top() + 6; y < sq.bottom(); y += 6)
        p.drawLine(QPointF(sq.left(), y), QPointF(sq.right(), y));
    // Town hall with its courtyard on the north side.
    const QRectF hall(340, 100, 50, 20);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 20, 60));
    p.drawRect(hall.translated(2, 2));
    p.setPen(QPen(QColor(150, 70, 50), 0.9));
    p.setBrush(QColor(206, 110, 80));
    p.drawRect(hall);
    p.setBrush(QColor(232, 220, 196));
    p.drawRect(hall.adjusted(12, 5, -12, -7));
    p.setPen(QPen(QColor(236, 150, 116), 0.8));
    p.drawLine(hall.topLeft() + QPointF(1, 2.5), hall.topRight() + QPointF(-1, 2.5));
    // Market cross.
    p.setPen(QPen(QColor(130, 120, 100), 1));
    p.setBrush(QColor(200, 190, 170));
    p.drawEllipse(QPointF(365, 136), 4.5, 4.5);
    p.drawEllipse(QPointF(365, 136), 1.5, 1.5);
    drawTree(p, QPointF(334, 143), 4.5, kLeaf, 301);
    drawTree(p, QPointF(396, 143), 4.5, kLeaf, 302);
}

void mill(QPainter& p, QPainterPath& taken, const QPainterPath& r)
{
    const qreal ry = yAt(r, 80);
    const QRectF m(66, ry - 30, 28, 16);
    taken.addRect(m.adjusted(-3, -3, 3, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 20, 60));
    p.drawRect(m.translated(2, 2));
    p.setPen(QPen(QColor(120, 80, 60), 0.9));
    p.setBrush(QColor(168, 110, 84));
    p.drawRect(QRectF(m.left(), m.top(), m.width(), m.height() / 2));
    p.setBrush(QColor(196, 134, 104));
    p.drawRect(QRectF(m.left(), m.center().y(), m.width(), m.height() / 2));
    // Water wheel and the weir.
    p.setPen(QPen(QColor(100, 70, 50), 1));
    p.setBrush(QColor(150, 110, 80));
    p.drawRect(QRectF(m.right() - 10, m.bottom(), 8, 4));
    p.setPen(QPen(QColor(255, 255, 255, 200), 1.5));
    p.drawLine(QPointF(104, ry - 13), QPointF(100, ry + 13));
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    p.drawLine(QPointF(108, ry - 12), QPointF(104, ry + 12));
}

void station(QPainter& p, QPainterPath& taken)
{
    // Railway along the south edge.
    QPainterPath rail = line({{-10, 352}, {650, 352}});
    taken.addPath(stroked(rail, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(216, 208, 192));
    p.drawRect(QRectF(0, 343, 640, 18));
    for (qreal x = 2; x < 640; x += 5) {
        p.setPen(QPen(QColor(150, 120, 90), 1.4));
        p.drawLine(QPointF(x, 345.5), QPointF(x, 350.5));
        p.drawLine(QPointF(x + 2.5, 353.5), QPointF(x + 2.5, 358.5));
    }
    p.setPen(QPen(QColor(90, 90, 96), 1));
    for (qreal y : {346.5, 349.5, 354.5, 357.5})
        p.drawLine(QPointF(0, y), QPointF(640, y));

    // Platforms and the station building with its forecourt.
    p.setPen(QPen(QColor(150, 146, 140), 0.8));
    p.setBrush(QColor(226, 224, 220));
    p.drawRect(QRectF(250, 336, 150, 7));
    p.drawRect(QRectF(250, 361, 150, 7));
    p.setPen(QPen(QColor(240, 200, 60), 1));
    p.drawLine(QPointF(251, 342), QPointF(399, 342));
    p.drawLine(QPointF(251, 362), QPointF(399, 362));
    const QRectF forecourt(286, 304, 68, 14);
    taken.addRect(QRectF(262, 300, 130, 42));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(232, 226, 214));
    p.drawRect(forecourt);
    const QRectF b(266, 318, 108, 18);
    p.setBrush(QColor(40, 30, 20, 60));
    p.drawRect(b.translated(2, 2));
    p.setPen(QPen(QColor(110, 60, 50), 0.9));
    p.setBrush(QColor(176, 84, 62));
    p.drawRect(QRectF(b.left(), b.top(), b.width(), b.height() / 2));
    p.setBrush(QColor(204, 108, 82));
    p.drawRect(QRectF(b.left(), b.center().y(), b.width(), b.height() / 2));
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(320, 311), 3.2, 3.2);

    // A train pulling in.
    for (int i = 0; i < 3; ++i) {
        const QRectF car(420 + i * 37, 344, 35, 8);
        p.setPen(QPen(QColor(110, 20, 20), 0.8));
        QLinearGradient g(car.topLeft(), car.bottomLeft());
        g.setColorAt(0, QColor(230, 70, 60));
        g.setColorAt(1, QColor(170, 36, 30));
        p.setBrush(g);
        p.drawRoundedRect(car, i == 0 ? 3.5 : 1.5, i == 0 ? 3.5 : 1.5);
        p.setPen(QPen(QColor(250, 220, 210), 0.8));
        p.drawLine(QPointF(car.left() + 3, car.center().y()),
                   QPointF(car.right() - 3, car.center().y()));
    }
}

// Terraces of houses along both sides of each street, wherever the ground is free.
void houses(QPainter& p, const std::vector<Street>& ss, QPainterPath taken)
{
    Dice dice(5);
    std::vector<QPolygonF> all;
    auto house = [&](const QPainterPath& path, qreal at, qreal w, qreal offset, qreal d,
                     qreal inset) {
        const qreal t = path.percentAtLength(at + w / 2);
        QTransform m;
        m.translate(path.pointAtPercent(t).x(), path.pointAtPercent(t).y());
        m.rotate(-path.angleAtPercent(t));
        const qreal top = offset < 0 ? offset - d : offset;
        return m.map(QPolygonF(QRectF(-w / 2 + inset, top + inset, w - 2 * inset, d - 2 * inset)));
    };
    for (const Street& s : ss) {
        const qreal len = s.path.length();
        for (int side = -1; side <= 1; side += 2) {
            const qreal d = dice.uniform(10, 13);
            const qreal offset = side * (s.width / 2 + 2);
            for (qreal at = 2; at < len - 2;) {
                const qreal w = dice.uniform(8, 14);
                const QPolygonF probe = house(s.path, at, w, offset, d, 0.8);
                QPainterPath pp;
                pp.addPolygon(probe);
                pp.closeSubpath();
                const QRectF br = probe.boundingRect();
                if (!taken.intersects(pp) && br.left() > 8 && br.right() < 632 && br.top() > 8 &&
                    br.bottom() < 392) {
                    const QPolygonF full = house(s.path, at, w, offset, d, 0);
                    all.push_back(full);
                    QPainterPath fp;
                    fp.addPolygon(full);
                    fp.closeSubpath();
                    taken.addPath(fp);
                    at += w;
                } else {
                    at += 3;
                }
            }
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 20, 50));
    for (const auto& poly : all)
        p.drawPolygon(poly.translated(1.6, 1.6));
    const QColor tones[] = {kBuilding, kBuilding.darker(106), QColor(230, 196, 170),
                            QColor(214, 206, 190)};
    for (const auto& poly : all) {
        const QColor c = tones[dice.pick(4)];
        p.setPen(QPen(kBuildingEdge, 0.7));
        p.setBrush(c);
        p.drawPolygon(poly);
        // Roof ridge along the middle of the long side.
        const QPointF a = (poly[0] + poly[3]) / 2, b = (poly[1] + poly[2]) / 2;
        p.setPen(QPen(c.darker(112), 0.7));
        p.drawLine(a, b);
    }
}

void gardens(QPainter& p, const QPainterPath& taken)
{
    Dice dice(9);
    int seed = 500;
    for (int i = 0; i < 900; ++i) {
        const QPointF c(dice.uniform(14, 626), dice.uniform(14, 330));
        QPainterPath spot;
        spot.addEllipse(c, 6, 6);
        if (taken.intersects(spot))
            continue;
        drawTree(p, c, dice.uniform(3.5, 5), kLeaf.lighter(108), seed++);
        if (seed > 560)
            break;
    }
}

void streetNames(QPainter& p, const QPainterPath& r)
{
    const QColor ink(96, 82, 66), halo(255, 255, 252, 150);
    const QFont f = sans(8, true);
    auto along = [&](QPointF c, qreal angle, const QString& name) {
        p.save();
        p.translate(c);
        p.rotate(angle);
        drawHaloCentred(p, QPointF(0, 0), name, f, ink, halo, 1);
        p.restore();
    };
    along(QPointF(320, 66), 90, "HIGH STREET");
    along(QPointF(320, 284), 90, "STATION ROAD");
    along(QPointF(60, 92), 0, "MILL STREET");
    along(QPointF(430, 56), 90, "PARK ROAD");
    along(QPointF(272, 140), 0, "WATER LANE");
    along(QPointF(100, 40), 0, "BELL STREET");
    along(QPointF(120, 296), 0, "RAILWAY ROW");
    along(QPointF(148, 52), 40, "CHURCH LANE");
    along(QPointF(60, 224), -4, "MEADOW WAY");

    // The river's name follows its bend.
    QFont rf = serif(12, true);
    rf.setItalic(true);
    rf.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    const QString name = "River Tav";
    qreal at = r.length() * 0.66;
    p.setFont(rf);
    const QFontMetricsF fm(rf);
    for (const QChar ch : name) {
        const qreal w = fm.horizontalAdvance(ch);
        const qreal t = r.percentAtLength(at + w / 2);
        p.save();
        p.translate(r.pointAtPercent(t));
        p.rotate(-r.angleAtPercent(t));
        p.setPen(QColor(40, 90, 140));
        p.drawText(QPointF(-w / 2, 4), QString(ch));
        p.restore();
        at += w;
    }
}

void label(QPainter& p, QPointF c, const QString& text, qreal size = 10.5)
{
    drawHaloCentred(p, c, text, sans(size, true), kInk, QColor(255, 253, 245, 235), 2);
}

void compass(QPainter& p, QPointF c)
{
    p.save();
    p.translate(c);
    p.setPen(QPen(QColor(120, 104, 84), 0.8));
    p.setBrush(QColor(255, 252, 244, 220));
    p.drawEllipse(QPointF(0, 0), 15, 15);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.rotate(i * 90);
        p.setPen(QPen(QColor(80, 66, 50), 0.6));
        p.setBrush(i == 0 ? QColor(190, 60, 46) : QColor(110, 96, 78));
        p.drawPolygon(QPolygonF({QPointF(0, -13), QPointF(3, 0), QPointF(0, 0)}));
        p.setBrush(i == 0 ? QColor(230, 110, 90) : QColor(230, 222, 206));
        p.drawPolygon(QPolygonF({QPointF(0, -13), QPointF(-3, 0), QPointF(0, 0)}));
        p.restore();
    }
    p.restore();
    drawCentred(p, c + QPointF(0, -22), "N", sans(10, true), kInk);
}

void frame(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 100, 76), 3));
    p.drawRect(QRectF(1.5, 1.5, 637, 397));
    p.setPen(QPen(QColor(120, 100, 76), 1));
    p.drawRect(QRectF(5.5, 5.5, 629, 389));
}

void cartouche(QPainter& p)
{
    const QRectF box(14.5, 312.5, 150, 64);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 20, 50));
    p.drawRoundedRect(box.translated(2, 2), 5, 5);
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, QColor(255, 252, 242));
    g.setColorAt(1, QColor(242, 232, 210));
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 100, 76), 1));
    p.drawRoundedRect(box, 5, 5);
    p.drawRoundedRect(box.adjusted(3, 3, -3, -3), 3, 3);
    QFont title = serif(20, true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    drawCentred(p, QPointF(box.center().x(), box.top() + 22), "MILLBRIDGE", title,
                QColor(80, 52, 34));
    drawCentred(p, QPointF(box.center().x(), box.top() + 41), "Town Centre", serif(11, false),
                QColor(110, 86, 64));
    // Scale bar.
    const qreal y = box.top() + 52.5, x0 = box.left() + 35;
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(80, 64, 48), 0.8));
        p.setBrush(i % 2 ? QColor(255, 252, 242) : QColor(80, 64, 48));
        p.drawRect(QRectF(x0 + i * 20, y, 20, 3));
    }
    p.setFont(sans(7));
    p.setPen(QColor(80, 64, 48));
    p.drawText(QPointF(x0 - 2, y - 1.5), "0");
    p.drawText(QPointF(x0 + 80 - 10, y - 1.5), "200 m");
}

} // namespace

QImage drawTownMap()
{
    QImage img = canvas(640, 400, kGround);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QRadialGradient vignette(QPointF(320, 200), 420);
    vignette.setColorAt(0.6, QColor(0, 0, 0, 0));
    vignette.setColorAt(1, QColor(120, 90, 50, 40));
    p.fillRect(img.rect(), vignette);

    const QPainterPath r = riverPath();
    const std::vector<Street> ss = streets();
    QPainterPath taken;
    taken.setFillRule(Qt::WindingFill);
    taken.addPath(stroked(r, 46));
    for (const Street& s : ss)
        taken.addPath(stroked(s.path, s.width + 3));

    river(p, r);
    park(p, taken);
    churchyard(p, taken);
    marketPlace(p, taken);
    mill(p, taken, r);
    station(p, taken);

    // Streets: all casings first so that the junctions run together.
    p.setBrush(Qt::NoBrush);
    for (const Street& s : ss) {
        p.setPen(QPen(kCasing, s.width + 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPath(s.path);
    }
    for (const Street& s : ss) {
        p.setPen(QPen(s.main ? kMain : kMinor, s.width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPath(s.path);
    }
    // Bridges: High Street and a footbridge at the mill end.
    for (const auto& [x, w] : {std::pair<qreal, qreal>{320, 16}, {150, 8}}) {
        const qreal y = yAt(r, x);
        const QRectF b(x - w / 2, y - 22, w, 44);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 50, 80, 70));
        p.drawRect(b.translated(2.5, 1));
        p.setBrush(w > 10 ? kMain : QColor(236, 226, 204));
        p.drawRect(b);
        p.setPen(QPen(QColor(110, 96, 78), 1.4));
        p.drawLine(b.topLeft(), b.bottomLeft());
        p.drawLine(b.topRight(), b.bottomRight());
    }
    QPainterPath footpath = line({{150, 140}, {150, yAt(r, 150) - 22}});
    p.setPen(QPen(QColor(206, 196, 168), 4));
    p.drawPath(footpath);
    p.setPen(QPen(QColor(246, 240, 222), 2.5));
    p.drawPath(footpath);

    houses(p, ss, taken);
    gardens(p, taken);
    streetNames(p, r);

    label(p, QPointF(196, 152), "St Mary's Church");
    label(p, QPointF(366, 160), "Market Place");
    label(p, QPointF(365, 112), "Town Hall", 8);
    label(p, QPointF(542, 72), "Riverside Park");
    label(p, QPointF(320, 378), "Station");
    label(p, QPointF(44, yAt(r, 80) - 22), "Old Mill");
    label(p, QPointF(542, 220), "Bandstand", 8);
    compass(p, QPointF(604, 322));
    cartouche(p);
    frame(p);
    p.end();
    return img;
}

} // namespace tavlo
