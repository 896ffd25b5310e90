#include "designer/elementpositions.h"

#include "ui/twips.h"

#include <QWidget>

namespace {

QPoint pixels(const QPointF &twips)
{
    return QPoint(Twips::toPixels(twips.x()), Twips::toPixels(twips.y()));
}

} // namespace

QPointF ElementPositions::position(const QWidget &element) const
{
    const auto kept = twips_.constFind(&element);
    if (kept != twips_.constEnd() && pixels(*kept) == element.pos())
        return *kept;
    return QPointF(Twips::fromPixels(element.x()), Twips::fromPixels(element.y()));
}

void ElementPositions::place(QWidget &element, const QPointF &twips)
{
    twips_.insert(&element, twips);
    element.move(pixels(twips));
}
