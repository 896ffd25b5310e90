#include "report/printtarget.h"

#include "core/clock.h"
#include "report/cupstarget.h"
#include "report/escpostarget.h"
#include "report/pdffoldertarget.h"
#include "report/reporterror.h"
#include "report/ticketproject.h"

#include <QDir>

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
    if (text.startsWith(TicketProject::escPosPrefix()))
        return std::make_unique<EscPosTarget>(project);

    return std::make_unique<CupsTarget>(text, project);
}

DeliveryResult PrintTarget::deliver(const TicketProject &project, const Clock &clock,
                                    const QList<QList<DataItem>> &pages)
{
    std::unique_ptr<PrintTarget> target;
    try {
        target = open(project, clock);
        target->checkReady();
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

QString PrintTarget::ticketNumber(const QList<DataItem> &items)
{
    for (const DataItem &item : items) {
        if (item.name == numberItemName())
            return item.content.trimmed();
    }
    return QString();
}
