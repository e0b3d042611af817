// The area dialog's six 73 x 32 picture buttons: a coloured bar with its word in a grey
// metallic frame. Pressed, the frame's bevel turns over, the bar brightens and the word sinks
// by a pixel. The corners are transparent: the help window shows the same pictures on black.
#include "paint.h"
#include "pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace tavlo {

namespace {

struct Look {
    QString word;
    QColor top, bottom;
    bool glow = false;
};

Look lookOf(AreaButton which, bool down)
{
    switch (which) {
    case AreaButton::Enter:
        return down ? Look{"ENTER", {255, 92, 226}, {196, 20, 160}}
                    : Look{"ENTER", {128, 62, 176}, {72, 26, 112}};
    case AreaButton::Cancel:
        return down ? Look{"CANCEL", {255, 86, 70}, {214, 18, 14}, true}
                    : Look{"CANCEL", {168, 38, 34}, {102, 14, 12}};
    case AreaButton::Delete:
        return down ? Look{"DELETE", {52, 214, 200}, {12, 134, 126}}
                    : Look{"DELETE", {52, 112, 210}, {20, 62, 140}};
    }
    return {};
}

} // namespace

QImage drawAreaButton(AreaButton which, bool down)
{
    const Look look = lookOf(which, down);
    QImage img = canvas(73, 32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Metallic frame; the light falls from above, or from below while pressed.
    const QRectF outer(0.5, 0.5, 72, 31);
    QLinearGradient metal(0, 0, 0, 32);
    const QColor m0(246, 247, 250), m1(196, 200, 208), m2(138, 144, 154), m3(186, 190, 198);
    if (!down) {
        metal.setColorAt(0, m0);
        metal.setColorAt(0.45, m1);
        metal.setColorAt(0.55, m2.lighter(112));
        metal.setColorAt(1, m3);
    } else {
        metal.setColorAt(0, m2);
        metal.setColorAt(0.45, m2.lighter(118));
        metal.setColorAt(0.55, m1);
        metal.setColorAt(1, m0);
    }
    p.setPen(QPen(QColor(34, 36, 42), 1));
    p.setBrush(metal);
    p.drawRoundedRect(outer, 6, 6);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(down ? QColor(90, 94, 102, 180) : QColor(255, 255, 255, 200), 1));
    p.drawRoundedRect(outer.adjusted(1, 1, -1, -1), 5, 5);

    // Recess around the bar, then the bar.
    const QRectF bar(5.5, 5.5, 62, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 42, 48));
    p.drawRoundedRect(bar.adjusted(-1.5, -1.5, 1.5, 1.5), 4, 4);
    if (look.glow) {
        QRadialGradient g(bar.center(), 40);
        g.setColorAt(0, QColor(255, 120, 90, 220));
        g.setColorAt(1, QColor(255, 60, 40, 0));
        p.setBrush(g);
        p.drawRoundedRect(bar.adjusted(-1, -1, 1, 1), 3.5, 3.5);
    }
    QLinearGradient fill(0, bar.top(), 0, bar.bottom());
    fill.setColorAt(0, look.top);
    fill.setColorAt(1, look.bottom);
    p.setBrush(fill);
    p.setPen(QPen(look.bottom.darker(160), 1));
    p.drawRoundedRect(bar, 3, 3);
    if (look.glow) {
        QRadialGradient hot(bar.center() + QPointF(0, 1), 30);
        hot.setColorAt(0, QColor(255, 210, 170, 170));
        hot.setColorAt(1, QColor(255, 120, 80, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(hot);
        p.drawRoundedRect(bar.adjusted(1, 1, -1, -1), 2.5, 2.5);
    }
    // Gloss on the upper half; a pressed bar gets an inner shadow instead.
    p.setPen(Qt::NoPen);
    if (!down) {
        QLinearGradient gloss(0, bar.top(), 0, bar.center().y());
        gloss.setColorAt(0, QColor(255, 255, 255, 110));
        gloss.setColorAt(1, QColor(255, 255, 255, 20));
        p.setBrush(gloss);
        p.drawRoundedRect(
            QRectF(bar.left() + 1.5, bar.top() + 1, bar.width() - 3, bar.height() / 2 - 1), 2, 2);
    } else {
        QLinearGradient shade(0, bar.top(), 0, bar.top() + 5);
        shade.setColorAt(0, QColor(0, 0, 0, 110));
        shade.setColorAt(1, QColor(0, 0, 0, 0));
        p.setBrush(shade);
        p.drawRoundedRect(bar.adjusted(0.5, 0.5, -0.5, -bar.height() + 6), 2.5, 2.5);
    }

    QFont f = sans(12, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.3);
    const QPointF base = centredBaseline(bar.center() + QPointF(0, down ? 1 : 0), look.word, f);
    p.setFont(f);
    if (look.glow) {
        p.setPen(QColor(255, 220, 200, 110));
        for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
            p.drawText(base + d, look.word);
    }
    p.setPen(QColor(0, 0, 0, down ? 110 : 150));
    p.drawText(base + QPointF(0, 1), look.word);
    p.setPen(down ? QColor(255, 255, 255) : QColor(244, 240, 250));
    p.drawText(base, look.word);
    p.end();
    return img;
}

} // namespace tavlo
