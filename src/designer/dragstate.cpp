#include "designer/dragstate.h"

void DragState::press(Qt::MouseButton button, const QPointF &pointer)
{
    if (button != Qt::LeftButton)
        return;
    startX_ = pointer.x();
    startY_ = pointer.y();
    dragging_ = true;
}

std::optional<QPointF> DragState::move(const QPointF &at, const QPointF &pointer) const
{
    if (!dragging_)
        return std::nullopt;
    // The installation computed the left in single precision and the top in double.
    const float left = float(at.x()) + float(pointer.x() - startX_);
    const double top = at.y() + (pointer.y() - startY_);
    return QPointF(left, top);
}

QPointF DragState::release(const QPointF &at, const QSizeF &window)
{
    dragging_ = false;
    if (at.y() < 0 || at.y() > window.height())
        return QPointF(0, 0);
    if (at.x() < 0 || at.x() > window.width())
        return QPointF(0, 0);
    return at;
}
