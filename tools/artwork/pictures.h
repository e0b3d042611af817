#pragma once

#include <QImage>
#include <QString>

namespace tavlo {

QImage drawHarbour();
QImage drawTownMap();
QImage drawFloorPlan();

QImage drawSplash();
QImage drawAppIcon(int size);
void saveAppIconSvg(const QString& path);

enum class Tool { Square, Circle, Poly, Make, Close };
QImage drawToolButton(Tool tool);

enum class AreaButton { Enter, Cancel, Delete };
QImage drawAreaButton(AreaButton which, bool down);

QImage drawEndBack();

QImage drawBanner(bool right);
QImage drawRightList();
QImage drawLeftList();
QImage drawField(bool target);
enum class Header { Functions, Right, Left };
QImage drawHeader(Header which);

// Checks that every entry of the two help lists lies inside its hover band; prints and
// returns false when one strays.
bool checkListBands();

} // namespace tavlo
