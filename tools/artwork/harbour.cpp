// A small harbour seen from above at a slight angle: basin, quays, pontoons, breakwater with
// its lighthouse, harbour office, market square, warehouses and a beach.
#include "paint.h"
#include "pictures.h"
#include "scenery.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tavlo {

namespace {

const QColor kPaving(232, 222, 200);
const QColor kStreet(196, 188, 174);
const QColor kGrass(150, 196, 112);
const QColor kLeaf(92, 150, 70);
const QColor kStone(176, 164, 140);

const QColor kWalls[] = {{246, 236, 212}, {242, 216, 160}, {214, 226, 232},
                         {236, 200, 182}, {250, 246, 236}, {222, 210, 180}};
const QColor kRoofs[] = {
    {196, 98, 62}, {172, 80, 52}, {104, 116, 130}, {150, 96, 70}, {210, 120, 70}};

void water(QPainter& p)
{
    QLinearGradient g(0, 140, 260, 470);
    g.setColorAt(0, QColor(104, 190, 208));
    g.setColorAt(0.5, QColor(64, 150, 190));
    g.setColorAt(1, QColor(36, 102, 148));
    p.fillRect(QRectF(0, 0, 640, 400), g);
    QRadialGradient deep(QPointF(660, 420), 330);
    deep.setColorAt(0, QColor(18, 66, 112, 150));
    deep.setColorAt(1, QColor(18, 66, 112, 0));
    p.fillRect(QRectF(0, 0, 640, 400), deep);

    Dice dice(11);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 340; ++i) {
        const QPointF a(dice.uniform(120, 640), dice.uniform(150, 400));
        const qreal len = dice.uniform(4, 10);
        const bool open = a.y() > 315 || a.x() > 570;
        QPainterPath r;
        r.moveTo(a);
        r.quadTo(a + QPointF(len / 2, -1.6), a + QPointF(len, 0));
        p.setPen(QPen(QColor(255, 255, 255, open ? 90 : 55), 1, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(r);
    }
}

QPainterPath breakwaterLine()
{
    QPainterPath b;
    b.moveTo(556, 158);
    b.lineTo(556, 282);
    b.quadTo(556, 299, 539, 299);
    b.lineTo(412, 299);
    return b;
}

void breakwater(QPainter& p)
{
    const QPainterPath line = breakwaterLine();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 60, 90, 70), 34, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(line.translated(2, 2));
    p.setPen(QPen(QColor(128, 124, 116), 30, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(line);
    // Boulders along both flanks.
    Dice dice(5);
    const qreal len = line.length();
    for (qreal s = 0; s < len; s += 3.2) {
        const qreal t = line.percentAtLength(s);
        const QPointF at = line.pointAtPercent(t);
        const qreal ang = line.angleAtPercent(t) * M_PI / 180;
        const QPointF n(-std::sin(ang), -std::cos(ang));
        for (int side = -1; side <= 1; side += 2) {
            const QPointF c = at + n * side * dice.uniform(10, 14);
            const qreal r = dice.uniform(2.2, 3.8);
            const int g = 130 + dice.pick(50);
            QRadialGradient rg(c + QPointF(-r * 0.4, r * 0.4), r * 1.4);
            rg.setColorAt(0, QColor(g + 40, g + 38, g + 32));
            rg.setColorAt(1, QColor(g - 30, g - 32, g - 36));
            p.setPen(QPen(QColor(80, 78, 74), 0.6));
            p.setBrush(rg);
            p.drawEllipse(c, r, r * 0.85);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(206, 200, 186), 14, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(line);
    p.setPen(QPen(QColor(226, 220, 206), 9, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(line);
    p.setPen(QPen(QColor(190, 182, 166), 1, Qt::DashLine));
    p.drawPath(line);
}

void beach(QPainter& p)
{
    QPainterPath shore;
    shore.moveTo(128, 262);
    shore.cubicTo(152, 298, 172, 352, 214, 400);
    QPainterPath sand;
    sand.moveTo(0, 262);
    sand.lineTo(128, 262);
    sand.cubicTo(152, 298, 172, 352, 214, 400);
    sand.lineTo(0, 400);
    sand.closeSubpath();

    // Surf: light bands in the water along the shore.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 214, 220, 140), 26));
    p.drawPath(shore);
    p.setPen(QPen(QColor(255, 255, 255, 90), 12));
    p.drawPath(shore.translated(6, -2));
    p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shore.translated(4, -1));

    QLinearGradient g(0, 262, 200, 400);
    g.setColorAt(0, QColor(244, 226, 176));
    g.setColorAt(1, QColor(232, 206, 146));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(sand);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(214, 186, 128), 5));
    p.drawPath(shore.translated(-2, 1));

    // Umbrellas and towels.
    struct Umbrella {
        QPointF c;
        QColor a, b;
    };
    const Umbrella us[] = {{{40, 300}, {226, 72, 60}, {250, 246, 236}},
                           {{92, 318}, {40, 120, 190}, {250, 246, 236}},
                           {{52, 356}, {246, 190, 40}, {230, 110, 40}},
                           {{128, 364}, {60, 160, 110}, {250, 246, 236}}};
    for (const auto& u : us) {
        p.setBrush(QColor(160, 150, 110, 90));
        p.setPen(Qt::NoPen);
        p.drawEllipse(u.c + QPointF(4, -2), 10, 9);
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(u.c.x() + 8, u.c.y() + 4, 10, 5));
        for (int i = 0; i < 8; ++i) {
            p.setBrush(i % 2 ? u.b : u.a);
            p.setPen(QPen(u.a.darker(140), 0.5));
            p.drawPie(QRectF(u.c.x() - 9, u.c.y() - 9, 18, 18), i * 45 * 16, 45 * 16);
        }
        p.setBrush(u.a.darker(150));
        p.drawEllipse(u.c, 1.2, 1.2);
    }
    drawPlaque(p, QPointF(70, 386), "Beach");
}

void town(QPainter& p)
{
    QPainterPath land;
    land.moveTo(0, 0);
    land.lineTo(640, 0);
    land.lineTo(640, 184);
    land.cubicTo(616, 192, 596, 176, 572, 178);
    land.lineTo(545, 166);
    land.lineTo(545, 150);
    land.lineTo(128, 150);
    land.lineTo(128, 262);
    land.lineTo(0, 262);
    land.closeSubpath();

    // Quay wall shadow in the water, then the land.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 50, 80, 60));
    p.drawPath(land.translated(3, 4));
    p.setBrush(kPaving);
    p.drawPath(land);

    // Grassy headland by the breakwater, rocky edge towards the sea.
    QPainterPath head;
    head.moveTo(545, 126);
    head.lineTo(640, 126);
    head.lineTo(640, 184);
    head.cubicTo(616, 192, 596, 176, 572, 178);
    head.lineTo(545, 166);
    head.closeSubpath();
    QLinearGradient hg(545, 126, 640, 190);
    hg.setColorAt(0, kGrass.lighter(106));
    hg.setColorAt(1, kGrass.darker(108));
    p.setBrush(hg);
    p.drawPath(head);
    Dice dice(3);
    for (int i = 0; i < 16; ++i) {
        const QPointF c(dice.uniform(574, 640), 0);
        const qreal y = 178 + (c.x() - 574) * 0.12 + dice.uniform(-3, 3);
        p.setPen(QPen(QColor(90, 86, 80), 0.6));
        p.setBrush(QColor(150 + dice.pick(40), 146 + dice.pick(30), 136));
        p.drawEllipse(QPointF(c.x(), y), dice.uniform(2.5, 4), dice.uniform(2, 3));
    }

    // Streets.
    p.setPen(Qt::NoPen);
    p.setBrush(kStreet);
    p.drawRect(QRectF(0, 106, 640, 18));
    p.drawRect(QRectF(84, 124, 18, 138));
    p.drawRect(QRectF(148, 0, 10, 106));
    p.drawRect(QRectF(338, 0, 12, 106));
    p.drawRect(QRectF(474, 0, 10, 106));
    p.setPen(QPen(QColor(255, 255, 255, 150), 1, Qt::DashLine));
    p.drawLine(QPointF(0, 115), QPointF(640, 115));
    p.drawLine(QPointF(93, 124), QPointF(93, 262));
    p.setPen(QPen(QColor(170, 162, 148), 1));
    p.drawLine(QPointF(0, 106.5), QPointF(148, 106.5));
    p.drawLine(QPointF(158, 106.5), QPointF(338, 106.5));
    p.drawLine(QPointF(350, 106.5), QPointF(640, 106.5));
    p.drawLine(QPointF(102, 124.5), QPointF(545, 124.5));
    p.drawLine(QPointF(0, 124.5), QPointF(84, 124.5));

    // Quay edge: a light kerb with bollards.
    p.setBrush(Qt::NoBrush);
    QPainterPath kerb;
    kerb.moveTo(545, 151);
    kerb.lineTo(129, 151);
    kerb.lineTo(129, 262);
    p.setPen(QPen(QColor(150, 140, 120), 3));
    p.drawPath(kerb);
    p.setPen(QPen(QColor(246, 240, 226), 1.2));
    p.drawPath(kerb.translated(-1.5, -1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 70, 74));
    for (int x = 150; x < 540; x += 24)
        p.drawEllipse(QPointF(x, 146), 1.6, 1.6);
    for (int y = 170; y < 260; y += 24)
        p.drawEllipse(QPointF(123, y), 1.6, 1.6);
    // Lamp posts along the promenade.
    for (int x = 162; x < 540; x += 72) {
        p.setBrush(QColor(40, 40, 44, 90));
        p.drawEllipse(QPointF(x + 3, 133), 2.5, 1.5);
        p.setBrush(QColor(255, 236, 160));
        p.setPen(QPen(QColor(60, 60, 64), 0.8));
        p.drawEllipse(QPointF(x, 134), 2.2, 2.2);
        p.setPen(Qt::NoPen);
    }
}

void marketSquare(QPainter& p)
{
    const QRectF sq(158, 8, 180, 98);
    QLinearGradient g(sq.topLeft(), sq.bottomRight());
    g.setColorAt(0, QColor(238, 226, 204));
    g.setColorAt(1, QColor(226, 212, 186));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(sq);
    p.setPen(QPen(QColor(212, 198, 172), 0.6));
    for (qreal x = sq.left() + 9; x < sq.right(); x += 9)
        p.drawLine(QPointF(x, sq.top()), QPointF(x, sq.bottom()));
    for (qreal y = sq.top() + 9; y < sq.bottom(); y += 9)
        p.drawLine(QPointF(sq.left(), y), QPointF(sq.right(), y));
    p.setPen(QPen(QColor(190, 174, 146), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRect(sq.adjusted(1, 1, -1, -1));

    // Fountain.
    const QPointF fc(248, 57);
    p.setPen(QPen(QColor(150, 140, 124), 1));
    p.setBrush(QColor(214, 206, 190));
    p.drawEllipse(fc, 15, 15);
    QRadialGradient wg(fc + QPointF(-3, 3), 14);
    wg.setColorAt(0, QColor(150, 214, 232));
    wg.setColorAt(1, QColor(70, 150, 190));
    p.setBrush(wg);
    p.drawEllipse(fc, 11.5, 11.5);
    p.setPen(QPen(QColor(255, 255, 255, 180), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(fc, 7, 7);
    p.setPen(QPen(QColor(150, 140, 124), 1));
    p.setBrush(QColor(230, 224, 210));
    p.drawEllipse(fc, 3, 3);

    // Market stalls with striped awnings.
    const QColor stripes[][2] = {{{214, 60, 52}, {252, 248, 240}},
                                 {{46, 130, 86}, {252, 248, 240}},
                                 {{40, 110, 180}, {252, 248, 240}},
                                 {{236, 170, 30}, {252, 248, 240}},
                                 {{150, 70, 140}, {252, 248, 240}}};
    auto stall = [&](QRectF r, int k) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 40, 20, 60));
        p.drawRect(r.translated(2.5, -1.5));
        for (int i = 0; i * 3 < r.width(); ++i) {
            p.setBrush(stripes[k % 5][i % 2]);
            p.drawRect(
                QRectF(r.left() + i * 3, r.top(), std::min(3.0, r.width() - i * 3), r.height()));
        }
        p.setPen(QPen(stripes[k % 5][0].darker(150), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r);
        p.setPen(QPen(QColor(0, 0, 0, 40), 1));
        p.drawLine(r.bottomLeft() + QPointF(0, 1), r.bottomRight() + QPointF(0, 1));
    };
    int k = 0;
    for (qreal x = 170; x < 320; x += 30)
        stall(QRectF(x, 18, 21, 12), k++);
    for (qreal x = 170; x < 320; x += 30) {
        if (std::abs(x + 10 - fc.x()) > 20 || true)
            stall(QRectF(x, 82, 21, 12), k++);
    }
    stall(QRectF(172, 48, 12, 20), k++);
    stall(QRectF(312, 48, 12, 20), k++);
    // Crates of produce beside some stalls.
    const QColor produce[] = {{230, 80, 50}, {250, 190, 40}, {110, 170, 60}};
    for (int i = 0; i < 9; ++i) {
        const QPointF c(176 + i * 17, 38 + (i % 2) * 3);
        p.setPen(QPen(QColor(130, 90, 50), 0.6));
        p.setBrush(QColor(190, 140, 90));
        p.drawRect(QRectF(c, QSizeF(6, 4)));
        p.setPen(Qt::NoPen);
        p.setBrush(produce[i % 3]);
        p.drawEllipse(QRectF(c + QPointF(1, 0.8), QSizeF(4, 2.4)));
    }
    drawTree(p, QPointF(168, 99), 7, kLeaf, 21);
    drawTree(p, QPointF(328, 99), 7, kLeaf, 22);
}

void harbourOffice(QPainter& p)
{
    Building office{QRectF(362, 50, 104, 40), 24, QColor(246, 238, 220), QColor(92, 108, 126)};
    office.windowRows = 2;
    drawBuildingShadow(p, office);
    drawBuilding(p, office);
    // Clock tower rising from the middle of the roof.
    Building tower{QRectF(404, 44, 20, 14), 40, QColor(246, 238, 220), QColor(70, 86, 104)};
    tower.windowRows = 0;
    tower.door = false;
    drawBuildingShadow(p, tower);
    drawBuilding(p, tower);
    p.setPen(QPen(QColor(60, 60, 60), 0.8));
    p.setBrush(QColor(252, 252, 248));
    p.drawEllipse(QPointF(414, 25), 4.2, 4.2);
    p.setPen(QPen(QColor(40, 40, 40), 0.8));
    p.drawLine(QPointF(414, 25), QPointF(414, 22));
    p.drawLine(QPointF(414, 25), QPointF(416.5, 25));
    // Name board over the door.
    p.setPen(QPen(QColor(30, 50, 80), 0.6));
    p.setBrush(QColor(34, 66, 110));
    p.drawRect(QRectF(394, 66.5, 40, 6));
    p.setFont(sans(5.5, true));
    p.setPen(QColor(250, 246, 230));
    p.drawText(QRectF(394, 66.5, 40, 6), Qt::AlignCenter, "HARBOUR");
    // Flag pole in the forecourt.
    p.setPen(QPen(QColor(40, 40, 40, 70), 1.2));
    p.drawLine(QPointF(374, 101), QPointF(390, 93));
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.drawLine(QPointF(374, 101), QPointF(374, 76));
    QPainterPath flag;
    flag.moveTo(374.5, 76);
    flag.cubicTo(380, 74, 382, 79, 388, 77);
    flag.lineTo(388, 85);
    flag.cubicTo(382, 87, 380, 82, 374.5, 84);
    flag.closeSubpath();
    p.setPen(QPen(QColor(20, 60, 120), 0.6));
    p.setBrush(QColor(40, 100, 180));
    p.drawPath(flag);
    p.setPen(QPen(QColor(255, 255, 255), 1.4));
    p.drawLine(QPointF(375, 80), QPointF(388, 81));
    drawTree(p, QPointF(454, 99), 6.5, kLeaf, 31);
}

void warehouses(QPainter& p)
{
    for (int i = 0; i < 2; ++i) {
        Building w{QRectF(490 + i * 76, 42, 68, 50), 22,
                   i ? QColor(196, 112, 84) : QColor(184, 100, 76), QColor(84, 94, 106)};
        w.hip = false;
        w.ridgeAlongX = false;
        w.windowRows = 1;
        w.door = false;
        drawBuildingShadow(p, w);
        drawBuilding(p, w);
        // Big arched doors.
        const QRectF door(w.foot.center().x() - 9, 76, 18, 16);
        QPainterPath arch;
        arch.moveTo(door.bottomLeft());
        arch.lineTo(door.left(), door.top() + 6);
        arch.arcTo(QRectF(door.left(), door.top(), door.width(), 12), 180, -180);
        arch.lineTo(door.bottomRight());
        arch.closeSubpath();
        p.setPen(QPen(QColor(250, 240, 220), 1));
        p.setBrush(QColor(74, 52, 40));
        p.drawPath(arch);
        p.setPen(QPen(QColor(120, 90, 70), 0.7));
        p.drawLine(QPointF(door.center().x(), door.top() + 1),
                   QPointF(door.center().x(), door.bottom()));
    }
    // Crates and barrels on the quay in front.
    Dice dice(8);
    for (int i = 0; i < 7; ++i) {
        const QPointF c(496 + i * 7 + dice.uniform(0, 2), 131 + (i % 3) * 4);
        p.setPen(QPen(QColor(110, 76, 44), 0.6));
        p.setBrush(i % 2 ? QColor(186, 140, 90) : QColor(160, 112, 70));
        p.drawRect(QRectF(c, QSizeF(5, 5)));
    }
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(80, 60, 40), 0.6));
        p.setBrush(QColor(140, 96, 60));
        p.drawEllipse(QPointF(530 + i * 5.5, 140), 2.4, 2.4);
    }
    drawPlaque(p, QPointF(566, 98), "Fish Market");
}

void houses(QPainter& p)
{
    Dice dice(17);
    std::vector<Building> all;
    auto row = [&](qreal x0, qreal x1, qreal y, qreal depth) {
        for (qreal x = x0; x < x1 - 10;) {
            const qreal w = std::min(x1 - x, dice.uniform(18, 28));
            Building b{QRectF(x, y, w, depth), dice.uniform(11, 15), kWalls[dice.pick(6)],
                       kRoofs[dice.pick(5)]};
            b.hip = dice.pick(3) != 0;
            all.push_back(b);
            x += w + dice.uniform(1, 3);
        }
    };
    row(4, 146, 18, 22);
    row(4, 146, 64, 24);
    row(352, 472, -16, 16);
    row(486, 640, -14, 14);
    row(4, 82, 142, 22);
    row(4, 82, 190, 22);
    row(4, 82, 234, 18);
    std::sort(all.begin(), all.end(), [](const Building& a, const Building& b) {
        return a.foot.bottom() < b.foot.bottom();
    });
    for (const auto& b : all)
        drawBuildingShadow(p, b);
    for (const auto& b : all)
        drawBuilding(p, b);
    // Gardens and trees between the blocks.
    drawTree(p, QPointF(112, 62), 8, kLeaf, 41);
    drawTree(p, QPointF(110, 92), 7, kLeaf, 42);
    drawTree(p, QPointF(44, 101), 6, kLeaf, 43);
    drawTree(p, QPointF(112, 186), 7, kLeaf, 44);
    drawTree(p, QPointF(112, 236), 7, kLeaf, 45);
    drawTree(p, QPointF(590, 146), 9, kLeaf, 46);
    drawTree(p, QPointF(616, 160), 7.5, kLeaf, 47);
    drawTree(p, QPointF(624, 138), 6.5, kLeaf, 48);
    // Bench on the headland.
    p.setPen(QPen(QColor(110, 80, 50), 0.7));
    p.setBrush(QColor(170, 124, 80));
    p.drawRect(QRectF(566, 132, 12, 4));
}

void pontoon(QPainter& p, qreal x, qreal y0, qreal y1, const std::vector<qreal>& fingers)
{
    const QColor wood(176, 136, 96), edge(118, 86, 56);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 40, 70, 70));
    p.drawRect(QRectF(x - 4 + 2, y0, 8, y1 - y0 + 2));
    for (qreal f : fingers) {
        p.drawRect(QRectF(x - 22 + 2, f + 1, 44, 3));
    }
    p.setPen(QPen(edge, 0.8));
    p.setBrush(wood);
    p.drawRect(QRectF(x - 4, y0, 8, y1 - y0));
    for (qreal f : fingers)
        p.drawRect(QRectF(x - 22, f, 44, 3));
    p.setPen(QPen(wood.darker(125), 0.5));
    for (qreal y = y0 + 3; y < y1; y += 3)
        p.drawLine(QPointF(x - 3.5, y), QPointF(x + 3.5, y));
}

