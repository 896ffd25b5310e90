#pragma once

#include <QPointF>
#include <QSizeF>
#include <Qt>

#include <optional>

// The one drag of the designer, shared by all its move handles: where the pointer was on
// the handle when the left button went down, and whether a drag is on. Pointer positions
// are twips relative to the handle; element positions (left in x, top in y) twips in the
// designer's client area.
class DragState
{
public:
    void press(Qt::MouseButton button, const QPointF &pointer);
    // Where an element standing at `at` goes; nothing while no drag is on. The handle moves
    // with its element, so the pointer keeps its place on the handle.
    std::optional<QPointF> move(const QPointF &at, const QPointF &pointer) const;
    // Any button ends the drag. An element dropped above or left of the window, or beyond
    // its outer height or width, goes to the top left corner.
    QPointF release(const QPointF &at, const QSizeF &window);

    bool isDragging() const { return dragging_; }
    double startX() const { return startX_; }
    double startY() const { return startY_; }

private:
    double startX_ = 0;
    double startY_ = 0;
    bool dragging_ = false;
};
