#pragma once

#include <QString>

class ReportEngine;
struct TicketRecord;

// Prints a ticket record with Ticket.lbl, handing every column to the engine as a data item
// typed by its column.
class TicketPrinter
{
public:
    explicit TicketPrinter(ReportEngine &engine) : engine_(engine) {}

    // Whether a ticket can come out now; when not, the reason is in error.
    bool ready(QString *error);
    // False when the print could not be delivered, with the reason in error.
    bool print(const TicketRecord &record, QString *error);

    static QString noDataMessage()
    {
        return QStringLiteral("Nessun dato da stampare per questa selezione !");
    }

private:
    ReportEngine &engine_;
};
