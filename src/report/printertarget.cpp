#include "report/printertarget.h"

#include "report/reporterror.h"

PrinterTarget::PrinterTarget(const QPrinterInfo &printer, const QSizeF &paperMillimetres)
    : printer_(printer, QPrinter::HighResolution)
{
    printer_.setOutputFormat(QPrinter::NativeFormat);
    // A driver without custom sizes refuses the layout and keeps its own paper; the ticket
    // is then still drawn from the paper's corner, at its own size.
    if (!printer_.setPageLayout(pageLayout(paperMillimetres)))
        printer_.setFullPage(true);
}

QPagedPaintDevice &PrinterTarget::beginDocument(const QString &number)
{
    // The spooler's queue shows this name, so the operator can tell tickets apart.
    printer_.setDocName(number.isEmpty() ? QStringLiteral("Ticket")
                                         : QStringLiteral("Ticket %1").arg(number));
    return printer_;
}

void PrinterTarget::endDocument()
{
    if (printer_.printerState() == QPrinter::Error)
        throw ReportError(
            QStringLiteral("La stampa del biglietto sulla stampante «%1» non è riuscita.")
                .arg(printer_.printerName()));
}

void PrinterTarget::discardDocument()
{
    // Qt's CUPS engine cannot take back a started job; this is best effort.
    printer_.abort();
}

QString PrinterTarget::cannotStartMessage() const
{
    return QStringLiteral("Impossibile avviare la stampa sulla stampante «%1».")
        .arg(printer_.printerName());
}
