#pragma once

#include "report/dataitem.h"
#include "report/deliveryresult.h"

#include <QList>
#include <QString>

#include <memory>

class Clock;
class TicketProject;

// Where one print of the ticket goes: a queue of the system's spooler, a thermal printer
// spoken to directly, or a folder of PDF files, chosen by the project's printer text.
// Opening checks the destination, so that a print that cannot be delivered fails before
// the ticket's data is asked for.
class PrintTarget
{
public:
    // The data item whose content numbers the ticket (document and file names).
    static QString numberItemName() { return QStringLiteral("NumeroDaStampare"); }

    virtual ~PrintTarget() = default;

    // Empty printer text: the system's default printer; "pdf:<folder>": a PDF file in that
    // folder (a relative folder is taken from the working directory); "escpos:...": a
    // thermal printer over TCP or a device file; anything else: the spooler's queue of
    // that name. Throws ReportError with an Italian message.
    static std::unique_ptr<PrintTarget> open(const TicketProject &project, const Clock &clock);

    // Opens the project's destination, asks whether it is ready and prints the pages
    // there; every failure comes back in the result, none is thrown.
    static DeliveryResult deliver(const TicketProject &project, const Clock &clock,
                                  const QList<QList<DataItem>> &pages);

    // Asked before a ticket's number is taken: a printer that can tell that it cannot print
    // now (no paper, cover open, not answering) throws ReportError with the cause, so that
    // no number is used for a ticket that would not come out.
    virtual void checkReady() {}

    // Draws one page per entry of pages, each with its own data items, as one document.
    // The whole document reaches its destination, or a ReportError is thrown; nothing is
    // ever sent twice.
    virtual void print(const TicketProject &project, const QList<QList<DataItem>> &pages) = 0;

    // The content of the number item, or an empty text when the ticket has none.
    static QString ticketNumber(const QList<DataItem> &items);
};
