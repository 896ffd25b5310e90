#pragma once

#include <QHash>
#include <QPointF>

class QWidget;

// Where the designer's movable elements stand, in twips (left in x, top in y).
//
// A widget stands on whole pixels, and at 96 DPI a pixel is 15 twips: the parking place of a
// hidden element (top 17000) or a position saved on a screen of another density would come
// back from the pixels a few twips off, and a save without changes would rewrite the table.
// So the twips last given for an element are kept, and hold as long as the element still
// stands on the pixel they round to; an element moved by other means reads from its pixels.
class ElementPositions
{
public:
    QPointF position(const QWidget &element) const;
    void place(QWidget &element, const QPointF &twips);

private:
    QHash<const QWidget *, QPointF> twips_;
};
