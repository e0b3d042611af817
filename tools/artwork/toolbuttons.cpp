// The five 32 x 32 pictures of the tool strip. They sit on black, so the background stays
// transparent; straight edges are laid on whole pixels.
#include "paint.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace tavlo {

namespace {

// A 2-pixel dashed edge from a to b (inclusive, axis-aligned), four on and two off, so that
// a 22-pixel side starts and ends with a full dash.
void dashedEdge(QPainter& p, QPoint a, QPoint b, const QColor& c)
{
    const bool horizontal = a.y() == b.y();
    const int len = horizontal ? b.x() - a.x() + 1 : b.y() - a.y() + 1;
    for (int i = 0; i < len; ++i) {
        if (i % 6 >= 4)
            continue;
        if (horizontal)
            p.fillRect(QRect(a.x() + i, a.y(), 1, 2), c);
        else
            p.fillRect(QRect(a.x(), a.y() + i, 2, 1), c);
    }
}

QImage square()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    const QColor blue(66, 146, 255);
    p.fillRect(QRect(7, 7, 18, 18), QColor(66, 146, 255, 46));
    dashedEdge(p, {5, 5}, {26, 5}, blue);
    dashedEdge(p, {5, 25}, {26, 25}, blue);
    dashedEdge(p, {5, 5}, {5, 26}, blue);
    dashedEdge(p, {25, 5}, {25, 26}, blue);
    return img;
}

QImage circle()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor red(206, 44, 38);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(206, 44, 38, 46));
    p.drawEllipse(QPointF(16, 16), 10, 10);
    // Twelve dashes close evenly round the circle.
    const qreal r = 10.5, w = 2.2;
    const qreal dashes = 12, period = 2 * M_PI * r / dashes / w;
    QPen pen(red, w, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({period * 0.62, period * 0.38});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(16, 16), r, r);
    return img;
}

QImage poly()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor green(52, 204, 84);
    const QPolygonF shape(
        {{6.5, 11.5}, {17.5, 4.5}, {27.5, 12.5}, {23.5, 26.5}, {12.5, 23.5}, {5.5, 27.5}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(52, 204, 84, 46));
    p.drawPolygon(shape);
    QPen pen(green, 1.8, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setDashPattern({2, 1.2});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(shape);
    // Vertex handles, on whole pixels.
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const QPointF& v : shape) {
        const QPoint c(int(v.x()), int(v.y()));
        p.fillRect(QRect(c.x() - 1, c.y() - 1, 3, 3), QColor(220, 255, 226));
    }
    return img;
}

QImage make()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Board.
    QLinearGradient board(5, 4, 27, 31);
    board.setColorAt(0, QColor(196, 140, 86));
    board.setColorAt(1, QColor(140, 90, 50));
    p.setPen(QPen(QColor(96, 60, 30), 1));
    p.setBrush(board);
    p.drawRoundedRect(QRectF(5.5, 4.5, 20, 26), 2.5, 2.5);
    // Paper with lines.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 246));
    p.drawRect(QRectF(8, 8, 15, 20));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = 12; y <= 24; y += 3)
        p.fillRect(QRect(10, y, 11, 1), QColor(176, 186, 200));
    // Clip.
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient clip(0, 2, 0, 9);
    clip.setColorAt(0, QColor(240, 242, 246));
    clip.setColorAt(1, QColor(150, 158, 170));
    p.setPen(QPen(QColor(80, 86, 96), 1));
    p.setBrush(clip);
    p.drawRoundedRect(QRectF(11.5, 2.5, 9, 6), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 66, 76));
    p.drawRect(QRectF(14, 4, 4, 1.5));
    // Yellow note with a turned corner.
    QPainterPath note;
    note.moveTo(14.5, 15.5);
    note.lineTo(28.5, 15.5);
    note.lineTo(28.5, 25.5);
    note.lineTo(25.5, 28.5);
    note.lineTo(14.5, 28.5);
    note.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 80));
    p.drawPath(note.translated(1, 1));
    QLinearGradient ng(14, 15, 28, 29);
    ng.setColorAt(0, QColor(255, 236, 110));
    ng.setColorAt(1, QColor(250, 204, 40));
    p.setPen(QPen(QColor(190, 140, 10), 1));
    p.setBrush(ng);
    p.drawPath(note);
    p.setBrush(QColor(226, 170, 20));
    p.drawPolygon(QPolygonF({{28.5, 25.5}, {25.5, 25.5}, {25.5, 28.5}}));
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int y = 19; y <= 25; y += 3)
        p.fillRect(QRect(17, y, y == 25 ? 6 : 9, 1), QColor(170, 120, 20));
    return img;
}

QImage close()
{
    QImage img = canvas(32, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bar(0, 5, 0, 12);
    bar.setColorAt(0, QColor(255, 100, 86));
    bar.setColorAt(1, QColor(196, 28, 24));
    p.setPen(QPen(QColor(120, 10, 8), 1));
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(3.5, 5.5, 25, 6), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 90));
    p.drawRect(QRectF(5, 6, 22, 1.5));
    // The word is laid out pixel by pixel: at this size any outline font turns soft.
    static const char* const glyphs[] = {
        "#####..##..##..##..######", "#####..##..##..##..######", "##......####...##....##..",
        "####.....##....##....##..", "####.....##....##....##..", "##......####...##....##..",
        "#####..##..##..##....##..", "#####..##..##..##....##..",
    };
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 8; ++row) {
        const QByteArray line(glyphs[row]);
        for (int col = 0; col < line.size(); ++col) {
            if (line[col] != '.')
                p.fillRect(QRect(4 + col, 17 + row, 1, 1),
                           row < 4 ? QColor(255, 255, 255) : QColor(226, 228, 234));
        }
    }
    return img;
}

} // namespace

QImage drawToolButton(Tool tool)
{
    switch (tool) {
    case Tool::Square:
        return square();
    case Tool::Circle:
        return circle();
    case Tool::Poly:
        return poly();
    case Tool::Make:
        return make();
    case Tool::Close:
        return close();
    }
    return {};
}

} // namespace tavlo
