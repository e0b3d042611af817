#include "paint.h"

#include <QFontMetricsF>
#include <QImageWriter>
#include <QTextStream>

#include <cstdlib>

namespace tavlo {

QImage canvas(int w, int h, const QColor& fill)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

static QFont makeFont(const QString& family, qreal pixelSize, bool bold)
{
    QFont f(family);
    f.setPixelSize(qRound(pixelSize));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QFont sans(qreal pixelSize, bool bold)
{
    return makeFont("Liberation Sans", pixelSize, bold);
}
QFont serif(qreal pixelSize, bool bold)
{
    return makeFont("Liberation Serif", pixelSize, bold);
}

QRectF inkBox(const QString& s, const QFont& f)
{
    return QFontMetricsF(f).tightBoundingRect(s);
}

QPointF centredBaseline(QPointF c, const QString& s, const QFont& f)
{
    const QFontMetricsF fm(f);
    const QRectF ink = fm.tightBoundingRect(s);
    const qreal x = c.x() - (ink.left() + ink.width() / 2.0);
    const qreal y = c.y() + fm.capHeight() / 2.0;
    return {std::round(x), std::round(y)};
}

void drawCentred(QPainter& p, QPointF c, const QString& s, const QFont& f, const QColor& col)
{
    p.setFont(f);
    p.setPen(col);
    p.drawText(centredBaseline(c, s, f), s);
}

void drawHalo(QPainter& p, QPointF baseline, const QString& s, const QFont& f, const QColor& col,
              const QColor& halo, int radius)
{
    p.setFont(f);
    p.setPen(halo);
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (dx == 0 && dy == 0)
                continue;
            if (radius > 1 && dx * dx + dy * dy > radius * radius + 1)
                continue;
            p.drawText(baseline + QPointF(dx, dy), s);
        }
    }
    p.setPen(col);
    p.drawText(baseline, s);
}

void drawHaloCentred(QPainter& p, QPointF c, const QString& s, const QFont& f, const QColor& col,
                     const QColor& halo, int radius)
{
    drawHalo(p, centredBaseline(c, s, f), s, f, col, halo, radius);
}

QRect inkRect(const QImage& img, const QRect& area, const QColor& bg)
{
    const QImage im = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb b = bg.rgba();
    int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
    const QRect r = area.intersected(im.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb v = im.pixel(x, y);
            if (v == b)
                continue;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0)
        return {};
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QColor mix(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(
        a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
        a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

static void fail(const QString& what)
{
    QTextStream(stderr) << "artwork: " << what << "\n";
    std::exit(1);
}

void savePng(const QImage& img, const QString& path)
{
    QImageWriter w(path, "png");
    w.setQuality(0); // PNG stays lossless; 0 asks for the strongest zlib level

    if (!w.write(img))
        fail("cannot write " + path + ": " + w.errorString());
    QTextStream(stdout) << "wrote " << path << "\n";
}

void saveJpeg(const QImage& img, const QString& path, int quality)
{
    QImageWriter w(path, "jpeg");
    w.setQuality(quality);
    w.setProgressiveScanWrite(false);
    w.setOptimizedWrite(true);
    if (!w.write(img.convertToFormat(QImage::Format_RGB32)))
        fail("cannot write " + path + ": " + w.errorString());
    QTextStream(stdout) << "wrote " << path << "\n";
}

} // namespace tavlo
