// Background of the window offered after each save: a tick, the heading, and the three ways
// on, listed in the order of the buttons that sit on the plain band at the bottom.
#include "paint.h"
#include "pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace tavlo {

namespace {

const QColor kText(236, 240, 248);
const QColor kSoft(168, 182, 210);

void iconQuit(QPainter& p, QPointF c)
{
    const QColor col(255, 128, 110);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(col, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 5.5, c.y() - 5.5, 11, 11), 120 * 16, 300 * 16);
    p.drawLine(c + QPointF(0, -7), c + QPointF(0, -1));
}

void iconPreview(QPainter& p, QPointF c)
{
    const QColor col(120, 200, 255);
    QPainterPath eye;
    eye.moveTo(c + QPointF(-7, 0));
    eye.quadTo(c + QPointF(0, -8), c + QPointF(7, 0));
    eye.quadTo(c + QPointF(0, 8), c + QPointF(-7, 0));
    p.setPen(QPen(col, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(eye);
    p.setPen(Qt::NoPen);
    p.setBrush(col);
    p.drawEllipse(c, 2.4, 2.4);
}

void iconAnother(QPainter& p, QPointF c)
{
    const QColor col(255, 212, 59);
    p.setPen(QPen(col, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 6, 6);
    p.setPen(QPen(col, 1.8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(c + QPointF(-3, 0), c + QPointF(3, 0));
    p.drawLine(c + QPointF(0, -3), c + QPointF(0, 3));
}

} // namespace

QImage drawEndBack()
{
    QImage img = canvas(228, 255, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient bg(0, 0, 0, 204);
    bg.setColorAt(0, QColor(34, 54, 94));
    bg.setColorAt(1, QColor(16, 26, 48));
    p.fillRect(QRect(0, 0, 228, 204), bg);
    QRadialGradient halo(QPointF(114, 30), 90);
    halo.setColorAt(0, QColor(90, 200, 120, 60));
    halo.setColorAt(1, QColor(90, 200, 120, 0));
    p.fillRect(QRect(0, 0, 228, 204), halo);

    // The plain band for the buttons.
    p.fillRect(QRect(0, 204, 228, 51), QColor(12, 20, 38));
    p.fillRect(QRect(0, 203, 228, 1), QColor(70, 92, 136));

    // Tick badge.
    const QPointF c(114, 32);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(c + QPointF(0, 2), 20, 20);
    QLinearGradient badge(0, c.y() - 20, 0, c.y() + 20);
    badge.setColorAt(0, QColor(120, 222, 120));
    badge.setColorAt(1, QColor(36, 150, 70));
    p.setBrush(badge);
    p.setPen(QPen(QColor(200, 255, 200, 160), 1.5));
    p.drawEllipse(c, 19, 19);
    QPainterPath tick;
    tick.moveTo(c + QPointF(-9, 1));
    tick.lineTo(c + QPointF(-3, 7));
    tick.lineTo(c + QPointF(9, -6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 80, 30, 120), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick.translated(0, 1));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);

    drawCentred(p, QPointF(114, 72), "Mapping completed!", sans(18, true), kText);
    drawCentred(p, QPointF(114, 92), "Your map has been saved.", sans(11.5), kSoft);

    QLinearGradient rule(14, 0, 214, 0);
    rule.setColorAt(0, QColor(120, 150, 210, 0));
    rule.setColorAt(0.5, QColor(120, 150, 210, 200));
    rule.setColorAt(1, QColor(120, 150, 210, 0));
    p.fillRect(QRectF(14, 106, 200, 1), rule);

    drawCentred(p, QPointF(114, 123), "What would you like to do?", sans(12, true),
                QColor(255, 220, 110));
    const QFont opt = sans(12);
    struct Row {
        void (*icon)(QPainter&, QPointF);
        QString text;
    };
    const Row rows[] = {{iconQuit, "Quit Tavlo"},
                        {iconPreview, "Preview the last map"},
                        {iconAnother, "Begin another map"}};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 147 + i * 20;
        rows[i].icon(p, QPointF(50, y));
        p.setFont(opt);
        p.setPen(kText);
        p.drawText(QPointF(66, std::round(y + QFontMetricsF(opt).capHeight() / 2)), rows[i].text);
    }
    p.end();
    return img;
}

} // namespace tavlo
