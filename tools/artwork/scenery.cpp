#include "scenery.h"

#include "paint.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace tavlo {

void drawTree(QPainter& p, QPointF c, qreal r, const QColor& leaf, quint32 seed)
{
    Dice dice(seed);
    QPainterPath crown;
    crown.setFillRule(Qt::WindingFill);
    crown.addEllipse(c, r, r);
    for (int i = 0; i < 5; ++i) {
        const qreal a = i * 2 * M_PI / 5 + dice.uniform(0, 1);
        const qreal rr = r * dice.uniform(0.45, 0.6);
        crown.addEllipse(c + QPointF(std::cos(a), std::sin(a)) * r * 0.55, rr, rr);
    }
    crown = crown.simplified();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 20, 70));
    p.drawPath(crown.translated(r * 0.45, -r * 0.3));
    QRadialGradient g(c + QPointF(-r * 0.35, r * 0.35), r * 1.5);
    g.setColorAt(0, leaf.lighter(135));
    g.setColorAt(0.55, leaf);
    g.setColorAt(1, leaf.darker(150));
    p.setBrush(g);
    p.setPen(QPen(leaf.darker(160), 0.7));
    p.drawPath(crown);
    p.restore();
}

static QPolygonF shadowOf(const QRectF& f, qreal h)
{
    const QPointF v(h * 0.8, -h * 0.45);
    return QPolygonF({f.bottomLeft(), f.bottomRight(), f.bottomRight() + v, f.topRight() + v,
                      f.topLeft() + v, f.topLeft()});
}

void drawBuildingShadow(QPainter& p, const Building& b)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 50, 60));
    p.drawPolygon(shadowOf(b.foot, b.height));
    p.restore();
}

void drawBuilding(QPainter& p, const Building& b)
{
    const QRectF& f = b.foot;
    const qreal h = b.height;
    const QRectF roof = f.translated(0, -h);
    const QRectF wall(f.left(), f.bottom() - h, f.width(), h);
    p.save();

    // Front wall with its windows.
    QLinearGradient wg(wall.topLeft(), wall.bottomLeft());
    wg.setColorAt(0, b.wall.lighter(104));
    wg.setColorAt(1, b.wall.darker(112));
    p.setPen(QPen(b.wall.darker(165), 0.8));
    p.setBrush(wg);
    p.drawRect(wall);
    const QColor glass(88, 118, 142);
    const qreal ww = 3.2, wh = std::min(4.5, h / (b.windowRows + 1.6));
    const int cols = std::max(1, int((f.width() - 4) / 8.5));
    const qreal step = (f.width() - 4) / cols;
    for (int row = 0; row < b.windowRows; ++row) {
        const qreal y = wall.top() + 3 + row * (wh + 3.5);
        for (int i = 0; i < cols; ++i) {
            const qreal x = f.left() + 2 + step * (i + 0.5) - ww / 2;
            const bool isDoor = b.door && row == b.windowRows - 1 && i == cols / 2;
            if (isDoor) {
                const qreal dh = std::min(h - 2.5, wh + 3);
                p.setPen(Qt::NoPen);
                p.setBrush(b.wall.darker(220));
                p.drawRect(QRectF(x - 0.4, wall.bottom() - dh, ww + 0.8, dh));
                continue;
            }
            if (y + wh > wall.bottom() - 1.5)
                continue;
            p.setPen(QPen(QColor(250, 250, 245, 200), 0.7));
            p.setBrush(glass);
            p.drawRect(QRectF(x, y, ww, wh));
        }
    }

    // Roof: facets shaded by their facing; the lower one faces the light.
    const QColor lit = b.roof.lighter(118), south = b.roof, west = b.roof.darker(108),
                 east = b.roof.darker(128), north = b.roof.darker(140);
    const QPen edge(b.roof.darker(190), 0.8);
    const QRectF r = roof.adjusted(-1, -1, 1, 1);
    auto facet = [&](QPolygonF poly, const QColor& c) {
        p.setPen(edge);
        p.setBrush(c);
        p.drawPolygon(poly);
    };
    if (b.hip) {
        const qreal in = std::min(r.width(), r.height()) / 2;
        const qreal cy = r.center().y(), cx = r.center().x();
        QPointF a, z;
        if (r.width() >= r.height()) {
            a = {r.left() + in, cy};
            z = {r.right() - in, cy};
        } else {
            a = {cx, r.top() + in};
            z = {cx, r.bottom() - in};
        }
        facet({r.topLeft(), r.topRight(), z, a}, north);
        facet({r.topRight(), r.bottomRight(), z}, east);
        facet({r.topLeft(), a, r.bottomLeft()}, west);
        facet({r.bottomLeft(), a, z, r.bottomRight()}, lit);
        p.setPen(QPen(b.roof.lighter(150), 0.8));
        p.drawLine(a, z);
    } else if (b.ridgeAlongX) {
        const qreal cy = r.center().y();
        facet(QPolygonF(QRectF(r.left(), r.top(), r.width(), cy - r.top())), north);
        facet(QPolygonF(QRectF(r.left(), cy, r.width(), r.bottom() - cy)), south);
        p.setPen(QPen(b.roof.lighter(150), 1));
        p.drawLine(QPointF(r.left() + 0.5, cy), QPointF(r.right() - 0.5, cy));
    } else {
        const qreal cx = r.center().x();
        facet(QPolygonF(QRectF(r.left(), r.top(), cx - r.left(), r.height())), lit);
        facet(QPolygonF(QRectF(cx, r.top(), r.right() - cx, r.height())), east);
        p.setPen(QPen(b.roof.lighter(150), 1));
        p.drawLine(QPointF(cx, r.top() + 0.5), QPointF(cx, r.bottom() - 0.5));
    }
    p.restore();
}

