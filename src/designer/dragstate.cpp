#include "designer/dragstate.h"

#include "designer/elementpositions.h"
#include "ui/twips.h"

#include <QPointF>
#include <QWidget>

DragState::DragState(const QWidget &window, ElementPositions &positions)
    : window_(window), positions_(positions)
{
}

void DragState::press(Qt::MouseButton button, const QPointF &pointer)
{
    if (button != Qt::LeftButton)
        return;
    startX_ = pointer.x();
    startY_ = pointer.y();
    dragging_ = true;
}

void DragState::move(QWidget &element, const QPointF &pointer)
{
    if (!dragging_)
        return;
    const QPointF at = positions_.position(element);
    // The installation computed the left in single precision and the top in double.
    const float left = float(at.x()) + float(pointer.x() - startX_);
    const double top = at.y() + (pointer.y() - startY_);
    positions_.place(element, QPointF(left, top));
}

void DragState::release(QWidget &element)
{
    const QRect outer = window_.frameGeometry();
    const double height = Twips::fromPixels(outer.height());
    QPointF at = positions_.position(element);
    if (at.y() < 0 || at.y() > height) {
        positions_.place(element, QPointF(0, 0));
        at = QPointF(0, 0);
    }
    const double width = Twips::fromPixels(outer.width());
    if (at.x() < 0 || at.x() > width)
        positions_.place(element, QPointF(0, 0));
    dragging_ = false;
}
