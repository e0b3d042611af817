#pragma once

#include <QList>
#include <QPoint>
#include <QPointF>
#include <Qt>

namespace tavlo {

class MapArea;
class MapDocument;
class XorCanvas;

enum class Pointer { Cross, UpArrow };

// What the mouse tools need of the window around them.
class ToolHost {
public:
    virtual ~ToolHost() = default;
    virtual bool imageLoaded() const = 0;
    virtual XorCanvas& canvas() = 0;
    virtual void setPointer(Pointer pointer) = 0;
    // A click on area i: ask for its link, or delete it.
    virtual void editArea(int i) = 0;
    virtual void popupFileMenu() = 0;
    virtual void pause(int ms) = 0;
};

// The mouse protocol of the canvas: the rectangle and circle drag tools, the
// polygon tool, and clicks on existing areas. Press, move and release arrive in
// picture pixels; everything else reaches the tools as a named input.
class AreaTools {
public:
    enum Shape { Rectangle = 1, Circle = 2, Polygon = 3 };
    enum class State { Idle, Dragging }; // penDown

    static constexpr float smallestRectangle = 70.0f; // square pixels
    static constexpr float smallestCircle = 7.0f;     // radius
    static constexpr int closingDistance = 10;
    static constexpr int closingHintFrom = 2; // vertices
    static constexpr int fewestToClose = 3;   // vertices
    static constexpr int maxVertices = 256;
    static constexpr int drawPause = 200; // ms after every drawing release

    AreaTools(MapDocument& doc, ToolHost& host);

    void press(Qt::MouseButton button, QPointF pos);
    void move(Qt::MouseButtons buttons, QPointF pos);
    void release(Qt::MouseButton button, QPointF pos);
    // The picture under the tools was replaced: an unfinished polygon or drag is
    // abandoned. Its dots and band were on the old picture, so nothing is erased.
    void pictureReplaced();
    // An unfinished polygon or drag is drawn away from the picture and forgotten.
    void abandon();

    // What happens around the tools, as the window tells them.
    void shapeChosen(Shape shape) { curShape = shape; }
    // A popup menu is about to take the mouse: presses and moves are ignored, and the
    // next release only clears skipMouse.
    void menuPopping() { skipMouse = true; }
    // The File menu opened, by the popup or from the menu bar.
    void menuShown() { skipMouse = false; }
    // A command key ran, or a save finished: the mouse counts again.
    void commandRan() { skipMouse = false; }
    // The release of the click that closes the open dialog, or that ends a file's drag
    // over the canvas, is no drawing.
    void dialogOpening() { skipDrop = true; }
    void fileDraggedOver() { skipDrop = true; }
    // After a drop, or a picture refused with a message, the next release counts.
    void fileDropped() { skipDrop = false; }
    void pictureRefused() { skipDrop = false; }
    // The area dialog was cancelled: no circle radius survives it.
    void areaDialogCancelled() { radius = 0.0f; }

    bool mouseSkipped() const { return skipMouse; }
    bool dropSkipped() const { return skipDrop; }
    float circleRadius() const { return radius; }

    State state() const { return m_penDown ? State::Dragging : State::Idle; }
    int polyCount() const { return static_cast<int>(m_vertices.size()); }
    QPoint start() const { return {m_startX, m_startY}; }

private:
    void dragMove(QPointF pos);
    // Erases the rubber band of a drag that will not become an area.
    void abandonDrag();
    void addPoint(QPointF pos);
    bool isClosing(QPoint click) const;
    void makePolygon();
    // Tints the area and adds it to the document, with addAreaDefaults' texts.
    void addArea(const MapArea& area);

    // The machine's inputs, by the names the rest of the program knows them by.
    int curShape = Rectangle;
    // Presses and moves are ignored and the next release swallowed (a popup menu).
    bool skipMouse = false;
    // A release that no press on the canvas preceded is swallowed (the click that
    // closed an open dialog, a file dragged over); the next press clears it.
    bool skipDrop = false;
    // The press just closed a polygon; its release is swallowed.
    bool polyDone = false;
    // The radius of the circle being drawn, as its last move left it.
    float radius = 0.0f;

    MapDocument& m_doc;
    ToolHost& m_host;
    bool m_penDown = false;
    int m_startX = 0;
    int m_startY = 0;
    QPointF m_current;        // where the last press or move left the drawing position
    QList<QPoint> m_vertices; // of the polygon being drawn
};

} // namespace tavlo
