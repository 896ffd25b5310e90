#pragma once

#include "report/dataitem.h"

#include <QImage>
#include <QList>
#include <QString>

class QPainter;
class TicketProject;

// Draws a ticket. Printing and the designer's preview both come through here, so the
// preview shows exactly what the printer gets.
class TicketRenderer
{
public:
    // A template with each {Name} replaced by the display text of that data item; a name
    // without an item stays as written, braces included, so a mistake shows on the ticket.
    static QString expand(const QString &text, const QList<DataItem> &items);
    // The text an item shows: numbers and booleans as the engine reads them back from the
    // content, a date's day number as dd/MM/yyyy (with HH.mm when it has a time of day).
    static QString displayText(const DataItem &item);

    // Draws on a painter whose device is the ticket's paper (its size in millimetres is
    // the project's paper size); positions follow the device's resolution.
    static void render(QPainter &painter, const TicketProject &project,
                       const QList<DataItem> &items);
    // The ticket as an image at the given resolution, for the preview and for tests.
    static QImage image(const TicketProject &project, const QList<DataItem> &items,
                        qreal dotsPerMillimetre = 8);
};
