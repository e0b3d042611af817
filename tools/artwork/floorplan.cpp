// Ground-floor plan of a small harbour museum: three galleries, the entrance hall, shop,
// café, stairs and lift, toilets and office, each room named.
#include "paint.h"
#include "pictures.h"
#include "scenery.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>

namespace tavlo {

namespace {

const QColor kWall(52, 58, 68);
const QColor kFurniture(120, 132, 148);
const QColor kFurnitureFill(255, 255, 255);
const QColor kName(40, 48, 60);
const QColor kCaption(104, 114, 128);

struct Room {
    QRectF r;
    QColor floor;
    QString name;
    QString caption;
    QPointF labelAt;
};

void grid(QPainter& p)
{
    p.fillRect(QRect(0, 0, 800, 520), QColor(247, 248, 250));
    for (int x = 0; x <= 800; x += 10) {
        p.setPen(QPen(x % 50 ? QColor(234, 238, 244) : QColor(222, 228, 236), 1));
        p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, 520));
    }
    for (int y = 0; y <= 520; y += 10) {
        p.setPen(QPen(y % 50 ? QColor(234, 238, 244) : QColor(222, 228, 236), 1));
        p.drawLine(QPointF(0, y + 0.5), QPointF(800, y + 0.5));
    }
}

void wallH(QPainter& p, qreal y, qreal x0, qreal x1, qreal t)
{
    p.fillRect(QRectF(x0 - t / 2, y - t / 2, x1 - x0 + t, t), kWall);
}

void wallV(QPainter& p, qreal x, qreal y0, qreal y1, qreal t)
{
    p.fillRect(QRectF(x - t / 2, y0 - t / 2, t, y1 - y0 + t), kWall);
}

