#pragma once

#include <QString>

class ReportEngine;

// Prints the ticket record (ID 1 of DatiDaStampare) with Ticket.lbl, handing every column
// to the engine as a data item typed by its column.
class TicketPrinter
{
public:
    enum class Result
    {
        Printed,
        NoTicketRecord,
        Failed
    };

    explicit TicketPrinter(ReportEngine &engine) : engine_(engine) {}

    // Whether a ticket can come out now; when not, the reason is in error.
    bool ready(QString *error);

    // Throws ArchiveError when the ticket record cannot be read; a print that cannot be
    // delivered is Failed, with the reason in error.
    Result print(const QString &archiveFolder, QString *error);

    static QString noDataMessage()
    {
        return QStringLiteral("Nessun dato da stampare per questa selezione !");
    }

private:
    ReportEngine &engine_;
};
