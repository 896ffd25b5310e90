#include "report/cupsmedium.h"

QPointF CupsMedium::ticketOrigin(const QSizeF &ticket, const QRectF &items) const
{
    QPointF origin((size.width() - ticket.width()) / 2, 0);
    if (origin.x() + items.left() < margins.left())
        origin.rx() += margins.left();
    if (origin.y() + items.top() < margins.top())
        origin.ry() += margins.top();
    return origin;
}
