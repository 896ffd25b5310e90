#pragma once

#include <QRectF>
#include <QString>

// One piece of text on the ticket: a template whose {Name} placeholders name data items,
// drawn in its box (millimetres from the paper's top left corner) with its font.
struct TicketItem
{
    QString text;
    QRectF box; // millimetres
    QString fontFamily = QStringLiteral("DejaVu Sans");
    double fontSize = 10; // points
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignHCenter | Qt::AlignVCenter;
    bool frame = false; // a thin rectangle around the box

    friend bool operator==(const TicketItem &, const TicketItem &) = default;
};
