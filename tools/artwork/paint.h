#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>

namespace tavlo {

// A fresh ARGB image filled with one colour (transparent by default).
QImage canvas(int w, int h, const QColor& fill = Qt::transparent);

// Liberation Sans (metric twin of Arial) at a pixel size.
QFont sans(qreal pixelSize, bool bold = false);
QFont serif(qreal pixelSize, bool bold = false);

// Ink box of a text drawn with its baseline starting at the origin.
QRectF inkBox(const QString& s, const QFont& f);

// Where to put the baseline start so that the text's ink is centred on c:
// horizontally by its ink, vertically by the font's cap height. Snapped to whole pixels.
QPointF centredBaseline(QPointF c, const QString& s, const QFont& f);

void drawCentred(QPainter& p, QPointF c, const QString& s, const QFont& f, const QColor& col);

// Text with a soft outline ring, for labels on busy map backgrounds.
void drawHalo(QPainter& p, QPointF baseline, const QString& s, const QFont& f, const QColor& col,
              const QColor& halo, int radius = 1);
void drawHaloCentred(QPainter& p, QPointF c, const QString& s, const QFont& f, const QColor& col,
                     const QColor& halo, int radius = 1);

// Pixels of img (inside area) whose alpha or colour differs from bg: their bounding box.
QRect inkRect(const QImage& img, const QRect& area, const QColor& bg);

QColor mix(const QColor& a, const QColor& b, qreal t);
QColor withAlpha(QColor c, int alpha);

// Writes a picture and says so; exits on failure.
void savePng(const QImage& img, const QString& path);
void saveJpeg(const QImage& img, const QString& path, int quality);

} // namespace tavlo
