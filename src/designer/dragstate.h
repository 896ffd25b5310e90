#pragma once

#include <Qt>

class ElementPositions;
class QPointF;
class QWidget;

// The one drag of the designer, shared by all its move handles: where the pointer was on
// the handle when the left button went down, and whether a drag is on. Pointer positions
// are twips relative to the handle, element positions twips in the designer's client area.
class DragState
{
public:
    // The drop rules measure against the outer size of window.
    DragState(const QWidget &window, ElementPositions &positions);

    void press(Qt::MouseButton button, const QPointF &pointer);
    // The handle moves with its element, so the pointer keeps its place on the handle.
    void move(QWidget &element, const QPointF &pointer);
    // Any button ends the drag; an element dropped above or left of the window, or beyond
    // its outer height or width, goes to the top left corner.
    void release(QWidget &element);

    bool isDragging() const { return dragging_; }
    double startX() const { return startX_; }
    double startY() const { return startY_; }

private:
    const QWidget &window_;
    ElementPositions &positions_;
    double startX_ = 0;
    double startY_ = 0;
    bool dragging_ = false;
};