// A door leaf hinged at hinge, closing across the opening towards the other jamb, swinging
// into the room on the side given by sweep (the angle of the open leaf).
void door(QPainter& p, QPointF hinge, qreal width, qreal closedAngle, qreal openAngle)
{
    const qreal a1 = openAngle * M_PI / 180;
    const QPointF open = hinge + QPointF(std::cos(a1), -std::sin(a1)) * width;
    p.setPen(QPen(QColor(130, 140, 154), 0.8, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    const QRectF box(hinge.x() - width, hinge.y() - width, 2 * width, 2 * width);
    p.drawArc(box, int(closedAngle * 16), int((openAngle - closedAngle) * 16));
    p.setPen(QPen(kWall, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(hinge, open);
}

void window(QPainter& p, QRectF r)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(206, 230, 246));
    p.drawRect(r);
    p.setPen(QPen(QColor(90, 130, 170), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    if (r.width() > r.height())
        p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    else
        p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

void furnitureBox(QPainter& p, QRectF r, qreal radius = 1.5)
{
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(kFurnitureFill);
    p.drawRoundedRect(r, radius, radius);
}

void showcase(QPainter& p, QRectF r)
{
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(QColor(236, 244, 250));
    p.drawRect(r);
    p.setPen(QPen(QColor(180, 200, 220), 0.8));
    p.drawLine(r.topLeft() + QPointF(2, 2), r.bottomRight() - QPointF(2, 2));
}

void bench(QPainter& p, QRectF r)
{
    p.setPen(QPen(QColor(150, 120, 90), 1));
    p.setBrush(QColor(222, 196, 160));
    p.drawRoundedRect(r, 2, 2);
}

void table(QPainter& p, QPointF c, qreal r)
{
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(QColor(250, 250, 250));
    for (int i = 0; i < 4; ++i) {
        const qreal a = M_PI / 4 + i * M_PI / 2;
        p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * (r + 5), 3.5, 3.5);
    }
    p.setBrush(QColor(232, 210, 180));
    p.drawEllipse(c, r, r);
}

void plant(QPainter& p, QPointF c)
{
    p.setPen(QPen(QColor(140, 110, 80), 1));
    p.setBrush(QColor(200, 160, 120));
    p.drawEllipse(c, 5, 5);
    drawTree(p, c, 4.5, QColor(96, 160, 90), quint32(c.x() + c.y()));
}

void furnish(QPainter& p)
{
    // Gallery 1: ship model in the middle, cases along the walls.
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(QColor(236, 244, 250));
    p.drawRoundedRect(QRectF(110, 175, 120, 44), 6, 6);
    drawBoat(p, QPointF(170, 197), 0, 96, BoatKind::Yacht, QColor(250, 250, 246));
    for (int i = 0; i < 4; ++i)
        showcase(p, QRectF(58 + i * 58, 80, 44, 14));
    showcase(p, QRectF(50, 120, 14, 90));
    bench(p, QRectF(140, 228, 60, 8));

    // Gallery 2: map tables and a globe.
    for (int i = 0; i < 2; ++i) {
        const QRectF t(324 + i * 104, 166, 68, 44);
        furnitureBox(p, t);
        p.setPen(QPen(QColor(200, 180, 140), 0.7));
        p.setBrush(QColor(250, 238, 206));
        p.drawRect(t.adjusted(4, 4, -4, -4));
        p.setPen(QPen(QColor(170, 190, 210), 0.6));
        for (qreal x = t.left() + 12; x < t.right() - 4; x += 10)
            p.drawLine(QPointF(x, t.top() + 4), QPointF(x, t.bottom() - 4));
        for (qreal y = t.top() + 12; y < t.bottom() - 4; y += 10)
            p.drawLine(QPointF(t.left() + 4, y), QPointF(t.right() - 4, y));
    }
    const QPointF g(410, 100);
    QRadialGradient gg(g + QPointF(-4, -4), 18);
    gg.setColorAt(0, QColor(190, 224, 246));
    gg.setColorAt(1, QColor(110, 170, 214));
    p.setPen(QPen(QColor(80, 120, 160), 1));
    p.setBrush(gg);
    p.drawEllipse(g, 15, 15);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(80, 120, 160, 160), 0.7));
    p.drawEllipse(g, 7, 15);
    p.drawLine(g - QPointF(15, 0), g + QPointF(15, 0));
    showcase(p, QRectF(318, 80, 40, 14));
    showcase(p, QRectF(462, 80, 40, 14));

    // Gallery 3: the great lens on its plinth.
    const QPointF lens(640, 196);
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(QColor(255, 246, 220));
    p.drawEllipse(lens, 28, 28);
    for (int r = 22; r > 0; r -= 6) {
        p.setPen(QPen(QColor(210, 170, 90), 1));
        p.setBrush(r == 4 ? QColor(255, 220, 120) : Qt::NoBrush);
        p.drawEllipse(lens, r, r);
    }
    showcase(p, QRectF(540, 80, 44, 14));
    showcase(p, QRectF(698, 80, 44, 14));
    showcase(p, QRectF(736, 120, 14, 70));
    bench(p, QRectF(540, 186, 8, 40));

    // Shop: shelves and a counter.
    for (int i = 0; i < 3; ++i)
        furnitureBox(p, QRectF(62 + i * 40, 390, 12, 66));
    furnitureBox(p, QRectF(150, 300, 40, 14), 2);
    furnitureBox(p, QRectF(50, 266, 90, 10));

    // Entrance hall: curved reception desk, benches, plants.
    QPainterPath desk;
    desk.moveTo(230, 360);
    desk.quadTo(230, 400, 270, 400);
    desk.lineTo(270, 390);
    desk.quadTo(240, 390, 240, 360);
    desk.closeSubpath();
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(QColor(222, 196, 160));
    p.drawPath(desk);
    bench(p, QRectF(380, 400, 10, 50));
    plant(p, QPointF(214, 466));
    plant(p, QPointF(426, 466));
    plant(p, QPointF(214, 266));

    // Café: counter and tables.
    furnitureBox(p, QRectF(456, 266, 100, 14), 2);
    p.setPen(QPen(kFurniture, 0.8));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(470 + i * 22, 273), 3, 3);
    const QPointF tables[] = {{478, 430}, {530, 450}, {590, 428}, {610, 306}, {592, 364}};
    for (const QPointF& t : tables)
        table(p, t, 9);

    // Stairs and lift.
    const QRectF stairs(648, 258, 60, 66);
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(stairs);
    for (qreal y = stairs.top() + 6; y < stairs.bottom(); y += 6)
        p.drawLine(QPointF(stairs.left(), y), QPointF(stairs.right(), y));
    p.setPen(QPen(QColor(80, 90, 104), 1.2));
    p.drawLine(QPointF(678, 318), QPointF(678, 266));
    p.setBrush(QColor(80, 90, 104));
    p.drawPolygon(QPolygonF({QPointF(674, 268), QPointF(682, 268), QPointF(678, 262)}));
    const QRectF lift(716, 262, 36, 36);
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(QColor(240, 242, 246));
    p.drawRect(lift);
    p.drawLine(lift.topLeft(), lift.bottomRight());
    p.drawLine(lift.topRight(), lift.bottomLeft());

    // Toilets: two cubicles and basins.
    for (int i = 0; i < 2; ++i) {
        p.setPen(QPen(kFurniture, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(712 + i * 22, 336, 22, 28));
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QRectF(718 + i * 22, 340, 10, 13));
    }
    // Office: desks and chairs.
    furnitureBox(p, QRectF(690, 410, 56, 18));
    furnitureBox(p, QRectF(690, 450, 56, 18));
    p.setPen(QPen(kFurniture, 1));
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QPointF(718, 437), 4.5, 4.5);
}

} // namespace