static QPainterPath hullPath(qreal l, qreal w, qreal sternRound)
{
    QPainterPath h;
    h.moveTo(-l / 2, -w * 0.4);
    h.cubicTo(-l * 0.1, -w * 0.54, l * 0.28, -w * 0.5, l / 2, 0);
    h.cubicTo(l * 0.28, w * 0.5, -l * 0.1, w * 0.54, -l / 2, w * 0.4);
    h.quadTo(-l / 2 - sternRound, 0, -l / 2, -w * 0.4);
    h.closeSubpath();
    return h;
}

void drawWake(QPainter& p, QPointF stern, qreal angle, qreal length, qreal spread)
{
    p.save();
    p.translate(stern);
    p.rotate(angle);
    p.setBrush(Qt::NoBrush);
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 3; ++i) {
            const qreal t = 1.0 - i * 0.28;
            QPainterPath w;
            w.moveTo(0, side * 1.5);
            w.quadTo(-length * 0.5 * t, side * spread * 0.35 * t, -length * t, side * spread * t);
            p.setPen(QPen(QColor(255, 255, 255, 110 - i * 35), 1.3 - i * 0.3, Qt::SolidLine,
                          Qt::RoundCap));
            p.drawPath(w);
        }
    }
    QLinearGradient g(0, 0, -length * 0.8, 0);
    g.setColorAt(0, QColor(255, 255, 255, 120));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    QPainterPath trail;
    trail.moveTo(0, -2.5);
    trail.lineTo(-length * 0.8, -spread * 0.25);
    trail.lineTo(-length * 0.8, spread * 0.25);
    trail.lineTo(0, 2.5);
    trail.closeSubpath();
    p.drawPath(trail);
    p.restore();
}

