#include "designer/draghandle.h"

#include "designer/designericons.h"
#include "ui/twips.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace {

QPointF inTwips(const QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    return QPointF(Twips::fromPixels(at.x()), Twips::fromPixels(at.y()));
}

} // namespace

DragHandle::DragHandle(QWidget *parent) : QWidget(parent)
{
    setCursor(Qt::SizeAllCursor);
}

void DragHandle::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button(), inTwips(event));
    event->accept();
}

void DragHandle::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(inTwips(event));
    event->accept();
}

void DragHandle::mouseReleaseEvent(QMouseEvent *event)
{
    emit released();
    event->accept();
}

void DragHandle::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = rect();
    // A handle much wider than tall is the strip across the top of the tool panel.
    if (area.width() > 2 * area.height()) {
        QLinearGradient shade(area.topLeft(), area.bottomLeft());
        shade.setColorAt(0, QColor(0x4a, 0x7e, 0xbb));
        shade.setColorAt(1, QColor(0x1f, 0x4e, 0x8c));
        painter.fillRect(area, shade);
        const int side = area.height() - 4;
        DesignerIcons::move(side).paint(&painter, QRect(2, 2, side, side));
        return;
    }
    DesignerIcons::move(qMin(area.width(), area.height())).paint(&painter, area);
}