void lighthouse(QPainter& p)
{
    const QPointF c(404, 299);
    // Round platform at the end of the breakwater.
    p.setPen(QPen(QColor(90, 88, 84), 1));
    p.setBrush(QColor(140, 136, 128));
    p.drawEllipse(c, 22, 21);
    QRadialGradient pg(c + QPointF(-6, 6), 26);
    pg.setColorAt(0, QColor(232, 228, 216));
    pg.setColorAt(1, QColor(196, 190, 176));
    p.setBrush(pg);
    p.drawEllipse(c, 17, 16);

    // Shadow of the tower falling up and right across the water.
    QPainterPath sh;
    sh.moveTo(c + QPointF(-6, 3));
    sh.lineTo(c + QPointF(54, -36));
    sh.lineTo(c + QPointF(58, -30));
    sh.lineTo(c + QPointF(6, 4));
    sh.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 40, 60, 70));
    p.drawPath(sh);

    // Tower: tapered, striped red and white, lit from the left.
    const qreal base = c.y() + 4, top = c.y() - 62;
    const qreal wb = 9, wt = 6;
    auto halfWidth = [&](qreal y) { return wb + (wt - wb) * (base - y) / (base - top); };
    QPainterPath tower;
    tower.moveTo(c.x() - wb, base);
    tower.lineTo(c.x() - wt, top);
    tower.lineTo(c.x() + wt, top);
    tower.lineTo(c.x() + wb, base);
    tower.arcTo(QRectF(c.x() - wb, base - 3, 2 * wb, 6), 0, -180);
    tower.closeSubpath();
    QLinearGradient white(c.x() - wb, 0, c.x() + wb, 0);
    white.setColorAt(0, QColor(255, 255, 252));
    white.setColorAt(0.6, QColor(236, 236, 230));
    white.setColorAt(1, QColor(178, 178, 172));
    QLinearGradient red(c.x() - wb, 0, c.x() + wb, 0);
    red.setColorAt(0, QColor(236, 74, 58));
    red.setColorAt(0.6, QColor(206, 48, 38));
    red.setColorAt(1, QColor(140, 28, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawPath(tower);
    p.save();
    p.setClipPath(tower);
    for (int i = 0; i < 4; ++i) {
        const qreal y0 = base - 4 - i * 16;
        p.setBrush(red);
        p.drawRect(QRectF(c.x() - wb - 1, y0 - 8, 2 * wb + 2, 8));
    }
    p.restore();
    p.setPen(QPen(QColor(120, 60, 50), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tower);
    // Door.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 50, 40));
    p.drawRoundedRect(QRectF(c.x() - 2.5, base - 7, 5, 7), 2, 2);
    // Small windows.
    p.setBrush(QColor(60, 80, 100));
    p.drawRect(QRectF(c.x() - 1, base - 27, 2, 3));
    p.drawRect(QRectF(c.x() - 1, base - 43, 2, 3));
    (void)halfWidth;

    // Gallery, lantern with its glow, dome.
    const qreal g = top;
    QRadialGradient glow(QPointF(c.x(), g - 7), 26);
    glow.setColorAt(0, QColor(255, 240, 150, 170));
    glow.setColorAt(0.4, QColor(255, 230, 120, 60));
    glow.setColorAt(1, QColor(255, 230, 120, 0));
    p.setBrush(glow);
    p.drawEllipse(QPointF(c.x(), g - 7), 26, 26);
    p.setPen(QPen(QColor(40, 40, 40), 0.9));
    p.setBrush(QColor(60, 60, 64));
    p.drawRect(QRectF(c.x() - 9, g - 2, 18, 3));
    QLinearGradient lamp(c.x() - 5, 0, c.x() + 5, 0);
    lamp.setColorAt(0, QColor(255, 250, 200));
    lamp.setColorAt(1, QColor(250, 200, 80));
    p.setBrush(lamp);
    p.setPen(QPen(QColor(50, 50, 50), 0.8));
    p.drawRect(QRectF(c.x() - 5, g - 11, 10, 9));
    p.drawLine(QPointF(c.x(), g - 11), QPointF(c.x(), g - 2));
    QPainterPath dome;
    dome.moveTo(c.x() - 6.5, g - 11);
    dome.quadTo(c.x() - 6, g - 19, c.x(), g - 19);
    dome.quadTo(c.x() + 6, g - 19, c.x() + 6.5, g - 11);
    dome.closeSubpath();
    QLinearGradient dg(c.x() - 6, 0, c.x() + 6, 0);
    dg.setColorAt(0, QColor(230, 70, 56));
    dg.setColorAt(1, QColor(130, 26, 20));
    p.setBrush(dg);
    p.drawPath(dome);
    p.setPen(QPen(QColor(50, 50, 50), 1));
    p.drawLine(QPointF(c.x(), g - 19), QPointF(c.x(), g - 22));
}

void buoy(QPainter& p, QPointF c, const QColor& col)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawEllipse(c, 5, 4);
    QRadialGradient g(c + QPointF(-1, 1), 4);
    g.setColorAt(0, col.lighter(140));
    g.setColorAt(1, col.darker(130));
    p.setBrush(g);
    p.setPen(QPen(col.darker(180), 0.7));
    p.drawEllipse(c, 3, 3);
}

void boats(QPainter& p)
{
    // Marina pontoons with boats moored bow-in on both sides.
    pontoon(p, 240, 151, 252, {170, 194, 218, 242});
    pontoon(p, 340, 151, 236, {172, 198, 222});
    const QColor hulls[] = {{250, 250, 246}, {36, 70, 130},  {250, 250, 246}, {196, 52, 44},
                            {250, 250, 246}, {40, 110, 100}, {240, 236, 220}};
    const BoatKind kinds[] = {BoatKind::Sail,  BoatKind::Motor, BoatKind::Sail, BoatKind::Yacht,
                              BoatKind::Motor, BoatKind::Sail,  BoatKind::Motor};
    int k = 0;
    const qreal slotsA[] = {182, 206, 230};
    for (qreal y : slotsA) {
        drawBoat(p, QPointF(220, y), 0, 30, kinds[k % 7], hulls[k % 7]);
        ++k;
        drawBoat(p, QPointF(261, y), 180, 28, kinds[k % 7], hulls[k % 7]);
        ++k;
    }
    drawBoat(p, QPointF(218, 160), 0, 26, BoatKind::Motor, QColor(250, 250, 246));
    const qreal slotsB[] = {185, 210};
    for (qreal y : slotsB) {
        drawBoat(p, QPointF(320, y), 0, 30, kinds[k % 7], hulls[k % 7]);
        ++k;
        drawBoat(p, QPointF(362, y), 180, 32, kinds[k % 7], hulls[k % 7]);
        ++k;
    }
    drawBoat(p, QPointF(360, 162), 180, 26, BoatKind::Sail, QColor(250, 250, 246));

    // Ferry at the quay by the harbour office, fishing boats along the west quay and the
    // breakwater.
    drawBoat(p, QPointF(462, 164), 180, 88, BoatKind::Ferry, QColor(250, 250, 246));
    drawBoat(p, QPointF(144, 192), 90, 36, BoatKind::Fishing, QColor(40, 90, 150));
    drawBoat(p, QPointF(144, 236), 90, 32, BoatKind::Fishing, QColor(190, 60, 44));
    drawBoat(p, QPointF(532, 214), -90, 36, BoatKind::Fishing, QColor(46, 120, 90));
    drawBoat(p, QPointF(532, 258), -90, 30, BoatKind::Motor, QColor(250, 250, 246));

    // Under way: a dinghy in the basin, a yacht and a motor boat at sea.
    drawWake(p, QPointF(295, 268), 200, 18, 5);
    drawBoat(p, QPointF(288, 265), 200, 14, BoatKind::Dinghy, QColor(240, 150, 40));
    drawWake(p, QPointF(330, 352), 145, 24, 11);
    drawBoat(p, QPointF(316, 362), 145, 34, BoatKind::Yacht, QColor(250, 250, 246));
    drawWake(p, QPointF(604, 271), 100, 24, 10);
    drawBoat(p, QPointF(601, 286), 100, 30, BoatKind::Motor, QColor(200, 60, 50));
    drawWake(p, QPointF(515, 353), 20, 22, 9);
    drawBoat(p, QPointF(528, 358), 20, 28, BoatKind::Sail, QColor(30, 60, 110));

    buoy(p, QPointF(362, 318), QColor(220, 50, 40));
    buoy(p, QPointF(246, 306), QColor(40, 160, 80));
}

} // namespace

QImage drawHarbour()
{
    QImage img = canvas(640, 400, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    water(p);
    breakwater(p);
    town(p);
    beach(p);
    marketSquare(p);
    houses(p);
    harbourOffice(p);
    warehouses(p);
    boats(p);
    lighthouse(p);
    drawPlaque(p, QPointF(248, 96), "Market Square");
    drawPlaque(p, QPointF(414, 100), "Harbour Office");
    drawPlaque(p, QPointF(404, 336), "Lighthouse");
    drawPlaque(p, QPointF(290, 290), "Marina");
    p.end();
    return img;
}

} // namespace tavlo