void drawBoat(QPainter& p, QPointF c, qreal angle, qreal l, BoatKind kind, const QColor& hull)
{
    const qreal w = kind == BoatKind::Ferry     ? l * 0.26
                    : kind == BoatKind::Dinghy  ? l * 0.46
                    : kind == BoatKind::Fishing ? l * 0.36
                                                : l * 0.34;
    p.save();
    p.translate(c);
    p.rotate(angle);
    const QPainterPath h = hullPath(l, w, kind == BoatKind::Dinghy ? w * 0.2 : w * 0.08);

    // Shadow on the water, then the hull.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 40, 70, 80));
    p.save();
    p.resetTransform();
    p.translate(c + QPointF(2.2, -1.4));
    p.rotate(angle);
    p.drawPath(h);
    p.restore();

    QLinearGradient hg(0, -w / 2, 0, w / 2);
    hg.setColorAt(0, hull.darker(118));
    hg.setColorAt(0.45, hull.lighter(108));
    hg.setColorAt(1, hull);
    p.setPen(QPen(hull.darker(200), 0.9));
    p.setBrush(hg);
    p.drawPath(h);

    const QColor teak(196, 150, 98), white(250, 250, 246), cabinEdge(120, 130, 140);
    QTransform deckScale;
    deckScale.translate(-l * 0.02, 0);
    deckScale.scale(0.84, 0.7);
    const QPainterPath deck = deckScale.map(h);
    switch (kind) {
    case BoatKind::Dinghy:
        p.setPen(QPen(hull.darker(160), 0.7));
        p.setBrush(QColor(214, 190, 150));
        p.drawPath(deck);
        p.setPen(QPen(QColor(150, 110, 70), 1.2));
        p.drawLine(QPointF(-l * 0.05, -w * 0.3), QPointF(-l * 0.05, w * 0.3));
        break;
    case BoatKind::Sail:
    case BoatKind::Yacht: {
        p.setPen(QPen(teak.darker(140), 0.6));
        p.setBrush(teak);
        p.drawPath(deck);
        p.setPen(QPen(cabinEdge, 0.7));
        p.setBrush(white);
        p.drawRoundedRect(QRectF(-l * 0.18, -w * 0.22, l * 0.3, w * 0.44), 2, 2);
        // Furled sail along the boom, mast at the front of the cabin.
        p.setPen(QPen(QColor(235, 235, 230), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(l * 0.14, 0), QPointF(-l * 0.38, 0));
        p.setPen(QPen(QColor(40, 70, 120), 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(l * 0.05, 0), QPointF(-l * 0.3, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 60, 60));
        p.drawEllipse(QPointF(l * 0.14, 0), 1.3, 1.3);
        break;
    }
    case BoatKind::Motor:
        p.setPen(QPen(QColor(190, 190, 185), 0.6));
        p.setBrush(QColor(238, 238, 232));
        p.drawPath(deck);
        p.setPen(QPen(cabinEdge, 0.7));
        p.setBrush(white);
        p.drawRoundedRect(QRectF(-l * 0.2, -w * 0.26, l * 0.36, w * 0.52), 2.5, 2.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 90, 120));
        p.drawRoundedRect(QRectF(l * 0.08, -w * 0.22, l * 0.07, w * 0.44), 1, 1);
        break;
    case BoatKind::Fishing: {
        p.setPen(QPen(QColor(120, 110, 95), 0.6));
        p.setBrush(QColor(205, 200, 185));
        p.drawPath(deck);
        // Wheelhouse at the stern, nets and floats on the fore deck.
        p.setPen(QPen(QColor(90, 90, 90), 0.7));
        p.setBrush(white);
        p.drawRect(QRectF(-l * 0.34, -w * 0.24, l * 0.22, w * 0.48));
        p.setBrush(QColor(70, 100, 130));
        p.drawRect(QRectF(-l * 0.16, -w * 0.18, l * 0.03, w * 0.36));
        p.setPen(QPen(QColor(70, 120, 90), 0.9));
        p.setBrush(QColor(90, 150, 110, 160));
        p.drawEllipse(QRectF(l * 0.02, -w * 0.2, l * 0.2, w * 0.4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 150, 40));
        p.drawEllipse(QPointF(l * 0.27, -w * 0.12), 1.2, 1.2);
        p.drawEllipse(QPointF(l * 0.27, w * 0.12), 1.2, 1.2);
        p.setPen(QPen(QColor(70, 70, 70), 1));
        p.drawLine(QPointF(-l * 0.05, 0), QPointF(l * 0.3, 0));
        break;
    }
    case BoatKind::Ferry: {
        p.setPen(QPen(QColor(170, 170, 165), 0.6));
        p.setBrush(QColor(236, 236, 230));
        p.drawPath(deck);
        p.setPen(QPen(cabinEdge, 0.8));
        p.setBrush(white);
        p.drawRoundedRect(QRectF(-l * 0.36, -w * 0.3, l * 0.62, w * 0.6), 3, 3);
        p.setBrush(QColor(245, 245, 240));
        p.drawRoundedRect(QRectF(-l * 0.26, -w * 0.2, l * 0.36, w * 0.4), 2, 2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 90, 125));
        for (int i = 0; i < 7; ++i)
            p.drawRect(QRectF(-l * 0.33 + i * l * 0.085, -w * 0.28, l * 0.04, w * 0.06));
        for (int i = 0; i < 7; ++i)
            p.drawRect(QRectF(-l * 0.33 + i * l * 0.085, w * 0.22, l * 0.04, w * 0.06));
        // Funnel.
        p.setPen(QPen(QColor(40, 40, 40), 0.7));
        p.setBrush(QColor(200, 50, 40));
        p.drawEllipse(QRectF(-l * 0.14, -w * 0.12, l * 0.1, w * 0.24));
        p.setBrush(QColor(30, 30, 30));
        p.drawEllipse(QRectF(-l * 0.12, -w * 0.06, l * 0.06, w * 0.12));
        break;
    }
    }
    p.restore();
}

void drawPlaque(QPainter& p, QPointF c, const QString& text, qreal pixelSize)
{
    const QFont f = sans(pixelSize, true);
    const QRectF ink = inkBox(text, f);
    const qreal w = std::round(ink.width() + 12), h = std::round(pixelSize + 6);
    const QRectF box(std::round(c.x() - w / 2) + 0.5, std::round(c.y() - h / 2) + 0.5, w, h);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 20, 60));
    p.drawRoundedRect(box.translated(1, 1.5), 4, 4);
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, QColor(255, 252, 244));
    g.setColorAt(1, QColor(240, 232, 214));
    p.setBrush(g);
    p.setPen(QPen(QColor(122, 102, 78), 1));
    p.drawRoundedRect(box, 4, 4);
    drawCentred(p, box.center() + QPointF(0, 0.5), text, f, QColor(58, 44, 32));
    p.restore();
}

} // namespace tavlo
