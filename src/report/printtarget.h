#pragma once

#include "report/dataitem.h"
#include "report/deliveryresult.h"

#include <QList>
#include <QPageLayout>
#include <QSizeF>
#include <QString>

#include <memory>

class Clock;
class QPagedPaintDevice;
class TicketProject;

// Where one print of the ticket goes: a printer of the system or a folder of PDF files,
// chosen by the project's printer text. Opening checks the destination, so that a print
// that cannot be delivered fails before the ticket's data is asked for.
class PrintTarget
{
public:
    // The data item whose content numbers the ticket (document and file names).
    static QString numberItemName() { return QStringLiteral("NumeroDaStampare"); }

    virtual ~PrintTarget() = default;

    // Empty printer text: the system's default printer; "pdf:<folder>": a PDF file in that
    // folder (a relative folder is taken from the working directory); anything else: the
    // printer of that name. Throws ReportError with an Italian message.
    static std::unique_ptr<PrintTarget> open(const TicketProject &project, const Clock &clock);

    // Opens the project's destination and prints the pages there; every failure comes back
    // in the result, none is thrown.
    static DeliveryResult deliver(const TicketProject &project, const Clock &clock,
                                  const QList<QList<DataItem>> &pages);

    // Draws one page per entry of pages, each with its own data items, as one document.
    // The whole document reaches the spooler or the folder, or a ReportError is thrown.
    void print(const TicketProject &project, const QList<QList<DataItem>> &pages);

    // The content of the number item, or an empty text when the ticket has none.
    static QString ticketNumber(const QList<DataItem> &items);
    // A full page of paper of that size (millimetres), without margins.
    static QPageLayout pageLayout(const QSizeF &paperMillimetres);

protected:
    // The device to paint the document on, named after the ticket's number.
    virtual QPagedPaintDevice &beginDocument(const QString &number) = 0;
    // Called once the painter has ended: hands the document over, or throws.
    virtual void endDocument() = 0;
    // Called when the document is given up after beginDocument().
    virtual void discardDocument() = 0;
    virtual QString cannotStartMessage() const = 0;
};
