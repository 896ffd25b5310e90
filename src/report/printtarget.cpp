#include "report/printtarget.h"

#include "core/clock.h"
#include "report/pdffoldertarget.h"
#include "report/printertarget.h"
#include "report/reporterror.h"
#include "report/ticketproject.h"
#include "report/ticketrenderer.h"

#include <QDir>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinterInfo>

std::unique_ptr<PrintTarget> PrintTarget::open(const TicketProject &project, const Clock &clock)
{
    const QString &text = project.printer;
    if (text.startsWith(TicketProject::pdfPrefix())) {
        const QString folder = text.mid(TicketProject::pdfPrefix().size()).trimmed();
        if (folder.isEmpty())
            throw ReportError(QStringLiteral("Il progetto del biglietto indica la stampa in PDF "
                                             "senza indicare la cartella."),
                              text);
        return std::make_unique<PdfFolderTarget>(QDir::current().absoluteFilePath(folder),
                                                 project.paperSize, clock.now());
    }

    QPrinterInfo printer;
    if (text.isEmpty()) {
        printer = QPrinterInfo::defaultPrinter();
        if (printer.isNull())
            throw ReportError(
                QStringLiteral("Nessuna stampante predefinita configurata nel sistema."));
    } else {
        printer = QPrinterInfo::printerInfo(text);
        if (printer.isNull())
            throw ReportError(QStringLiteral("La stampante «%1» non è installata.").arg(text),
                              QStringLiteral("Stampanti installate: %1")
                                  .arg(QPrinterInfo::availablePrinterNames().join(u", ")));
    }
    return std::make_unique<PrinterTarget>(printer, project.paperSize);
}

DeliveryResult PrintTarget::deliver(const TicketProject &project, const Clock &clock,
                                    const QList<QList<DataItem>> &pages)
{
    std::unique_ptr<PrintTarget> target;
    try {
        target = open(project, clock);
    } catch (const ReportError &error) {
        return DeliveryResult::failure(DeliveryResult::Status::Unavailable, error.fullText());
    }
    try {
        target->print(project, pages);
    } catch (const ReportError &error) {
        return DeliveryResult::failure(DeliveryResult::Status::Failed, error.fullText());
    }
    return DeliveryResult();
}

void PrintTarget::print(const TicketProject &project, const QList<QList<DataItem>> &pages)
{
    Q_ASSERT(!pages.isEmpty());
    QPagedPaintDevice &device = beginDocument(ticketNumber(pages.constFirst()));
    QPainter painter;
    if (!painter.begin(&device)) {
        discardDocument();
        throw ReportError(cannotStartMessage());
    }
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            discardDocument();
            throw ReportError(cannotStartMessage(),
                              QStringLiteral("nuova pagina %1 non avviata").arg(i + 1));
        }
        TicketRenderer::render(painter, project, pages.at(i));
    }
    painter.end();
    endDocument();
}

QString PrintTarget::ticketNumber(const QList<DataItem> &items)
{
    for (const DataItem &item : items) {
        if (item.name == numberItemName())
            return item.content.trimmed();
    }
    return QString();
}

QPageLayout PrintTarget::pageLayout(const QSizeF &paperMillimetres)
{
    // An exact match, or Qt would round a size near a standard one to that one.
    QPageLayout layout(QPageSize(paperMillimetres, QPageSize::Millimeter, QStringLiteral("Ticket"),
                                 QPageSize::ExactMatch),
                       QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}
