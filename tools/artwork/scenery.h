#pragma once

// Pieces shared by the illustrated example pictures: trees, little buildings seen at an angle,
// boats, name plaques. The light comes from the lower left, so shadows fall up and right.

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRandomGenerator>
#include <QRectF>
#include <QString>

namespace tavlo {

class Dice {
public:
    explicit Dice(quint32 seed)
        : m_gen(seed)
    {}
    qreal uniform(qreal lo, qreal hi) { return lo + (hi - lo) * m_gen.generateDouble(); }
    int pick(int n) { return int(m_gen.bounded(n)); }

private:
    QRandomGenerator m_gen;
};

void drawTree(QPainter& p, QPointF c, qreal r, const QColor& leaf, quint32 seed = 1);

struct Building {
    QRectF foot;  // ground plan
    qreal height; // of the front wall, in pixels
    QColor wall;
    QColor roof;
    bool hip = true;         // hip roof; otherwise a gable roof
    bool ridgeAlongX = true; // gable ridge runs left to right
    int windowRows = 1;
    bool door = true;
};
void drawBuildingShadow(QPainter& p, const Building& b);
void drawBuilding(QPainter& p, const Building& b);

enum class BoatKind { Sail, Motor, Fishing, Ferry, Dinghy, Yacht };
// Bow points along angle (degrees, 0 = right, clockwise as on screen).
void drawBoat(QPainter& p, QPointF c, qreal angle, qreal length, BoatKind kind, const QColor& hull);
void drawWake(QPainter& p, QPointF stern, qreal angle, qreal length, qreal spread);

void drawPlaque(QPainter& p, QPointF c, const QString& text, qreal pixelSize = 10);

} // namespace tavlo
