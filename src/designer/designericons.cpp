#include "designer/designericons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>

#include <functional>

namespace {

// Every picture is drawn on a 64-unit square and scaled to the size asked for.
constexpr int Units = 64;

QIcon drawn(const std::function<void(QPainter &)> &draw, int size = Units)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(qreal(size) / Units, qreal(size) / Units);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

QPen outline(const QColor &colour, qreal width = 3)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QColor Ink(0x2c, 0x3e, 0x50);

} // namespace

QIcon DesignerIcons::background()
{
    return drawn([](QPainter &p) {
        const QRectF frame(6, 10, 52, 44);
        p.setPen(outline(Ink));
        p.setBrush(QColor(0xae, 0xd6, 0xf1));
        p.drawRoundedRect(frame, 4, 4);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf4, 0xd0, 0x3f));
        p.drawEllipse(QPointF(44, 22), 6, 6);
        QPainterPath hills;
        hills.moveTo(8, 52);
        hills.lineTo(24, 30);
        hills.lineTo(34, 42);
        hills.lineTo(42, 34);
        hills.lineTo(56, 52);
        hills.closeSubpath();
        p.setBrush(QColor(0x27, 0xae, 0x60));
        p.drawPath(hills);
    });
}

QIcon DesignerIcons::screenColour()
{
    return drawn([](QPainter &p) {
        p.setPen(outline(Ink, 2));
        const QColor swatches[] = {QColor(0xe7, 0x4c, 0x3c), QColor(0x2e, 0xcc, 0x71),
                                   QColor(0x34, 0x98, 0xdb)};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(swatches[i]);
            p.drawRoundedRect(QRectF(6 + 14 * i, 6 + 14 * i, 24, 24), 4, 4);
        }
    });
}

QIcon DesignerIcons::title()
{
    return drawn([](QPainter &p) {
        p.setPen(outline(Ink));
        p.setBrush(QColor(0x14, 0x42, 0x72));
        p.drawRoundedRect(QRectF(4, 16, 56, 32), 4, 4);
        p.setPen(outline(Qt::white, 6));
        p.drawLine(QPointF(20, 24), QPointF(44, 24));
        p.drawLine(QPointF(32, 24), QPointF(32, 42));
    });
}

QIcon DesignerIcons::dateTimeBar()
{
    return drawn([](QPainter &p) {
        p.setPen(outline(Ink));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(32, 32), 26, 26);
        for (int hour = 0; hour < 12; ++hour) {
            const qreal angle = qDegreesToRadians(30.0 * hour);
            p.drawLine(QPointF(32 + 21 * qSin(angle), 32 - 21 * qCos(angle)),
                       QPointF(32 + 24 * qSin(angle), 32 - 24 * qCos(angle)));
        }
        p.setPen(outline(Ink, 4));
        p.drawLine(QPointF(32, 32), QPointF(32, 14));
        p.drawLine(QPointF(32, 32), QPointF(45, 38));
    });
}

QIcon DesignerIcons::save()
{
    return drawn([](QPainter &p) {
        QPainterPath disk;
        disk.moveTo(8, 6);
        disk.lineTo(48, 6);
        disk.lineTo(58, 16);
        disk.lineTo(58, 58);
        disk.lineTo(8, 58);
        disk.closeSubpath();
        p.setPen(outline(Ink));
        p.setBrush(QColor(0x29, 0x80, 0xb9));
        p.drawPath(disk);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(16, 34, 34, 24));
        p.setBrush(QColor(0xbd, 0xc3, 0xc7));
        p.drawRect(QRectF(18, 6, 26, 16));
        p.setBrush(Ink);
        p.drawRect(QRectF(34, 9, 6, 10));
    });
}

QIcon DesignerIcons::close()
{
    return drawn([](QPainter &p) {
        p.setPen(outline(QColor(0x92, 0x2b, 0x21)));
        p.setBrush(QColor(0xe7, 0x4c, 0x3c));
        p.drawEllipse(QPointF(32, 32), 27, 27);
        p.setPen(outline(Qt::white, 7));
        p.drawLine(QPointF(21, 21), QPointF(43, 43));
        p.drawLine(QPointF(43, 21), QPointF(21, 43));
    });
}

QIcon DesignerIcons::settings()
{
    return drawn([](QPainter &p) {
        const QPointF centre(32, 32);
        QPainterPath gear;
        constexpr int teeth = 8;
        for (int i = 0; i < 2 * teeth; ++i) {
            // Alternate tooth tops and roots, each spanning half a tooth's angle.
            const qreal radius = i % 2 == 0 ? 28 : 21;
            for (const qreal offset : {-0.25, 0.25}) {
                const qreal angle = 2 * M_PI * (i + 0.5 + offset) / (2 * teeth);
                const QPointF point(centre.x() + radius * qCos(angle),
                                    centre.y() + radius * qSin(angle));
                if (gear.elementCount() == 0)
                    gear.moveTo(point);
                else
                    gear.lineTo(point);
            }
        }
        gear.closeSubpath();
        QPainterPath hole;
        hole.addEllipse(centre, 9, 9);
        p.setPen(outline(Ink, 2));
        p.setBrush(QColor(0x7f, 0x8c, 0x8d));
        p.drawPath(gear.subtracted(hole));
    });
}

QIcon DesignerIcons::move(int size)
{
    return drawn(
        [](QPainter &p) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 255, 255, 220));
            p.drawRoundedRect(QRectF(1, 1, 62, 62), 10, 10);
            p.setPen(outline(Ink, 5));
            p.drawLine(QPointF(32, 8), QPointF(32, 56));
            p.drawLine(QPointF(8, 32), QPointF(56, 32));
            p.setPen(Qt::NoPen);
            p.setBrush(Ink);
            // One arrow head at each end, as the same triangle turned four times.
            for (int quarter = 0; quarter < 4; ++quarter) {
                p.save();
                p.translate(32, 32);
                p.rotate(90 * quarter);
                p.drawPolygon(QPolygonF({QPointF(0, -30), QPointF(-9, -18), QPointF(9, -18)}));
                p.restore();
            }
        },
        qMax(size, 1));
}
