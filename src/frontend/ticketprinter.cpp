#include "frontend/ticketprinter.h"

#include "archive/archivepath.h"
#include "archive/recordset.h"
#include "frontend/ticketdataitems.h"
#include "report/reportengine.h"
#include "report/ticketproject.h"

bool TicketPrinter::ready(QString *error)
{
    if (engine_.printerReady(TicketProject::defaultFileName()))
        return true;
    if (error)
        *error = engine_.lastError();
    return false;
}

TicketPrinter::Result TicketPrinter::print(const QString &archiveFolder, QString *error)
{
    RecordSet record;
    record.bind(ArchivePath::join(archiveFolder, ArchivePath::totem()),
                QStringLiteral("select * from DatiDaStampare where [ID]=1"));
    record.open();
    if (record.recordCount() == 0)
        return Result::NoTicketRecord;

    const PrintResult result =
        engine_.printProject(TicketProject::defaultFileName(), [this, &record] {
            TicketDataItems::defineByColumn(record, engine_);
            record.moveNext();
            return record.isEof();
        });
    if (result != PrintResult::Printed) {
        if (error)
            *error = engine_.lastError();
        return Result::Failed;
    }
    return Result::Printed;
}
