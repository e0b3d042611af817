// The program's mark: a framed picture with a dashed hot area and a map pin over it. Used by
// the splash picture and the application icons.
#include "paint.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QSvgGenerator>

namespace tavlo {

namespace {

const QColor kPinLight(255, 112, 92);
const QColor kPinDark(200, 40, 34);
const QColor kHot(255, 212, 59);

QPainterPath pinPath(QPointF head, qreal r, QPointF tip)
{
    // A teardrop: the head circle with tangents running down to the tip.
    QPainterPath pin;
    pin.moveTo(tip);
    pin.cubicTo(tip + QPointF(-r * 0.25, -r * 0.9), head + QPointF(-r, r * 0.7),
                head + QPointF(-r, 0));
    pin.arcTo(QRectF(head.x() - r, head.y() - r, 2 * r, 2 * r), 180, -180);
    pin.cubicTo(head + QPointF(r, r * 0.7), tip + QPointF(r * 0.25, -r * 0.9), tip);
    pin.closeSubpath();
    return pin;
}

void drawPin(QPainter& p, QPointF head, qreal r, QPointF tip)
{
    p.setPen(Qt::NoPen);
    QRadialGradient sh(tip, r * 0.8);
    sh.setColorAt(0, QColor(0, 0, 0, 110));
    sh.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(sh);
    p.drawEllipse(tip, r * 0.8, r * 0.3);
    const QPainterPath pin = pinPath(head, r, tip);
    QLinearGradient g(head + QPointF(-r, -r), head + QPointF(r, r * 2));
    g.setColorAt(0, kPinLight);
    g.setColorAt(1, kPinDark);
    p.setBrush(g);
    p.setPen(QPen(QColor(120, 20, 16), std::max(0.6, r * 0.06)));
    p.drawPath(pin);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QRectF(head.x() - r * 0.7, head.y() - r * 0.8, r * 0.8, r * 0.5));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(head, r * 0.38, r * 0.38);
}

// The mark in a 100 x 100 box; the caller scales the painter.
void drawMark(QPainter& p, bool small)
{
    const QRectF frame(4, 22, 78, 70);
    // Frame: brushed-metal border around the picture.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(frame.translated(1.5, 2.5), 9, 9);
    QLinearGradient fg(frame.topLeft(), frame.bottomRight());
    fg.setColorAt(0, QColor(250, 252, 255));
    fg.setColorAt(0.5, QColor(206, 214, 226));
    fg.setColorAt(1, QColor(150, 162, 180));
    p.setBrush(fg);
    p.setPen(QPen(QColor(90, 100, 118), 1));
    p.drawRoundedRect(frame, 9, 9);

    // The picture inside the frame. Its shapes are cut to the frame's opening as paths
    // rather than clipped, so that the SVG icon (which has no clipping) draws the same.
    const QRectF pic = frame.adjusted(7, 7, -7, -7);
    QPainterPath opening;
    opening.addRoundedRect(pic, 3, 3);
    const auto fillCut = [&](const QPainterPath& shape, const QBrush& brush) {
        p.setPen(Qt::NoPen);
        p.setBrush(brush);
        p.drawPath(shape.intersected(opening));
    };
    QLinearGradient sky(pic.topLeft(), pic.bottomLeft());
    sky.setColorAt(0, QColor(58, 138, 224));
    sky.setColorAt(0.7, QColor(150, 210, 250));
    fillCut(opening, sky);
    QRadialGradient sun(QPointF(26, 42), 10);
    sun.setColorAt(0, QColor(255, 246, 190));
    sun.setColorAt(0.55, QColor(255, 214, 80));
    sun.setColorAt(1, QColor(255, 214, 80, 0));
    QPainterPath sunDisc;
    sunDisc.addEllipse(QPointF(26, 42), 10, 10);
    fillCut(sunDisc, sun);
    QPainterPath far;
    far.addPolygon(QPolygonF({{pic.left(), 70},
                              {30, 54},
                              {42, 62},
                              {58, 46},
                              {pic.right(), 64},
                              {pic.right(), pic.bottom()},
                              {pic.left(), pic.bottom()}}));
    far.closeSubpath();
    QLinearGradient fm(0, 46, 0, 80);
    fm.setColorAt(0, QColor(70, 110, 150));
    fm.setColorAt(1, QColor(50, 86, 120));
    fillCut(far, fm);
    QPainterPath hill;
    hill.moveTo(pic.left(), 74);
    hill.cubicTo(30, 64, 50, 76, pic.right(), 68);
    hill.lineTo(pic.bottomRight());
    hill.lineTo(pic.bottomLeft());
    hill.closeSubpath();
    QLinearGradient hg(0, 64, 0, 86);
    hg.setColorAt(0, QColor(110, 196, 104));
    hg.setColorAt(1, QColor(56, 140, 70));
    fillCut(hill, hg);

    // The hot area: a dashed outline with a light wash.
    const QRectF hot(38, 44, 30, 30);
    p.setBrush(QColor(255, 212, 59, 70));
    p.setPen(Qt::NoPen);
    p.drawRect(hot);
    QPen dash(kHot, small ? 3.2 : 2.2, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
    dash.setDashPattern({2.2, 1.4});
    p.setPen(
        QPen(QColor(60, 40, 0, 150), small ? 4.6 : 3.6, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(hot);
    p.setPen(dash);
    p.drawRect(hot);
    // Corner handles.
    p.setPen(QPen(QColor(80, 60, 0), 0.8));
    p.setBrush(QColor(255, 255, 255));
    if (!small) {
        for (const QPointF c : {hot.topLeft(), hot.topRight(), hot.bottomLeft(), hot.bottomRight()})
            p.drawRect(QRectF(c.x() - 2.4, c.y() - 2.4, 4.8, 4.8));
    }

    drawPin(p, QPointF(72, 22), 17, QPointF(60, 60));
}

} // namespace

QImage drawSplash()
{
    QImage img = canvas(500, 300, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // A faint glow behind the mark; the edges stay pure black.
    QRadialGradient glow(QPointF(118, 140), 150);
    glow.setColorAt(0, QColor(28, 42, 74));
    glow.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(img.rect(), glow);

    p.save();
    p.translate(52, 72);
    p.scale(1.36, 1.36);
    drawMark(p, false);
    p.restore();

    // The name, with a cool sheen, and the subtitle.
    QFont name = sans(80, true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, -1.5);
    QPainterPath word;
    word.addText(QPointF(206, 166), name, "Tavlo");
    QLinearGradient wg(0, 100, 0, 168);
    wg.setColorAt(0, QColor(255, 255, 255));
    wg.setColorAt(0.55, QColor(226, 234, 250));
    wg.setColorAt(1, QColor(150, 172, 220));
    p.setPen(Qt::NoPen);
    p.setBrush(wg);
    p.drawPath(word);

    const QRectF wordBox = word.boundingRect();
    QLinearGradient rule(wordBox.left(), 0, wordBox.left() + 250, 0);
    rule.setColorAt(0, QColor(255, 112, 92));
    rule.setColorAt(0.5, QColor(255, 212, 59));
    rule.setColorAt(1, QColor(255, 212, 59, 0));
    p.fillRect(QRectF(wordBox.left() + 3, 181, 250, 2), rule);

    p.setFont(sans(17));
    p.setPen(QColor(186, 196, 216));
    p.drawText(QPointF(wordBox.left() + 3, 210), "an HTML image-mapping utility");

    p.setFont(sans(11));
    p.setPen(QColor(104, 114, 136));
    const QString hint = "Drop a GIF or JPEG picture here to begin";
    p.drawText(QPointF(std::round(250 - inkBox(hint, sans(11)).width() / 2), 282), hint);
    p.end();
    return img;
}

namespace {

// The mark fitted to a square of the given size, with a pixel of room on each side.
void paintIcon(QPainter& p, int size)
{
    // The mark's ink spans x 4..90 and y 5..95 of its box.
    const qreal s = (size - 2) / 90.0;
    p.translate(size / 2.0, size / 2.0);
    p.scale(s, s);
    p.translate(-47, -50);
    drawMark(p, false);
}

} // namespace

QImage drawAppIcon(int size)
{
    QImage img = canvas(size, size);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (size >= 32) {
        paintIcon(p, size);
        p.end();
        return img;
    }
    // At 16 pixels the mark is redrawn on the pixel grid: frame, sky, hill, pin.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 4, 13, 12), QColor(120, 132, 150));
    p.fillRect(QRect(1, 5, 11, 10), QColor(214, 222, 232));
    p.fillRect(QRect(2, 6, 9, 8), QColor(96, 170, 236));
    p.fillRect(QRect(2, 11, 9, 3), QColor(76, 160, 84));
    p.fillRect(QRect(2, 10, 4, 1), QColor(76, 160, 84));
    p.fillRect(QRect(3, 7, 2, 2), QColor(255, 214, 80));
    p.setPen(kHot);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(5, 8, 5, 5));
    p.setRenderHint(QPainter::Antialiasing, true);
    drawPin(p, QPointF(11.5, 4.5), 4.2, QPointF(10, 11.5));
    p.end();
    return img;
}

void saveAppIconSvg(const QString& path)
{
    // The same painting as the large PNG icons, recorded as SVG paths and gradients.
    constexpr int size = 256;
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle("Tavlo");
    svg.setDescription("The Tavlo application icon");
    QPainter p(&svg);
    p.setRenderHint(QPainter::Antialiasing);
    paintIcon(p, size);
    p.end();
}

} // namespace tavlo
