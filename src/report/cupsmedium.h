#pragma once

#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

// A paper size a spooler's queue offers, in millimetres: its PWG name (what the job's
// "media" option asks for), its size and the unprintable strip along each edge.
struct CupsMedium
{
    QString name;
    QSizeF size;
    QMarginsF margins;

    // Where the ticket's top left corner goes on this medium: from the top edge, centred
    // across a wider roll, and moved in by a margin only where the ticket's items would
    // otherwise fall into it. The ticket is never scaled.
    QPointF ticketOrigin(const QSizeF &ticket, const QRectF &items) const;

    friend bool operator==(const CupsMedium &, const CupsMedium &) = default;
};