QImage drawFloorPlan()
{
    QImage img = canvas(800, 520, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    grid(p);

    const Room rooms[] = {
        {{40, 70, 260, 180}, {226, 238, 251}, "Ships & Sails", "Gallery 1", {170, 140}},
        {{300, 70, 220, 180}, {252, 241, 216}, "Maps & Charts", "Gallery 2", {410, 140}},
        {{520, 70, 240, 180}, {252, 228, 225}, "The Lighthouse", "Gallery 3", {640, 128}},
        {{40, 250, 160, 230}, {228, 244, 226}, "Shop", "Books and gifts", {120, 345}},
        {{200, 250, 240, 230},
         {241, 238, 232},
         "Entrance Hall",
         "Tickets and information",
         {320, 300}},
        {{440, 250, 200, 230}, {253, 235, 212}, "Café", "Open daily", {530, 360}},
        {{640, 250, 120, 80}, {233, 234, 240}, "", "", {}},
        {{640, 330, 120, 70}, {226, 240, 244}, "WC", "", {678, 366}},
        {{640, 400, 120, 80}, {238, 232, 246}, "Office", "", {668, 440}},
    };
    p.setPen(Qt::NoPen);
    for (const Room& r : rooms)
        p.fillRect(r.r, r.floor);
    // Light inner shadow along the walls makes the rooms read as spaces.
    for (const Room& r : rooms) {
        QLinearGradient g(r.r.topLeft(), r.r.topLeft() + QPointF(0, 10));
        g.setColorAt(0, QColor(0, 0, 0, 26));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(r.r.left(), r.r.top(), r.r.width(), 10), g);
        QLinearGradient gl(r.r.topLeft(), r.r.topLeft() + QPointF(10, 0));
        gl.setColorAt(0, QColor(0, 0, 0, 20));
        gl.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(r.r.left(), r.r.top(), 10, r.r.height()), gl);
    }
    furnish(p);

    // Outer walls (10 px) with the entrance, then the inner walls (6 px) with their doors.
    p.setRenderHint(QPainter::Antialiasing, false);
    wallH(p, 70, 40, 760, 10);
    wallH(p, 480, 40, 290, 10);
    wallH(p, 480, 350, 760, 10);
    wallV(p, 40, 70, 480, 10);
    wallV(p, 760, 70, 480, 10);
    wallH(p, 250, 40, 210, 6);
    wallH(p, 250, 250, 360, 6);
    wallH(p, 250, 400, 560, 6);
    wallH(p, 250, 600, 760, 6);
    wallV(p, 300, 70, 136, 6);
    wallV(p, 300, 180, 250, 6);
    wallV(p, 520, 70, 136, 6);
    wallV(p, 520, 180, 250, 6);
    wallV(p, 200, 250, 404, 6);
    wallV(p, 200, 440, 480, 6);
    wallV(p, 440, 250, 296, 6);
    wallV(p, 440, 364, 480, 6);
    wallV(p, 640, 250, 276, 6);
    wallV(p, 640, 306, 346, 6);
    wallV(p, 640, 376, 424, 6);
    wallV(p, 640, 454, 480, 6);
    wallH(p, 330, 640, 760, 6);
    wallH(p, 400, 640, 760, 6);
    wallV(p, 712, 330, 364, 3);
    wallV(p, 734, 330, 364, 3);
    p.setRenderHint(QPainter::Antialiasing, true);

    // Door leaves: hinge, width, closed angle, open angle (degrees, anticlockwise).
    door(p, QPointF(213, 253), 34, 0, -90);
    door(p, QPointF(397, 253), 34, 180, 270);
    door(p, QPointF(597, 247), 34, 180, 90);
    door(p, QPointF(303, 139), 38, 270, 360);
    door(p, QPointF(523, 139), 38, 270, 360);
    door(p, QPointF(197, 407), 30, 270, 180);
    door(p, QPointF(637, 279), 24, 270, 180);
    door(p, QPointF(637, 349), 24, 270, 180);
    door(p, QPointF(643, 427), 24, 270, 360);
    // Main entrance: double doors opening inwards.
    door(p, QPointF(295, 477), 27, 0, 90);
    door(p, QPointF(345, 477), 27, 180, 90);

    // Windows in the outer walls.
    for (qreal x : {74, 144, 214, 340, 430, 556, 626, 696})
        window(p, QRectF(x, 65, 44, 10));
    for (qreal x : {70, 130, 470, 560, 676})
        window(p, QRectF(x, 475, 40, 10));
    for (qreal y : {100, 180, 300, 400})
        window(p, QRectF(35, y, 10, 40));
    for (qreal y : {100, 180, 420})
        window(p, QRectF(755, y, 10, 36));

    // Room names.
    for (const Room& r : rooms) {
        if (r.name.isEmpty())
            continue;
        drawHaloCentred(p, r.labelAt, r.name, sans(15, true), kName, withAlpha(r.floor, 230), 2);
        if (!r.caption.isEmpty())
            drawHaloCentred(p, r.labelAt + QPointF(0, 17), r.caption, sans(10.5), kCaption,
                            withAlpha(r.floor, 230), 2);
    }
    // Pictograms beside the WC name.
    for (int i = 0; i < 2; ++i) {
        const QPointF c(660 + i * 36, 366);
        p.setPen(Qt::NoPen);
        p.setBrush(i ? QColor(200, 80, 110) : QColor(60, 110, 170));
        p.drawEllipse(c + QPointF(0, -9), 2.6, 2.6);
        if (i)
            p.drawPolygon(QPolygonF(
                {c + QPointF(-5, 6), c + QPointF(5, 6), c + QPointF(2, -5), c + QPointF(-2, -5)}));
        else
            p.drawRoundedRect(QRectF(c.x() - 3.5, c.y() - 5, 7, 11), 1.5, 1.5);
        p.drawRect(QRectF(c.x() - 2.5, c.y() + 5, 2, 5));
        p.drawRect(QRectF(c.x() + 0.5, c.y() + 5, 2, 5));
    }
    p.setFont(sans(9, true));
    p.setPen(kCaption);
    p.drawText(QPointF(660, 322), "STAIRS");
    p.drawText(QPointF(722, 316), "LIFT");

    // Way in.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(222, 90, 60));
    p.drawPolygon(
        QPolygonF({QPointF(320, 488), QPointF(330, 500), QPointF(324, 500), QPointF(324, 512),
                   QPointF(316, 512), QPointF(316, 500), QPointF(310, 500)}));
    p.setFont(sans(11, true));
    p.setPen(QColor(190, 70, 44));
    p.drawText(QPointF(338, 506), "ENTRANCE");

    // Title, scale and north arrow.
    p.setFont(sans(22, true));
    p.setPen(kName);
    p.drawText(QPointF(40, 36), "Harbour Museum");
    p.setFont(sans(12));
    p.setPen(kCaption);
    p.drawText(QPointF(41, 56), "Ground floor");
    const qreal sx = 560, sy = 44;
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(kName, 1));
        p.setBrush(i % 2 ? QColor(255, 255, 255) : kName);
        p.drawRect(QRectF(sx + i * 25 + 0.5, sy + 0.5, 25, 5));
    }
    p.setFont(sans(10));
    p.setPen(kName);
    p.drawText(QPointF(sx - 3, sy - 4), "0");
    p.drawText(QPointF(sx + 46, sy - 4), "5");
    p.drawText(QPointF(sx + 92, sy - 4), "10 m");
    const QPointF n(736, 36);
    p.setPen(QPen(kName, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(n, 16, 16);
    p.setBrush(kName);
    p.drawPolygon(QPolygonF({n + QPointF(0, -12), n + QPointF(6, 10), n + QPointF(0, 5)}));
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF({n + QPointF(0, -12), n + QPointF(-6, 10), n + QPointF(0, 5)}));
    drawCentred(p, n + QPointF(-26, 0), "N", sans(13, true), kName);
    p.end();
    return img;
}

} // namespace tavlo
